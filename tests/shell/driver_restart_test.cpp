// Restarts: the boss key and lost focus in full screen, web links, display
// changes, the hidden wait and its two fatal message boxes.
#include "tests/shell/driver_fixture.h"

namespace {

using platform::ShowCommand;
using testing_support::DriverTest;
using testing_support::RestartTest;

TEST_F(RestartTest, BossKeyInFullScreenWaitsHiddenUntilTheHotKeyOpensANewRun) {
  AtFrame(2, [this] { PressBossKey(); });
  bool waited = false;
  platform_.WhenWaiting([this, &waited] {
    waited = true;
    EXPECT_FALSE(backend_->isOpen());
    EXPECT_EQ(initialisations_, 1);
    const platform::WindowId window = platform_.LastWindow();
    EXPECT_EQ(window, 2u);
    EXPECT_TRUE(WindowRecord(1).destroyed);
    // Hidden, without a task-bar button.
    EXPECT_EQ(WindowRecord(window).shows, std::vector<ShowCommand>{ShowCommand::Hide});
    EXPECT_FALSE(platform_.HotKeyRegistered(shell::kAltTabHotKey));
    EXPECT_FALSE(platform_.PressHotKey(platform::MOD_SHIFT, kF12Key));
    EXPECT_TRUE(platform_.PressHotKey(0, kF12Key));
  });
  AtFrame(10, [this] {
    EXPECT_EQ(initialisations_, 2);
    EXPECT_GT(iDisplayMode(), 0);
    EXPECT_FALSE(platform_.HotKeyRegistered(shell::kBossHotKey));
    CloseWindow();
  });
  RunDriver();
  EXPECT_TRUE(waited);
  EXPECT_EQ(initialisations_, 2);
  EXPECT_EQ(platform_.WindowsCreated(), 2);
  EXPECT_TRUE(platform_.MessageBoxes().empty());
  EXPECT_TRUE(platform_.HotKeys().empty());
}

TEST_F(RestartTest, HotKeyOfTheWaitUsesTheBossModifiers) {
  settings().BossCtrl = 1;
  settings().BossAlt = 1;
  AtFrame(2, [this] { PressBossKey({29, 56}); });
  platform_.WhenWaiting([this] {
    ASSERT_EQ(platform_.HotKeys().size(), 1u);
    EXPECT_EQ(platform_.HotKeys()[0].id, shell::kBossHotKey);
    EXPECT_EQ(platform_.HotKeys()[0].modifiers, platform::MOD_CONTROL | platform::MOD_ALT);
    EXPECT_EQ(platform_.HotKeys()[0].virtualKey, kF12Key);
    CloseWindow();
  });
  AtFrame(8, [this] { CloseWindow(); });
  RunDriver();
  EXPECT_EQ(initialisations_, 2);
}

TEST_F(RestartTest, LosingTheFocusInFullScreenEndsTheRunAndWaits) {
  AtFrame(3, [this] { platform_.Deactivate(); });
  platform_.OnIdle([this] {
    EXPECT_EQ(frames_, 4);  // the run phase after the deactivation still ran
    EXPECT_TRUE(platform_.PressHotKey(0, kF12Key));
  });
  AtFrame(6, [this] { CloseWindow(); });
  RunDriver();
  EXPECT_EQ(initialisations_, 2);
}

TEST_F(RestartTest, LosingTheFocusInAWindowChangesNothing) {
  settings().Windowed = 1;
  AtFrame(3, [this] { platform_.Deactivate(); });
  AtFrame(20, [this] { CloseWindow(); });
  RunDriver();
  EXPECT_EQ(initialisations_, 1);
  EXPECT_EQ(platform_.WindowsCreated(), 1);
}

TEST_F(RestartTest, WaitEndsWithTheHotKeyOrAClose) {
  struct Case {
    const char* name;
    void (*end)(platform::ScriptedPlatform&);
  };
  const Case cases[] = {
      {"hot key", [](platform::ScriptedPlatform& p) { p.PressHotKey(0, kF12Key); }},
      {"close", [](platform::ScriptedPlatform& p) { p.PostToGameWindow(platform::WM_CLOSE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::DriverScenario s(false);
    s.AtFrame(2, [&s] { s.PressBossKey(); });
    s.platform_.WhenWaiting([&s, &c] { c.end(s.platform_); });
    s.AtFrame(5, [&s] { s.CloseWindow(); });
    s.RunDriver();
    EXPECT_EQ(s.initialisations_, 2);
  }
}

TEST_F(RestartTest, HotKeyWhileTheBossKeyIsCapturedOnlyEndsTheCapture) {
  AtFrame(2, [this] { PressBossKey(); });
  platform_.WhenWaiting([this] {
    program_.ScreenState = core::ssOptionsBossKey;
    platform_.PressHotKey(0, kF12Key);
  });
  platform_.WhenWaiting([this] {
    EXPECT_EQ(program_.ScreenState, core::ssOptions);
    EXPECT_FALSE(backend_->isOpen());  // still waiting
    platform_.PressHotKey(0, kF12Key);
  });
  AtFrame(8, [this] { CloseWindow(); });
  RunDriver();
  EXPECT_EQ(initialisations_, 2);
}

TEST_F(RestartTest, WebLinkInFullScreenWaitsMinimisedUntilActivated) {
  AtFrame(2, [this] {
    // What the main menu does for a link in full screen.
    program_.driver.MinimisedForLink = true;
    program_.driver.RestartRequested = -1;
    platform_.SendMessage(platform_.FindWindowByCaption("Zorbelline Quester"),
                          platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
  });
  platform_.WhenWaiting([this] {
    EXPECT_EQ(WindowRecord(2).shows,
              (std::vector<ShowCommand>{ShowCommand::Hide, ShowCommand::Minimize}));
    platform_.Activate();  // the task-bar button is clicked
  });
  AtFrame(4, [this] {
    EXPECT_EQ(WindowRecord(2).shows,
              (std::vector<ShowCommand>{ShowCommand::Hide, ShowCommand::Minimize,
                                        ShowCommand::ShowNormal}));
    EXPECT_FALSE(program_.driver.MinimisedForLink);
    EXPECT_TRUE(program_.driver.WindowProcActive);
    CloseWindow();
  });
  RunDriver();
  EXPECT_EQ(initialisations_, 2);
}

TEST_F(RestartTest, DisplayChangeReopensAtOnceInTheNewMode) {
  settings().Windowed = 1;
  AtFrame(2, [this] {
    // What the options screen's apply does when the display mode changed.
    settings().Windowed = 0;
    program_.driver.DisplayChanged = true;
    program_.driver.RestartRequested = -1;
  });
  AtFrame(3, [this] {
    EXPECT_EQ(initialisations_, 2);
    EXPECT_GT(iDisplayMode(), 0);
    EXPECT_FALSE(program_.driver.DisplayChanged);
    EXPECT_EQ(program_.windowParams.FullScreen, -1);
    CloseWindow();
  });
  RunDriver();  // no wait step is scripted: waiting would throw
  EXPECT_EQ(platform_.WindowsCreated(), 2);
  EXPECT_TRUE(platform_.MessageBoxes().empty());
}

TEST_F(RestartTest, RefusedBossHotKeyIsFatal) {
  struct Case {
    const char* name;
    std::uint8_t bossKey;
    bool heldElsewhere;
  };
  for (const Case c : {Case{"held by another program", kF12, true},
                       Case{"code without a virtual key", 84, false}}) {
    SCOPED_TRACE(c.name);
    testing_support::DriverScenario s(false);
    s.settings().BossKey = c.bossKey;
    if (c.heldElsewhere) s.platform_.RefuseHotKey(0, kF12Key);
    s.AtFrame(2, [&s] { s.PressBossKey(); });
    s.RunDriver();
    ASSERT_EQ(s.platform_.MessageBoxes().size(), 1u);
    const auto& box = s.platform_.MessageBoxes()[0];
    EXPECT_EQ(box.owner, 2u);
    EXPECT_EQ(box.text, "Unable to register Keep Key. Program terminate");
    EXPECT_EQ(box.caption, "Fatal error");
    EXPECT_EQ(box.flags, platform::MB_ICONERROR);
    EXPECT_TRUE(s.WindowRecord(2).destroyed);
    EXPECT_EQ(s.initialisations_, 1);
  }
}

TEST_F(RestartTest, GetMessageFailureAsksWhetherToStartAgain) {
  struct Case {
    int answer;
    int runs;
    int windows;
  };
  for (const Case c : {Case{platform::IDYES, 2, 3}, Case{platform::IDNO, 1, 2}}) {
    SCOPED_TRACE(c.answer);
    testing_support::DriverScenario s(false);
    s.AtFrame(2, [&s] { s.PressBossKey(); });
    s.platform_.WhenWaiting([&s] { s.platform_.FailNextGetMessage(); });
    s.platform_.AnswerMessageBox(c.answer);
    s.AtFrame(5, [&s] { s.CloseWindow(); });
    s.RunDriver();
    ASSERT_EQ(s.platform_.MessageBoxes().size(), 1u);
    const auto& box = s.platform_.MessageBoxes()[0];
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.text,
              "Critical error on GetMessage function. Try to reset program? If No, then saved "
              "data will be losed!");
    EXPECT_EQ(box.caption, "Fatal error");
    EXPECT_EQ(box.flags, 0x40034u);
    EXPECT_TRUE(s.WindowRecord(2).destroyed);
    EXPECT_EQ(s.initialisations_, c.runs);
    EXPECT_EQ(s.platform_.WindowsCreated(), c.windows);
    EXPECT_FALSE(s.platform_.HotKeyRegistered(shell::kBossHotKey));
  }
}

}  // namespace
