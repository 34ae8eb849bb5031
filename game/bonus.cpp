#include "game/bonus.h"

#include "engine/engine.h"
#include "game/bonus_emitter.h"
#include "game/game_context.h"

namespace game {

TBonus::~TBonus() = default;

void TBonus::Take(int emitterIndex) {
  game_.objects.emitters[static_cast<std::size_t>(emitterIndex)]->StartBurst(x, y + 0.5L);
  ApplyEffect();
  game_.Play(sndTake);
  taken = true;
  sparkleTimer = 1.0L;
  iSpriteHide(sprite);
}

void TBonus::PutInPlayAt(long double atX, long double atY) {
  taken = false;
  iSpriteShow(sprite);
  x = atX;
  y = atY;
}

void TBonus::ReloadBurst() const {
  const int index = burstIndex;
  if (index < 0 || static_cast<std::size_t>(index) >= game_.objects.emitters.size()) return;
  game_.objects.emitters[static_cast<std::size_t>(index)]->CreateBurstSprites(game_.camera,
                                                                              BurstTexture());
}

}  // namespace game
