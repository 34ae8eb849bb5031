#include "tools/sim/monkey.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sim {
namespace {

using Kind = ScriptEvent::Kind;

// DirectInput codes and how often each is chosen: movement most, the keys that
// leave a screen (Esc) least, so the soak spends time inside levels too.
struct WeightedKey {
  int code;
  int weight;
};
constexpr WeightedKey kKeys[] = {
    {203, 8},  // LEFT
    {205, 8},  // RIGHT
    {200, 6},  // UP
    {208, 4},  // DOWN
    {29, 5},   // LCTRL
    {28, 4},   // ENTER
    {25, 1},   // P
    {1, 1},    // ESC
};

ScriptEvent Event(int frame, Kind kind, int code = 0) {
  ScriptEvent e;
  e.frame = frame;
  e.kind = kind;
  e.code = code;
  return e;
}

constexpr int kMostWaitSteps = 10000;

}  // namespace

void Monkey::Restart() {
  held_.clear();
  waitSteps_ = 0;
  focusBackAt_ = 0;
}

void Monkey::PressKey(int frame, std::vector<ScriptEvent>& out) {
  int total = 0;
  for (const WeightedKey& k : kKeys) total += k.weight;
  int pick = Between(1, total);
  int code = kKeys[0].code;
  for (const WeightedKey& k : kKeys) {
    if ((pick -= k.weight) <= 0) {
      code = k.code;
      break;
    }
  }
  const bool isHeld =
      std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.code == code; });
  if (isHeld) return;
  if (Chance(3)) {
    out.push_back(Event(frame, Kind::Key, code));
  } else {
    out.push_back(Event(frame, Kind::Down, code));
    held_.push_back({code, frame + Between(1, 150)});
  }
}

void Monkey::Events(int frame, bool waiting, std::vector<ScriptEvent>& out) {
  if (waiting) {
    if (++waitSteps_ > kMostWaitSteps) {
      throw std::runtime_error("the program stayed hidden through " +
                               std::to_string(kMostWaitSteps) + " boss keys and focus changes");
    }
    // Hidden: keys and the pointer do nothing useful; bring the program back.
    if (Chance(4)) out.push_back(Event(frame, Kind::HotKey));
    if (Chance(4)) out.push_back(Event(frame, Kind::FocusGained));
    return;
  }
  waitSteps_ = 0;
  for (auto it = held_.begin(); it != held_.end();) {
    if (it->releaseAt <= frame) {
      out.push_back(Event(frame, Kind::Up, it->code));
      it = held_.erase(it);
    } else {
      ++it;
    }
  }
  if (focusBackAt_ != 0 && focusBackAt_ <= frame) {
    out.push_back(Event(frame, Kind::FocusGained));
    focusBackAt_ = 0;
  }
  if (Chance(12)) PressKey(frame, out);
  if (Chance(40)) {
    ScriptEvent move = Event(frame, Kind::Mouse);
    move.x = std::uniform_real_distribution<double>(-16, 16)(rng_);
    move.y = std::uniform_real_distribution<double>(-12, 12)(rng_);
    out.push_back(move);
  }
  if (Chance(90)) out.push_back(Event(frame, Kind::Click));
  if (focusBackAt_ == 0 && Chance(3000)) {
    out.push_back(Event(frame, Kind::FocusLost));
    focusBackAt_ = frame + Between(1, 200);
  }
  if (Chance(5000)) out.push_back(Event(frame, Kind::HotKey));
}

}  // namespace sim
