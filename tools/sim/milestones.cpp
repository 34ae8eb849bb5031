#include "tools/sim/milestones.h"

#include "core/screen_state.h"

namespace sim {
namespace {

bool InGame(std::uint8_t screen) {
  return screen == core::ssPlaying || screen == core::ssPaused ||
         screen == core::ssConfirmLeaveGame;
}

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
  // A phase counts when it begins during a game.
  if (InGame(facts.screen)) {
    if (facts.entering && !last_.entering) ++counts_[kLevelStarted];
    if (facts.levelComplete && !last_.levelComplete) ++counts_[kLevelComplete];
    if (facts.timeOver && !last_.timeOver) ++counts_[kTimeOver];
    if (facts.gameOver && !last_.gameOver) ++counts_[kGameOver];
  }
  if (InNameEntry(facts.screen) && !InNameEntry(last_.screen)) ++counts_[kNameEntry];
  if (last_.screen == core::ssSending) {
    if (facts.screen == core::ssMainMenu) ++counts_[kSubmission];
    if (facts.screen == core::ssConnectFailed) ++counts_[kConnectFailed];
  }
  last_ = facts;
  if (!InGame(facts.screen)) {
    // Out of a game the flags are left over; the next game sets them afresh.
    last_.entering = last_.levelComplete = last_.timeOver = last_.gameOver = false;
  }
}

}  // namespace sim
