// Stand-in until diamonds are written.
#include "game/diamond.h"

#include "game/game_context.h"

namespace game {

TDiamond::~TDiamond() = default;
void TDiamond::Reload() {}
void TDiamond::Load() {}
void TDiamond::Update() {}
void TDiamond::ApplyEffect() {}
iHandle TDiamond::BurstTexture() const {
  return 0;
}
void TDiamond::SendSinking() {}

}  // namespace game
