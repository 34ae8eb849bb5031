#include "tools/sim/milestones.h"

#include "core/screen_state.h"
#include "tools/sim/sight.h"

namespace sim {
namespace {

bool InNameEntry(std::uint8_t screen) {
  return screen == core::ssRecordEntry || screen == core::ssRecordEntryName ||
         screen == core::ssRecordEntryCountry;
}

}  // namespace

std::optional<Milestones::Name> Milestones::Find(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<Name>(i);
  }
  return std::nullopt;
}

void Milestones::See(const FrameFacts& facts) {
  // A phase counts when it begins in a running game. Paused or asking whether
  // to leave, the game keeps its phases; out of a game its flags are left
  // over, and the next game sets them afresh.
  if (facts.screen == core::ssPlaying) {
    if (facts.entering && !last_.entering) ++counts_[kLevelStarted];
    if (facts.levelComplete && !last_.levelComplete) ++counts_[kLevelComplete];
    if (facts.timeOver && !last_.timeOver) ++counts_[kTimeOver];
    if (facts.gameOver && !last_.gameOver) ++counts_[kGameOver];
    last_ = facts;
  } else if (!InGame(facts.screen)) {
    last_ = FrameFacts{};
  }
  if (InNameEntry(facts.screen) && !InNameEntry(lastScreen_)) ++counts_[kNameEntry];
  if (lastScreen_ == core::ssSending) {
    if (facts.screen == core::ssMainMenu) ++counts_[kSubmission];
    if (facts.screen == core::ssConnectFailed) ++counts_[kConnectFailed];
  }
  lastScreen_ = facts.screen;
}

}  // namespace sim
