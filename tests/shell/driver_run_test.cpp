// One engine run: window, phases, closing, and the ways a run can fail to start.
#include "tests/shell/driver_fixture.h"

namespace {

using testing_support::DriverTest;

TEST_F(DriverTest, ClosingTheWindowEndsTheRunAndTheProgram) {
  AtFrame(3, [this] {
    const platform::WindowId window = platform_.LastWindow();
    EXPECT_EQ(WindowRecord(window).caption, "Zorbelline Quester");
    EXPECT_EQ(WindowRecord(window).className, "Game");
    EXPECT_EQ(WindowRecord(window).rect.left, 112);
    EXPECT_EQ(WindowRecord(window).rect.bottom, 684);
    EXPECT_TRUE(program_.driver.WindowActivated);
    EXPECT_EQ(iDisplayMode(), 0);
    EXPECT_FALSE(platform_.HotKeyRegistered(shell::kAltTabHotKey));
    CloseWindow();
  });
  RunDriver();
  EXPECT_EQ(initialisations_, 1);
  EXPECT_EQ(frames_, 3);
  EXPECT_EQ(platform_.WindowsCreated(), 1);
  EXPECT_TRUE(WindowRecord(1).destroyed);
  EXPECT_FALSE(backend_->isOpen());
  EXPECT_TRUE(platform_.MessageBoxes().empty());
  EXPECT_GT(backend_->presentCount(), 0);
}

TEST_F(DriverTest, FullScreenRunSwallowsAltTabAndAltF4) {
  settings().Windowed = 0;
  AtFrame(2, [this] {
    EXPECT_GT(iDisplayMode(), 0);
    EXPECT_TRUE(platform_.HotKeyRegistered(shell::kAltTabHotKey));
    EXPECT_TRUE(platform_.HotKeyRegistered(shell::kAltF4HotKey));
    EXPECT_FALSE(platform_.HotKeyRegistered(shell::kBossHotKey));
  });
  // Alt+F4 reaches the window as a hot key and changes nothing.
  AtFrame(3, [this] { EXPECT_TRUE(platform_.PressHotKey(platform::MOD_ALT, 115)); });
  AtFrame(6, [this] { CloseWindow(); });
  RunDriver();
  EXPECT_EQ(frames_, 6);
  EXPECT_EQ(initialisations_, 1);
  EXPECT_TRUE(platform_.HotKeys().empty());
}

TEST_F(DriverTest, ExitFromTheGameEndsTheProgram) {
  AtFrame(4, [] { iExit(); });
  RunDriver();
  EXPECT_EQ(frames_, 4);
  EXPECT_EQ(platform_.WindowsCreated(), 1);
}

TEST_F(DriverTest, UnreadableRefreshRateInFrequencyModeTwoEndsTheRun) {
  platform_.SetRefreshRate(0);
  core::FillWindowParams(program_.windowParams, 1024, 768, settings());
  program_.windowParams.FrequencyMode = 2;
  shell::RunMainLoop(program_, hooks_);
  EXPECT_EQ(initialisations_, 0);
  EXPECT_FALSE(backend_->isOpen());
  EXPECT_TRUE(WindowRecord(1).destroyed);
}

TEST_F(DriverTest, EngineErrorAfterInitialisationEndsTheRun) {
  hooks_.InitialiseAll = [] { i3ImpactErrorFlagSet(1); };
  RunDriver();
  EXPECT_EQ(frames_, 0);
  EXPECT_FALSE(backend_->isOpen());
}

}  // namespace
