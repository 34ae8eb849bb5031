// What a soak has reached, counted from the state after each frame: levels
// begun and won, time over, game over, the name entry opened, results sent to
// the score service and sends that could not connect.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

// The state after one frame that the counts are taken from.
struct FrameFacts {
  std::uint8_t screen = 0;
  bool entering = false;  // the UFO of a new level is coming down
  bool levelComplete = false;
  bool timeOver = false;
  bool gameOver = false;
};

class Milestones {
 public:
  enum Name : std::size_t {
    kLevelStarted,
    kLevelComplete,
    kTimeOver,
    kGameOver,
    kNameEntry,
    kSubmission,
    kConnectFailed,
    kCount
  };
  // The names in the soak's JSON and in --expect.
  static constexpr std::array<std::string_view, kCount> kNames = {
      "levelStarted", "levelComplete", "timeOver",     "gameOver",
      "nameEntry",    "submission",    "connectFailed"};
  static std::optional<Name> Find(std::string_view name);

  void See(const FrameFacts& facts);
  // A new program run: its first frame follows nothing.
  void NewRun() {
    last_ = FrameFacts{};
    lastScreen_ = 0;
  }
  int count(Name name) const { return counts_[name]; }

 private:
  FrameFacts last_;  // of the last frame in a running game
  std::uint8_t lastScreen_ = 0;
  std::array<int, kCount> counts_{};
};

}  // namespace sim
