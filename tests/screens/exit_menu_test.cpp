// The yes/no dialog box over the whole scene: the six questions, the buttons by
// keys, hover and clicks, every answer, and the game keys that open the
// leave-game question.
#include "screens/exit_menu.h"

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "screens/colors.h"
#include "screens/keys.h"
#include "screens/main_menu.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::TExitMenu;
using testing_support::SameColour;

constexpr long double kYesX = -1.5L, kNoX = 2.5L, kButtonsY = -2.5L;

class ExitMenuTest : public testing_support::MenuScreenTest {
 protected:
  TExitMenu& dialog() { return scene_.exitMenu(); }

  void Ask(std::uint8_t question) {
    dialog().Open(question);
    Frame();
    Ticks();
  }

  // From the main menu into a game (level 1 running).
  void StartGame() {
    scene_.mainMenu().Activate(TMainMenu::kNewGame);
    Frame();
    ASSERT_EQ(state(), core::ssPlaying);
  }

  // The colour " YES" and " NO" are printed in.
  bool YesSelected() {
    const engine::PrintedText* yes = FindText(" YES");
    return yes && SameColour(yes->color, screens::kSelectedColor);
  }

  using TMainMenu = screens::TMainMenu;
};

TEST_F(ExitMenuTest, EveryQuestionHasItsLinesAndButtons) {
  const struct {
    std::uint8_t state;
    std::vector<std::string> lines;
    float x, y, scale;  // of the first line
    iColor color;
    bool buttons;
  } kCases[] = {
      {core::ssConfirmQuit, {"Exit The Game?"}, -3.5f, 1, 0.5f, screens::kTextColor, true},
      {core::ssConfirmLeaveGame, {"Exit To Menu?"}, -3.5f, 1, 0.5f, screens::kTextColor, true},
      {core::ssConfirmClearRecords,
       {"Do You Want To", "Clear The High", "Scores Table?"},
       -3.5f,
       2,
       0.5f,
       screens::kTextColor,
       true},
      {core::ssConfirmSendResult,
       {"Send The Result", "To World's", "Highscores page?"},
       -3.5f,
       2,
       0.4f,
       screens::kTextColor,
       true},
      {core::ssSending, {"Please wait..."}, -3.5f, 0, 0.5f, screens::kAlarmColor, false},
      {core::ssConnectFailed,
       {"Can't connect", "to server! Repeat?"},
       -2.9f,
       1,
       0.4f,
       screens::kAlarmColor,
       true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(core::ScreenStateName(c.state));
    Ask(c.state);
    std::vector<std::string> expected = c.lines;
    if (c.buttons) {
      expected.push_back(" YES");
      expected.push_back(" NO");
    }
    // Under the leave-game question the game's HUD follows.
    std::vector<std::string> texts = Texts();
    if (c.state == core::ssConfirmLeaveGame) texts.resize(std::min(texts.size(), expected.size()));
    EXPECT_EQ(texts, expected);
    const engine::PrintedText* first = FindText(c.lines[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->position.x, c.x);
    EXPECT_FLOAT_EQ(first->position.y, c.y);
    EXPECT_FLOAT_EQ(first->scale.x, c.scale);
    EXPECT_TRUE(SameColour(first->color, c.color));
    if (c.buttons) {
      const engine::PrintedText* no = FindText(" NO");
      EXPECT_FLOAT_EQ(no->position.x, 1.5f);
      EXPECT_FLOAT_EQ(no->position.y, -2.5f);
      EXPECT_FLOAT_EQ(no->scale.x, 0.5f);
    }
    EXPECT_TRUE(Shown(dialog().boxSprite()));
  }
}

TEST_F(ExitMenuTest, ArrowsToggleOnceAFrameWithATick) {
  Ask(core::ssConfirmQuit);
  ASSERT_TRUE(YesSelected());
  Tap({screens::kKeyUp, screens::kKeyDown, screens::kKeyLeft, screens::kKeyRight});
  EXPECT_EQ(dialog().selection(), TExitMenu::kNo);
  EXPECT_FALSE(YesSelected());
  EXPECT_EQ(Ticks(), 1);
  Tap(screens::kKeyLeft);
  EXPECT_EQ(dialog().selection(), TExitMenu::kYes);
}

TEST_F(ExitMenuTest, HoverSelectsSilentlyAndClicksAnswer) {
  Ask(core::ssConfirmQuit);
  MoveTo(kNoX, kButtonsY);
  EXPECT_EQ(dialog().selection(), TExitMenu::kNo);
  MoveTo(kYesX, kButtonsY);
  EXPECT_EQ(dialog().selection(), TExitMenu::kYes);
  MoveTo(0.5L, kButtonsY);  // between the buttons
  EXPECT_EQ(dialog().selection(), TExitMenu::kYes);
  EXPECT_EQ(Ticks(), 0);

  ClickAt(kNoX, kButtonsY);
  EXPECT_EQ(state(), core::ssMainMenu);
  EXPECT_FALSE(Shown(dialog().boxSprite()));
  EXPECT_TRUE(Texts().empty());
}

TEST_F(ExitMenuTest, YesToExitEndsTheEngineLoop) {
  Ask(core::ssConfirmQuit);
  ASSERT_TRUE(i3ImpactIsRendering());
  Tap(screens::kKeyEnter);
  EXPECT_FALSE(i3ImpactIsRendering());
}

TEST_F(ExitMenuTest, TheNextQuestionStartsWhereTheLastOneWasLeft) {
  Ask(core::ssConfirmQuit);
  Tap(screens::kKeyRight);
  Tap(screens::kKeyEnter);  // NO
  ASSERT_EQ(state(), core::ssMainMenu);
  Tap(screens::kKeyEsc);
  ASSERT_EQ(state(), core::ssConfirmQuit);
  EXPECT_EQ(dialog().selection(), TExitMenu::kNo);
  EXPECT_FALSE(YesSelected());
}

TEST_F(ExitMenuTest, SendingTakesNoInput) {
  Ask(core::ssSending);
  Tap({screens::kKeyEnter, screens::kKeyEsc, screens::kKeyLeft});
  ClickAt(kYesX, kButtonsY);
  ClickAt(kNoX, kButtonsY);
  EXPECT_EQ(state(), core::ssSending);
  EXPECT_EQ(dialog().selection(), TExitMenu::kYes);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Please wait..."});
}

TEST_F(ExitMenuTest, SendAndRetryTakeEscBeforeEnter) {
  for (const std::uint8_t question : {core::ssConfirmSendResult, core::ssConnectFailed}) {
    SCOPED_TRACE(core::ScreenStateName(question));
    Ask(question);
    ASSERT_EQ(dialog().selection(), TExitMenu::kYes);
    Tap({screens::kKeyEnter, screens::kKeyEsc});  // Esc wins: back to the table
    EXPECT_EQ(state(), core::ssRecords);
    EXPECT_TRUE(program_.MenuSceneActive);
    EXPECT_EQ(worker_.started(), 0);
    Tap(screens::kKeyEsc);
  }
}

TEST_F(ExitMenuTest, YesToSendStartsTheWorker) {
  Ask(core::ssConnectFailed);
  ClickAt(kYesX, kButtonsY);
  EXPECT_EQ(state(), core::ssSending);
  EXPECT_EQ(worker_.started(), 1);
}

TEST_F(ExitMenuTest, YesToSendHandsTheWorkerTheEnteredRecord) {
  scene_.game().SetScore(4321);
  program_.persistent.settings.Country.SetText("Narnia");
  Ask(core::ssConfirmSendResult);
  Tap(screens::kKeyEnter);
  ASSERT_EQ(worker_.started(), 1);
  EXPECT_EQ(worker_.record().name, scene_.recordInputMenu().name());
  EXPECT_EQ(worker_.record().score, 4321);
  EXPECT_EQ(worker_.record().country, "Narnia");
}

// The worker's end is taken by the frame loop: the retry question after a
// failed version request, the main menu after a submission.
TEST_F(ExitMenuTest, TheWorkersEndChangesTheScreensInTheNextFrame) {
  Ask(core::ssConfirmSendResult);
  Tap(screens::kKeyEnter);
  ASSERT_EQ(state(), core::ssSending);
  Frame();
  EXPECT_EQ(state(), core::ssSending);  // nothing until the worker ends

  worker_.End(screens::SubmissionOutcome::kConnectFailed);
  EXPECT_EQ(state(), core::ssSending);
  Frame();
  EXPECT_EQ(state(), core::ssConnectFailed);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Can't connect", "to server! Repeat?", " YES", " NO"}));
  EXPECT_TRUE(Shown(dialog().boxSprite()));

  Tap(screens::kKeyEnter);  // YES: a fresh worker
  EXPECT_EQ(worker_.started(), 2);
  ASSERT_EQ(state(), core::ssSending);
  program_.MenuSceneActive = false;
  worker_.End(screens::SubmissionOutcome::kDone);
  Frame();
  EXPECT_EQ(state(), core::ssMainMenu);
  EXPECT_TRUE(program_.MenuSceneActive);
  EXPECT_FALSE(Shown(dialog().boxSprite()));
  EXPECT_EQ(FindText("Please wait..."), nullptr);
  EXPECT_EQ(scene_.game().GetScore(), 0);
}

TEST_F(ExitMenuTest, ClearingTheTableWritesTheDefaults) {
  core::InsertRecord(program_.persistent, 1, "Zed", 5000);
  Ask(core::ssConfirmClearRecords);
  Tap(screens::kKeyEsc);  // NO: the table stays
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(program_.persistent.records.entries[0].Score, 5000);

  Ask(core::ssConfirmClearRecords);
  Tap(screens::kKeyEnter);
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(program_.persistent.records, core::RecordsTable::Defaults());
  EXPECT_EQ(testing_support::FileBytes(kRecordsPath).size(), core::RecordsTable::kSize);
  EXPECT_FALSE(Shown(dialog().boxSprite()));
}

TEST_F(ExitMenuTest, LeavingAGameGoesToTheNameEntryOnlyForABeatenEntry) {
  const struct {
    std::int32_t score;
    std::uint8_t state;
    int rank;
  } kCases[] = {
      {100, core::ssMainMenu, 0},  // ties the tenth entry
      {101, core::ssRecordEntryName, 10},
      {1001, core::ssRecordEntryName, 1},  // above the first
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.score);
    StartGame();
    scene_.game().SetScore(c.score);
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssConfirmLeaveGame);
    EXPECT_TRUE(Shown(scene_.pointer().sprite()));
    Tap(screens::kKeyEnter);
    EXPECT_EQ(state(), c.state);
    EXPECT_FALSE(Shown(dialog().boxSprite()));
    if (c.rank == 0) {
      EXPECT_EQ(Texts(), std::vector<std::string>{}) << "no question or HUD text is left";
      EXPECT_TRUE(program_.MenuSceneActive);
      EXPECT_EQ(scene_.game().GetScore(), 0);
      EXPECT_EQ(scene_.game().GetLevel(), 0);
      EXPECT_EQ(scene_.game().GetLives(), 3);
      EXPECT_TRUE(Shown(scene_.menuScene().backdropSprite()));
    } else {
      EXPECT_EQ(scene_.recordInputMenu().rank(), c.rank);
      scene_.recordInputMenu().Cancel();
      Frame();
    }
    ASSERT_EQ(state(), core::ssMainMenu);
    EXPECT_EQ(Texts(), std::vector<std::string>{});
  }
}

