// The boss key: its exact modifier combination, and what it does in a window.
#include "tests/shell/driver_fixture.h"

namespace {

using testing_support::DriverTest;

constexpr int kLeftShift = 42, kRightShift = 54, kLeftCtrl = 29, kRightCtrl = 157;
constexpr int kLeftAlt = 56, kRightAlt = 184;

TEST_F(DriverTest, BossKeyActsOnlyWithExactlyTheChosenModifiers) {
  struct Case {
    const char* name;
    std::uint8_t shift, alt, ctrl;  // the combination in the settings
    std::initializer_list<int> held;
    bool fires;
  };
  const Case cases[] = {
      {"F12 alone", 0, 0, 0, {}, true},
      {"F12 alone, Shift held", 0, 0, 0, {kLeftShift}, false},
      {"Ctrl+F12 with right Ctrl", 0, 0, 1, {kRightCtrl}, true},
      {"Ctrl+F12 without Ctrl", 0, 0, 1, {}, false},
      {"Ctrl+F12 with Ctrl+Alt", 0, 0, 1, {kLeftCtrl, kLeftAlt}, false},
      {"Ctrl+Alt+F12 with left Ctrl and right Alt", 0, 1, 1, {kLeftCtrl, kRightAlt}, true},
      {"Shift+F12 with right Shift", 1, 0, 0, {kRightShift}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::DriverScenario s;
    s.settings().BossShift = c.shift;
    s.settings().BossAlt = c.alt;
    s.settings().BossCtrl = c.ctrl;
    s.AtFrame(2, [&s, &c] { s.PressBossKey(c.held); });
    bool minimised = false;
    s.AtFrame(4, [&] {
      minimised = s.WindowRecord(s.platform_.LastWindow()).minimised;
      EXPECT_EQ(s.program_.driver.WindowActivated, !c.fires);
      s.CloseWindow();
    });
    s.RunDriver();
    EXPECT_EQ(minimised, c.fires);
  }
}

TEST_F(DriverTest, BossKeyInAWindowMinimisesPausesAGameAndStopsTheMusic) {
  struct Case {
    std::uint8_t screen, after;
  };
  for (const Case c :
       {Case{core::ssPlaying, core::ssPaused}, Case{core::ssMainMenu, core::ssMainMenu}}) {
    SCOPED_TRACE(core::ScreenStateName(c.screen));
    testing_support::DriverScenario s;
    s.AtFrame(2, [&s, &c] {
      s.program_.ScreenState = c.screen;
      s.program_.music.MusicPlay("2", false);
      ASSERT_NE(s.program_.music.CurrentSong(), 0);
      s.PressBossKey();
    });
    // Pressed during frame 2, seen by the check after frame 3.
    s.AtFrame(4, [&s, &c] {
      EXPECT_EQ(s.program_.ScreenState, c.after);
      EXPECT_EQ(s.program_.music.CurrentSong(), 0);
      EXPECT_TRUE(s.WindowRecord(s.platform_.LastWindow()).minimised);
    });
    // The run goes on minimised; the music does not come back by itself.
    s.AtFrame(200, [&s] {
      EXPECT_EQ(s.program_.music.CurrentSong(), 0);
      s.CloseWindow();
    });
    s.RunDriver();
    EXPECT_EQ(s.frames_, 200);
    EXPECT_EQ(s.initialisations_, 1);
    EXPECT_EQ(s.platform_.WindowsCreated(), 1);
  }
}

TEST_F(DriverTest, BossKeyChosenInTheOptionsTakesEffectOnTheNextFrame) {
  AtFrame(2, [this] { settings().BossKey = 59; });  // F1
  AtFrame(3, [this] { backend_->KeyTap(59); });
  AtFrame(5, [this] {
    EXPECT_TRUE(WindowRecord(platform_.LastWindow()).minimised);
    EXPECT_EQ(program_.windowParams.BossKey, 59);
    CloseWindow();
  });
  RunDriver();
}

}  // namespace
