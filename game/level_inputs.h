// What a level reads from outside the game: the game keys and the millisecond
// tick count. The game takes them once at the start of each level step (a level
// start, a play frame, the reload after an engine restart), so a step sees one
// consistent reading, and a recording can keep exactly what the level ran on.
// A live game reads the engine and the platform; a replay hands back what was
// recorded.
#pragma once

#include <cstdint>

#include "platform/random.h"

namespace platform {
class Platform;
}

namespace game {

struct GameKeys {
  // Held this frame.
  bool left = false;
  bool right = false;
  bool down = false;
  // Pressed since the last frame.
  bool jump = false;
  bool fire = false;

  std::uint8_t Bits() const {
    return static_cast<std::uint8_t>((left ? 1 : 0) | (right ? 2 : 0) | (down ? 4 : 0) |
                                     (jump ? 8 : 0) | (fire ? 16 : 0));
  }
  static GameKeys FromBits(std::uint8_t bits) {
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0};
  }
  static constexpr std::uint8_t kAllBits = 31;
};

enum class LevelStep : std::uint8_t {
  StartLevel = 0,  // a level is built (the first of a new game, the next, a retry)
  Frame = 1,       // one play frame (TGame::UpdateFrame)
  Reload = 2,      // the engine restarted: every level object made again
};

struct StepInput {
  GameKeys keys;
  std::uint32_t ticks = 0;
};

// What the program reads now: the engine's game keys and the platform's tick count.
StepInput LiveStepInput(platform::Platform& platform);

// Sees every level step of a game and may replace what it runs on.
class LevelInputs {
 public:
  virtual ~LevelInputs() = default;
  // A new game begins: where the random sequence stands before its first
  // level is built, and that level's number.
  virtual void BeginGame(const platform::RandomPosition& random, std::int32_t firstLevel) = 0;
  // A level step begins with what the program reads now; returns what it runs on.
  virtual StepInput Take(LevelStep step, const StepInput& live) = 0;
};

}  // namespace game