// Esc and P in one frame: the question opens and takes the keys, the P is
// dropped. Whatever the order of the keys, the box and the pointer are up
// exactly while the question is.
TEST_F(ExitMenuTest, TheBoxAndPointerAreUpExactlyWhileTheQuestionIs) {
  using Keys = std::vector<int>;
  const Keys escAndP{screens::kKeyEsc, screens::kKeyP};
  const Keys p{screens::kKeyP};
  const Keys esc{screens::kKeyEsc};
  const struct {
    const char* name;
    std::vector<Keys> frames;
    std::uint8_t after;
  } kCases[] = {
      {"Esc+P", {escAndP}, core::ssConfirmLeaveGame},
      {"Esc+P, P", {escAndP, {}, {}, p}, core::ssConfirmLeaveGame},
      {"P, Esc+P", {p, escAndP}, core::ssConfirmLeaveGame},
      {"P, Esc+P, P", {p, escAndP, p}, core::ssConfirmLeaveGame},
      {"P, P", {p, p}, core::ssPlaying},
      {"P, Esc", {p, esc}, core::ssConfirmLeaveGame},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    StartGame();
    for (const Keys& keys : c.frames) {
      for (const int code : keys) backend().KeyTap(code);
      Frame();
      const bool dialog = screens::IsDialogState(state());
      EXPECT_EQ(Shown(this->dialog().boxSprite()), dialog);
      EXPECT_EQ(Shown(scene_.pointer().sprite()), dialog);
    }
    EXPECT_EQ(state(), c.after);
  }
}

TEST_F(ExitMenuTest, PauseThenLeaveQuestionAnsweredNoPlaysOnUnpaused) {
  StartGame();
  Tap(screens::kKeyPause);
  ASSERT_EQ(state(), core::ssPaused);
  EXPECT_TRUE(Shown(scene_.game().pausePicture()));
  Tap(screens::kKeyEsc);
  ASSERT_EQ(state(), core::ssConfirmLeaveGame);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Exit To Menu?", " YES", " NO", "1", "0"}));
  MoveTo(kNoX, kButtonsY);
  ClickAt(kNoX, kButtonsY);
  EXPECT_EQ(state(), core::ssPlaying);
  EXPECT_FALSE(Shown(scene_.game().pausePicture()));
  EXPECT_FALSE(Shown(scene_.pointer().sprite()));
  EXPECT_FALSE(Shown(dialog().boxSprite()));
  Tap(screens::kKeyP);
  EXPECT_EQ(state(), core::ssPaused);
  Tap(screens::kKeyP);
  EXPECT_EQ(state(), core::ssPlaying);
}

}  // namespace
