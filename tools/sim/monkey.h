// Random but plausible input for a soak of the whole program: keys tapped, held
// and released (arrows, Ctrl, Enter, Esc, P), the pointer moved and clicked,
// the focus lost and gained, the boss hot key. The same seed gives the same
// input. Never closes the window; the exit dialog's YES may end the program,
// which the soak answers by starting it again.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "tools/sim/script.h"

namespace sim {

class Monkey {
 public:
  explicit Monkey(std::uint64_t seed) : rng_(seed) {}

  // Appends the events for run phase `frame`. While the program waits hidden
  // (`waiting`) no phases run; each wait step asks for events too, and the
  // boss key or the focus soon brings the program back. Throws
  // std::runtime_error when the program stays hidden for 10,000 steps.
  void Events(int frame, bool waiting, std::vector<ScriptEvent>& out);

  // A new program run starts at frame 1 with nothing held.
  void Restart();

 private:
  struct Held {
    int code = 0;
    int releaseAt = 0;
  };

  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(rng_) == 1; }
  int Between(int least, int most) { return std::uniform_int_distribution<int>(least, most)(rng_); }
  void PressKey(int frame, std::vector<ScriptEvent>& out);

  std::mt19937_64 rng_;
  std::vector<Held> held_;
  int focusBackAt_ = 0;  // 0: the window has the focus
  int waitSteps_ = 0;    // wait steps since the last run phase
};

}  // namespace sim
