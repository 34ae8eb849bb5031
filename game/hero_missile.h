// THeroMissile: a glowing missile drawn only by its particle trails. The hero
// makes 50 once and reuses them: throwing and spending only switch idle.
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

class THeroMissile {
 public:
  // Steps a missile lives: 60 frames of four steps.
  static constexpr std::int32_t kLifeSteps = 240;
  // The heading of a missile flying left (3.1415, a little short of pi).
  static constexpr long double kHeadingLeft = 3.1415L;

  THeroMissile() = default;
  THeroMissile(const THeroMissile&) = delete;
  THeroMissile& operator=(const THeroMissile&) = delete;

  // Makes the trails and the flash (again after an engine restart).
  void CreateParticles();
  // One of the four steps a frame: flash, flight, trails, age, enemy and
  // platform tests.
  void AdvanceMissile(GameContext& game);

  // Thrown from (fromX, fromY) towards direction (0 left, 1 right): in flight,
  // age 0, with its flash at the hand.
  void Launch(long double fromX, long double fromY, std::uint8_t direction);
  // Out of flight at once (the level is cleared): idle, no flash to come, and
  // its trails and flash hidden until the next throw, so nothing of it is seen
  // or carried into the next level.
  void Ground();

  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }

  std::array<engine::OwnedParticles, 4> trails;
  std::array<engine::OwnedEmitter, 4> trailEmitters;
  engine::OwnedParticles flash;
  engine::OwnedEmitter flashEmitter;
  long double flashTimer = -1.0L;
  long double x = 0;
  long double y = 0;
  long double halfHeight = 0.44L;
  long double halfWidth = 0.44L;
  std::int32_t age = 0;
  long double heading = 0;
  bool idle = true;
  long double spin = 0;

 private:
  void ShowParticles(bool shown) const;
  void EmitTrails() const;
  // Knocks down the first enemy it can hit; true when it hit one.
  bool HitEnemy(GameContext& game) const;
  bool HitPlatform(const GameContext& game) const;
};

}  // namespace game
