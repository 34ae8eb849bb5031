// TSandclock: the level timer in the HUD, seven pictures from a full top bulb
// (7) to an almost empty one (1). In the last two sevenths of the time it pulses
// red and beeps.
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"

namespace game {

struct GameContext;

class TSandclock {
 public:
  explicit TSandclock(GameContext& game) : game_(game) {}
  TSandclock(const TSandclock&) = delete;
  TSandclock& operator=(const TSandclock&) = delete;

  // Sprite and pictures, picture 7 shown, phase 0.
  void Load();
  // After an engine restart: the same, showing the current picture.
  void Reload();
  // One play frame: the picture for the time left, the red pulse and beeps.
  void Update(long double timeLeft, long double timeTotal);
  void SetColor(float r, float g, float b, float a) const;
  void Show() const;
  void Hide() const;

  engine::OwnedSprite sprite;
  std::array<engine::OwnedTexture, 8> pictures;  // 1..7
  std::int32_t current = 7;
  long double phase = 0;  // radians of the red pulse

 private:
  void CreateSprite();

  GameContext& game_;
};

}  // namespace game
