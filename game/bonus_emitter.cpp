#include "game/bonus_emitter.h"

#include <cmath>
#include <numbers>

#include "engine/engine.h"
#include "game/timer_steps.h"

namespace game {

TBonusEmitter::~TBonusEmitter() = default;

void TBonusEmitter::CreateBurstSprites(iHandle camera, iHandle texture) {
  for (engine::OwnedSprite& sprite : sprites) {
    sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", camera));
    iSpriteTextureSet(sprite, texture);
    iSpriteScaleSet(sprite, {0.5f, 0.5f});
  }
  if (shown) {
    PlaceSprites();
    for (const iHandle sprite : sprites) iSpriteShow(sprite);
  }
}

void TBonusEmitter::StartBurst(long double x, long double y) {
  life = 3.0L;
  alpha = 1.0L;
  angle = 0;
  radius = 0;
  centreX = x;
  centreY = y;
  shown = true;
  PlaceSprites();
  for (const iHandle sprite : sprites) iSpriteShow(sprite);
}

void TBonusEmitter::StepBurst() {
  life -= kTimerStep;
  radius += 0.1L;
  angle += 0.3L;
  alpha -= 0.02L;
  PlaceSprites();
}

// Alpha goes negative from frame 51 until the life runs out; the engine draws
// nothing at alpha <= 0, so the ring simply stays invisible.
void TBonusEmitter::PlaceSprites() const {
  for (std::size_t i = 0; i < sprites.size(); ++i) {
    const long double a = static_cast<long double>(i + 1) * std::numbers::pi_v<long double> / 6;
    iSpriteLocationSet(sprites[i], {static_cast<float>(std::cos(a) * radius + centreX),
                                    static_cast<float>(std::sin(a) * radius + centreY)});
    iSpriteOrientationSet(sprites[i], static_cast<float>(angle));
    iSpriteColorSet(sprites[i], 1, 1, 1, static_cast<float>(alpha));
  }
}

void TBonusEmitter::HideBurst() {
  shown = false;
  for (const iHandle sprite : sprites) iSpriteHide(sprite);
}

}  // namespace game
