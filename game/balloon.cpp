// Stand-in until balloons are written: the interface TGame and the hero call.
#include "game/balloon.h"

#include "game/game_context.h"

namespace game {

TBaloon::~TBaloon() = default;
void TBaloon::Reload() {}
void TBaloon::Load() {}
void TBaloon::Update() {}
void TBaloon::ApplyEffect() {}
iHandle TBaloon::BurstTexture() const {
  return 0;
}
void TBaloon::Pop(int) {}
void TBaloon::SetLayer(int) const {}

}  // namespace game
