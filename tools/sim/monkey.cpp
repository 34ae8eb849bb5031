#include "tools/sim/monkey.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "core/screen_state.h"
#include "platform/key_codes.h"

namespace sim {
namespace {

using Kind = ScriptEvent::Kind;
namespace keys = platform::keys;

// DirectInput codes and how often each is chosen: movement most, the keys that
// leave a screen (Esc) least, so the soak spends time inside levels too.
struct WeightedKey {
  int code;
  int weight;
};
constexpr WeightedKey kKeys[] = {
    {keys::kKeyLeft, 8},     {keys::kKeyRight, 8}, {keys::kKeyUp, 6}, {keys::kKeyDown, 4},
    {keys::kKeyLeftCtrl, 5}, {keys::kKeyEnter, 4}, {keys::kKeyP, 1},  {keys::kKeyEsc, 1},
};
// While the pilot plays: the keys that do not move the hero.
constexpr WeightedKey kFiddleKeys[] = {
    {keys::kKeyLeftCtrl, 4}, {keys::kKeyEnter, 2}, {keys::kKeyP, 2}, {keys::kKeyEsc, 1}};

// The letter keys, for names.
constexpr int kLetters[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 30, 31, 32,
                            33, 34, 35, 36, 37, 38, 44, 45, 46, 47, 48, 49, 50};

// Where the answers are on the screen (game units, y up).
struct Point {
  double x, y;
};
constexpr Point kNewGame{0, 3.5};
constexpr Point kRecordOk{-3, -5.5};
constexpr Point kYes{-1.5, -2.5};
constexpr Point kNo{2.5, -2.5};

ScriptEvent Event(int frame, Kind kind, int code = 0) {
  ScriptEvent e;
  e.frame = frame;
  e.kind = kind;
  e.code = code;
  return e;
}

constexpr int kMostWaitSteps = 10000;
// One round of moods for the levels, shuffled, so that every few levels see
// each: mostly steered, one at random throughout, one left to run out of time.
constexpr int kSteeredPerRound = 4;
// One screen in this many is wandered on for a while before it is answered;
// a pause or the leave question during a game, and the screens of a result
// being entered, less often, as a wander there soon throws the game or the
// result away.
constexpr int kWanderedScreens = 5;
constexpr int kWanderedKeepScreens = 25;

bool InLevel(std::uint8_t screen) {
  return screen == core::ssPlaying;
}

// The name entry, its country and the question whether to send the result.
bool EnteringResult(std::uint8_t screen) {
  return screen == core::ssRecordEntry || screen == core::ssRecordEntryName ||
         screen == core::ssRecordEntryCountry || screen == core::ssConfirmSendResult;
}

}  // namespace

void Monkey::Restart() {
  held_.clear();
  steerLeft_ = steerRight_ = false;
  pilot_.Reset();
  wasEntering_ = false;
  lastScreen_ = 0;
  wanderUntil_ = 0;
  fiddling_ = false;
  actAt_ = 0;
  waitSteps_ = 0;
  focusBackAt_ = 0;
}

void Monkey::PressKey(int frame, bool fiddling, std::vector<ScriptEvent>& out) {
  const std::span<const WeightedKey> table =
      fiddling ? std::span<const WeightedKey>(kFiddleKeys) : std::span<const WeightedKey>(kKeys);
  int total = 0;
  for (const WeightedKey& k : table) total += k.weight;
  int pick = Between(1, total);
  int code = table[0].code;
  for (const WeightedKey& k : table) {
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

void Monkey::ReleaseAll(int frame, std::vector<ScriptEvent>& out) {
  for (const Held& h : held_) out.push_back(Event(frame, Kind::Up, h.code));
  held_.clear();
  if (steerLeft_) out.push_back(Event(frame, Kind::Up, keys::kKeyLeft));
  if (steerRight_) out.push_back(Event(frame, Kind::Up, keys::kKeyRight));
  steerLeft_ = steerRight_ = false;
}

void Monkey::StartWandering(int frame, int least, int most, std::vector<ScriptEvent>& out,
                            bool fiddling) {
  if (steerLeft_ || steerRight_) ReleaseAll(frame, out);
  wanderUntil_ = frame + Between(least, most);
  fiddling_ = fiddling;
}

void Monkey::Wander(int frame, std::vector<ScriptEvent>& out, bool fiddling) {
  for (auto it = held_.begin(); it != held_.end();) {
    if (it->releaseAt <= frame) {
      out.push_back(Event(frame, Kind::Up, it->code));
      it = held_.erase(it);
    } else {
      ++it;
    }
  }
  if (Chance(12)) PressKey(frame, fiddling, out);
  if (Chance(40)) {
    ScriptEvent move = Event(frame, Kind::Mouse);
    move.x = std::uniform_real_distribution<double>(-16, 16)(rng_);
    move.y = std::uniform_real_distribution<double>(-12, 12)(rng_);
    out.push_back(move);
  }
  if (Chance(90)) out.push_back(Event(frame, Kind::Click));
}

void Monkey::ClickAt(int frame, double x, double y, std::vector<ScriptEvent>& out) {
  ScriptEvent move = Event(frame, Kind::Mouse);
  move.x = x;
  move.y = y;
  out.push_back(move);
  out.push_back(Event(frame, Kind::Click));
}

void Monkey::NewScreen(int frame, const Sight& sight, std::vector<ScriptEvent>& out) {
  lastScreen_ = sight.screen;
  actAt_ = frame + Between(3, 40);
  if (sight.screen == core::ssRecordEntryName) lettersLeft_ = Between(1, 8);
  if (sight.screen == core::ssConfirmSendResult) sendResult_ = !Chance(5);
  // A result to enter ends a wander begun elsewhere (the game just left).
  if (EnteringResult(sight.screen)) wanderUntil_ = 0;
  if (!InLevel(sight.screen) &&
      Chance(InGame(sight.screen) || EnteringResult(sight.screen) ? kWanderedKeepScreens
                                                                  : kWanderedScreens)) {
    StartWandering(frame, 30, 600, out);
  }
}

void Monkey::Play(int frame, const Sight& sight, std::vector<ScriptEvent>& out) {
  const LevelSight& level = sight.play;
  if (mood_ == Mood::Wild) {
    Wander(frame, out);
    return;
  }
  // Distracted now and then: throws, pauses and the leave question.
  if (mood_ == Mood::Steer && Chance(800)) {
    StartWandering(frame, 20, 200, out, true);
    Wander(frame, out, true);
    return;
  }
  if (!held_.empty()) ReleaseAll(frame, out);
  // A bonus level has no diamonds: he stays alive while the balloons rise
  // away (played at random, he goes after them).
  const bool guarding = mood_ == Mood::Idle || level.bonusLevel;
  const Controls c = guarding ? pilot_.Guard(level) : pilot_.Steer(level);
  if (pilot_.lost()) {
    // No diamond within reach: fiddle a while and look again.
    StartWandering(frame, 50, 150, out, true);
    Wander(frame, out, true);
    return;
  }
  if (c.left != steerLeft_) {
    out.push_back(Event(frame, c.left ? Kind::Down : Kind::Up, keys::kKeyLeft));
    steerLeft_ = c.left;
  }
  if (c.right != steerRight_) {
    out.push_back(Event(frame, c.right ? Kind::Down : Kind::Up, keys::kKeyRight));
    steerRight_ = c.right;
  }
  if (c.jump) out.push_back(Event(frame, Kind::Key, keys::kKeyUp));
  if (c.fire) out.push_back(Event(frame, Kind::Key, keys::kKeyLeftCtrl));
}

void Monkey::Answer(int frame, const Sight& sight, std::vector<ScriptEvent>& out) {
  if (!held_.empty() || steerLeft_ || steerRight_) ReleaseAll(frame, out);
  if (frame < actAt_) return;
  actAt_ = frame + Between(3, 40);
  switch (sight.screen) {
    case core::ssMainMenu:
      if (sight.mainMenuSelection == 1) {
        out.push_back(Event(frame, Kind::Key, keys::kKeyEnter));
      } else if (Chance(2)) {
        ClickAt(frame, kNewGame.x, kNewGame.y, out);
      } else {
        out.push_back(Event(frame, Kind::Key, keys::kKeyUp));
      }
      break;
    case core::ssOptions:
    case core::ssHelp:
    case core::ssRecords:
    case core::ssConfirmQuit:
    case core::ssConfirmLeaveGame:
    case core::ssConfirmClearRecords:
      out.push_back(Event(frame, Kind::Key, keys::kKeyEsc));
      break;
    case core::ssOptionsCountry:
    case core::ssOptionsBossKey:
      out.push_back(Event(frame, Kind::Key, keys::kKeyEnter));
      break;
    case core::ssPaused:
      out.push_back(Event(frame, Kind::Key, keys::kKeyP));
      break;
    case core::ssRecordEntryName:
      if (lettersLeft_ > 0) {
        --lettersLeft_;
        actAt_ = frame + Between(2, 12);
        out.push_back(Event(frame, Kind::Key, kLetters[Between(0, std::size(kLetters) - 1)]));
      } else {
        ClickAt(frame, kRecordOk.x, kRecordOk.y, out);
      }
      break;
    case core::ssRecordEntry:
    case core::ssRecordEntryCountry:
      ClickAt(frame, kRecordOk.x, kRecordOk.y, out);
      break;
    case core::ssConfirmSendResult:
      if (sendResult_) {
        ClickAt(frame, kYes.x, kYes.y, out);
      } else {
        ClickAt(frame, kNo.x, kNo.y, out);
      }
      break;
    case core::ssConnectFailed:
      if (Chance(3)) {
        ClickAt(frame, kYes.x, kYes.y, out);
      } else {
        ClickAt(frame, kNo.x, kNo.y, out);
      }
      break;
    default:
      break;  // sending: the answer comes by itself
  }
}

void Monkey::Events(int frame, bool waiting, const Sight& sight, std::vector<ScriptEvent>& out) {
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
  if (focusBackAt_ != 0 && focusBackAt_ <= frame) {
    out.push_back(Event(frame, Kind::FocusGained));
    focusBackAt_ = 0;
  }
  if (!sight.intro && sight.screen != lastScreen_) NewScreen(frame, sight, out);
  // A level begins: the pilot starts afresh, or this level is played wild.
  const bool entering = InGame(sight.screen) && sight.play.entering;
  if (entering && !wasEntering_) {
    pilot_.Reset();
    if (moods_.empty()) {
      moods_.assign(kSteeredPerRound, Mood::Steer);
      moods_.push_back(Mood::Wild);
      moods_.push_back(Mood::Idle);
      std::shuffle(moods_.begin(), moods_.end(), rng_);
    }
    mood_ = moods_.back();
    moods_.pop_back();
    wanderUntil_ = 0;
  }
  wasEntering_ = entering;
  if (sight.intro || frame < wanderUntil_) {
    Wander(frame, out, fiddling_ && !sight.intro);
  } else if (InLevel(sight.screen)) {
    Play(frame, sight, out);
  } else {
    Answer(frame, sight, out);
  }
  if (focusBackAt_ == 0 && Chance(3000)) {
    out.push_back(Event(frame, Kind::FocusLost));
    focusBackAt_ = frame + Between(1, 200);
  }
  if (Chance(5000)) out.push_back(Event(frame, Kind::HotKey));
}

}  // namespace sim
