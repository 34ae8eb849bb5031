// Random but plausible input for a soak of the whole program. It wanders (keys
// tapped, held and released among arrows, Ctrl, Enter, Esc and P, the pointer
// moved and clicked) and it plays with a purpose: in most levels the pilot
// steers the hero to the diamonds, in one of a few it only keeps him alive
// until the time is over, and on most screens it answers the way
// towards the next game (New Game, back from a page, a name typed and OK, the
// result sent). Now and then it wanders on any screen, which leads it anywhere
// else. Throughout, the focus is lost and gained and the boss hot key is
// pressed. The same seed and the same program give the same input. It never
// closes the window; the exit dialog's YES may end the program, which the soak
// answers by starting it again.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "tools/sim/pilot.h"
#include "tools/sim/script.h"
#include "tools/sim/sight.h"

namespace sim {

class Monkey {
 public:
  explicit Monkey(std::uint64_t seed) : rng_(seed) {}

  // Appends the events for run phase `frame`, with the program as `sight`
  // shows it before that phase. While the program waits hidden (`waiting`) no
  // phases run; each wait step asks for events too, and the boss key or the
  // focus soon brings the program back. Throws std::runtime_error when the
  // program stays hidden for 10,000 steps.
  void Events(int frame, bool waiting, const Sight& sight, std::vector<ScriptEvent>& out);

  // A new program run starts at frame 1 with nothing held.
  void Restart();

 private:
  struct Held {
    int code = 0;
    int releaseAt = 0;
  };

  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(rng_) == 1; }
  int Between(int least, int most) { return std::uniform_int_distribution<int>(least, most)(rng_); }

  // Random keys, pointer moves and clicks; `fiddling`: none of the keys that
  // move the hero.
  void Wander(int frame, std::vector<ScriptEvent>& out, bool fiddling = false);
  void PressKey(int frame, bool fiddling, std::vector<ScriptEvent>& out);
  // The steered hero, or a wander when the pilot finds no way.
  void Play(int frame, const Sight& sight, std::vector<ScriptEvent>& out);
  // The answer on a screen that leads on to the next game.
  void Answer(int frame, const Sight& sight, std::vector<ScriptEvent>& out);
  void ClickAt(int frame, double x, double y, std::vector<ScriptEvent>& out);
  // Whatever is held goes up.
  void ReleaseAll(int frame, std::vector<ScriptEvent>& out);
  // Random input up to a phase drawn between `least` and `most` from now;
  // `fiddling`: with none of the keys that move the hero.
  void StartWandering(int frame, int least, int most, std::vector<ScriptEvent>& out,
                      bool fiddling = false);
  void NewScreen(int frame, const Sight& sight, std::vector<ScriptEvent>& out);

  std::mt19937_64 rng_;
  std::vector<Held> held_;  // while wandering
  bool steerLeft_ = false;  // arrows held for the pilot
  bool steerRight_ = false;
  Pilot pilot_;
  // How this level is played: steered by the pilot, at random, or left to
  // run out of time (the hero only guarded).
  enum class Mood { Steer, Wild, Idle };
  Mood mood_ = Mood::Steer;
  std::vector<Mood> moods_;  // the rest of this round
  bool wasEntering_ = false;
  std::uint8_t lastScreen_ = 0;
  int wanderUntil_ = 0;    // wandering up to this phase
  bool fiddling_ = false;  // ... without moving the hero
  int actAt_ = 0;          // the next purposeful answer on a screen
  int lettersLeft_ = 0;    // of the name being typed
  bool sendResult_ = true;
  int focusBackAt_ = 0;  // 0: the window has the focus
  int waitSteps_ = 0;    // wait steps since the last run phase
};

}  // namespace sim
