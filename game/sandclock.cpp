#include "game/sandclock.h"

#include <cmath>
#include <numbers>

#include "engine/engine.h"
#include "game/game_context.h"
#include "game/game_resources.h"

namespace game {

void TSandclock::CreateSprite() {
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, {1.25f, 1.25f});
  iSpriteLocationSet(sprite, {14, 10.8f});
  for (int i = 1; i <= 7; ++i) {
    pictures[static_cast<std::size_t>(i)] = engine::OwnedTexture(
        LoadPackTexture("Data\\Sandclock.dat", static_cast<std::uint16_t>(i - 1), 1000059 + i));
  }
  iSpriteTextureSet(sprite, pictures[static_cast<std::size_t>(current)]);
  phase = 0;
}

void TSandclock::Load() {
  current = 7;
  CreateSprite();
}

void TSandclock::Reload() {
  CreateSprite();
}

void TSandclock::Update(long double timeLeft, long double timeTotal) {
  if (!(timeTotal > 0)) return;  // no level timer set yet
  const auto n = static_cast<std::int32_t>(std::trunc(timeLeft / timeTotal * 7)) + 1;
  if (n >= 1 && n <= 7 && n != current) {
    iSpriteTextureSet(sprite, pictures[static_cast<std::size_t>(n)]);
    if (current == 3 && n == 2) game_.Play(game_.resources.sndOutOfTime);
    current = n;
  }
  if (current >= 3) {
    SetColor(1, 1, 1, 1);
    return;
  }
  // The last two sevenths of the time: a red pulse with a beep each period.
  phase += 0.1L;
  if (phase > 2 * std::numbers::pi_v<long double>) {
    phase = 0;
    game_.Play(game_.resources.sndOutOfTime);
  }
  const auto s = static_cast<float>(std::sin(phase));
  SetColor(1, s, s, 1);
}

void TSandclock::SetColor(float r, float g, float b, float a) const {
  iSpriteColorSet(sprite, r, g, b, a);
}

void TSandclock::Show() const {
  iSpriteShow(sprite);
}

void TSandclock::Hide() const {
  iSpriteHide(sprite);
}

}  // namespace game
