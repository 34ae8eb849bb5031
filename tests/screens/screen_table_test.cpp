#include "screens/screen_table.h"

#include <gtest/gtest.h>

#include "core/screen_state.h"
#include "screens/exit_menu.h"

namespace {

using screens::Input;
using screens::Screen;
using screens::ScreenOf;

// Every code in use has a screen, and the dialog box's questions are exactly
// the states the table gives to the question screen: a state added to one and
// not the other shows here.
TEST(ScreenTable, EveryStateHasItsScreenAndTheQuestionsAgreeWithTheDialog) {
  for (int code = 0; code < 256; ++code) {
    const auto state = static_cast<std::uint8_t>(code);
    SCOPED_TRACE(code);
    const bool used = *core::ScreenStateName(state) != '\0';
    EXPECT_EQ(ScreenOf(state).screen != Screen::None, used);
    EXPECT_EQ(ScreenOf(state).screen == Screen::Question, screens::IsDialogState(state));
    if (!used) {
      EXPECT_EQ(ScreenOf(state).input, Input::None);
    }
  }
}

// Over the game, only the keys of a running or paused level are read, and the
// game's texts stay up under the leave-game question; the game's sprites are
// made visible in every state on the way into or inside a level.
TEST(ScreenTable, GameStates) {
  struct Case {
    std::uint8_t state;
    Screen screen;
    bool gameSprites;
    bool gameTexts;
    Input input;
  };
  const Case cases[] = {
      {core::ssPlaying, Screen::Game, true, true, Input::GameKeys},
      {core::ssPaused, Screen::Game, true, true, Input::GameKeys},
      {core::ssNewGame, Screen::Game, true, false, Input::None},
      {core::ssResumeGame, Screen::Game, true, false, Input::None},
      {core::ssConfirmLeaveGame, Screen::Question, true, true, Input::Menu},
      {core::ssSending, Screen::Question, false, false, Input::None},
      {core::ssConfirmSendResult, Screen::Question, false, false, Input::Menu},
      {core::ssRecordEntryName, Screen::RecordEntry, false, false, Input::Menu},
      {core::ssOptionsBossKey, Screen::Options, false, false, Input::Menu},
      {core::ssMainMenu, Screen::MainMenu, false, false, Input::Menu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(core::ScreenStateName(c.state));
    const screens::ScreenRow row = ScreenOf(c.state);
    EXPECT_EQ(row.screen, c.screen);
    EXPECT_EQ(row.gameSprites, c.gameSprites);
    EXPECT_EQ(row.gameTexts, c.gameTexts);
    EXPECT_EQ(row.input, c.input);
  }
}

}  // namespace
