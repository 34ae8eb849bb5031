// THeroMissile: a glowing missile drawn only by its particle trails. The hero
// makes 50 once and reuses them: throwing and spending only switch idle.
#pragma once

#include <array>
#include <cstdint>

#include "engine/types.h"

namespace game {

struct GameContext;

class THeroMissile {
 public:
  THeroMissile() = default;
  ~THeroMissile();
  THeroMissile(const THeroMissile&) = delete;
  THeroMissile& operator=(const THeroMissile&) = delete;

  // Makes the trails and the flash (again after an engine restart).
  void CreateParticles();
  // One of the four steps a frame: flash, flight, trails, age, enemy and
  // platform tests.
  void AdvanceMissile(GameContext& game);

  std::array<iHandle, 4> trails{};
  std::array<iHandle, 4> trailEmitters{};
  iHandle flash = 0;
  iHandle flashEmitter = 0;
  long double flashTimer = -1.0L;
  long double x = 0;
  long double y = 0;
  long double halfHeight = 0.44L;
  long double halfWidth = 0.44L;
  std::int32_t age = 0;
  long double heading = 0;
  bool idle = true;
  long double spin = 0;
};

}  // namespace game
