// The game binary end to end on the test X server: its window appears with the
// exact caption and shows a picture, keys sent with xdotool reach the game (Esc
// opens the exit question, Enter confirms it), closing ends the process with
// exit code 0, and at the end "play.url" is handed to the desktop opener (a
// stand-in xdg-open on PATH records it). In full screen the boss key hides the
// game and the same combination, grabbed system-wide, brings it back. With
// --replay it plays a game recorded by zq-sim and ends with it, or with Esc.
#include "tests/display/game_binary_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::GameBinaryTest;
using testing_support::Shell;

TEST_F(GameBinaryTest, KeysReachTheGameAndConfirmingTheExitQuestionEndsIt) {
  Start();
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty()) << "no window with the caption \"Zorbelline Quester\"";
  EXPECT_EQ(Shell("xdotool getwindowname " + window), "Zorbelline Quester");
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); }))
      << "the main menu never showed";
  Shell("xdotool windowfocus --sync " + window);
  // The question's box covers the middle of the picture.
  const auto before = Sample(screen, window, 220, 160, 360, 280);
  Shell("xdotool key Escape");
  ASSERT_TRUE(Eventually([&] {
    return Changed(before, Sample(screen, window, 220, 160, 360, 280)) > 36 * 28 / 3;
  })) << "Esc did not bring up the question";
  EXPECT_EQ(WaitForExit(0s), -1) << "still running with the question open";
  Shell("xdotool key Return");
  EXPECT_EQ(WaitForExit(60s), 0);
  EXPECT_EQ(Opened(), "play.url\n");
}

// The pointer moved by XTest (as remote desktops do) hovers a menu item: the
// item lights up.
TEST_F(GameBinaryTest, PointerMovedByXTestHighlightsTheItemUnderIt) {
  Start();
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); }));
  // HIGH SCORES spans x 200..600, y 312..372 of the picture.
  const auto item = [&] { return Sample(screen, window, 200, 312, 400, 60); };
  Shell("xdotool mousemove --window " + window + " 790 10");
  const auto before = item();
  // Moved on within the item at each look, as a hand does: a game still
  // starting on a busy machine may miss the first motion into its window.
  int step = 0;
  EXPECT_TRUE(Eventually(
      [&] {
        Shell("xdotool mousemove --window " + window + " " + std::to_string(560 + step++ % 2) +
              " 342");
        return Changed(before, item()) > 40 * 6 / 4;
      },
      10s))
      << "HIGH SCORES is not highlighted under the pointer";
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitForExit(60s), 0);
}

TEST_F(GameBinaryTest, TerminatingTheProcessClosesTheWindowAndEndsCleanly) {
  Start();
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); }));
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitForExit(60s), 0);
  EXPECT_EQ(Opened(), "play.url\n");
  EXPECT_FALSE(fs::exists(runtime_ / "data" / "boss.dat")) << "the resume record is consumed";
}

TEST_F(GameBinaryTest, FullScreenBossKeyHidesTheGameUntilTheSystemWideHotKey) {
  ChooseFullScreen();
  Start();
  ASSERT_TRUE(WaitForVisible(true));
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, ""); })) << "nothing on the screen";
  // Each cycle destroys and makes the window again while SDL may still send
  // wake-up messages to the old one; the errors the server answers must not end
  // the game, whenever SDL reads them (at the latest when it closes at exit).
  for (int cycle = 0; cycle < 4; ++cycle) {
    SCOPED_TRACE(testing::Message() << "cycle " << cycle);
    Shell("xdotool key F12");
    ASSERT_TRUE(WaitForVisible(false)) << "the boss key did not hide the game";
    EXPECT_EQ(WaitForExit(0s), -1);
    // Now a system-wide hot key (no window of ours has the focus). The game
    // grabs it once the old window is gone and the engine closed: a press
    // before that reaches no one, as it would for a player, who presses again.
    int presses = 0;
    do {
      Shell("xdotool key F12");
      ++presses;
    } while (presses < 3 && !Eventually([&] { return AnyVisible(); }, 10s));
    ASSERT_TRUE(WaitForVisible(true)) << "the hot key did not bring the game back";
    ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, ""); })) << "nothing on the screen";
  }
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitForExit(60s), 0);
  EXPECT_EQ(Opened(), "play.url\n");
}

// A web link in full screen: the game waits in the task bar (under a window
// manager) without the focus, and comes back when that entry is activated.
// Without a window manager there is no task bar: it waits hidden until the boss
// hot key.
// Disabled: the click on the web site item does not reach the game in this
// test (the item lights up under the pointer, no link is opened), while the
// same click made by hand after a pause does; to be looked into.
TEST_F(GameBinaryTest, DISABLED_FullScreenWebLinkWaitsInTheTaskBarUntilActivated) {
  ChooseFullScreen();
  Start();
  ASSERT_TRUE(WaitForVisible(true));
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, ""); })) << "nothing on the screen";
  // The web site item, once the menu takes the pointer (it lights up under it),
  // clicked. The 800 x 600 picture is scaled by 1.2 and centred on the screen.
  const auto item = [&] { return Sample(screen, "", 460, 530, 360, 80); };
  const auto before = item();
  Shell("xdotool mousemove --sync 637 570");
  ASSERT_TRUE(Eventually([&] { return Changed(before, item()) > 36 * 8 / 4; }))
      << "the web site item does not light up under the pointer";
  Shell("xdotool click 1");
  ASSERT_TRUE(Eventually([&] { return !Opened().empty(); })) << "the web page was not opened";
  EXPECT_NE(Opened().find("http"), std::string::npos) << Opened();
  ASSERT_TRUE(WaitForVisible(false)) << "the game did not make way for the web page";
  std::string waiting;
  if (UnderWindowManager()) {
    ASSERT_TRUE(Eventually([&] { return !(waiting = IconifiedWindow()).empty(); }, 10s))
        << "no task-bar entry to come back with";
  }
  // The wait lasts: the waiting window neither takes the focus nor shows.
  EXPECT_FALSE(Eventually([&] { return AnyVisible(); }, 2s)) << "the wait ended by itself";
  EXPECT_EQ(WaitForExit(0s), -1);
  if (UnderWindowManager()) {
    Shell("xdotool windowactivate " + waiting);  // the task-bar entry clicked
  } else {
    Shell("xdotool key F12");
  }
  ASSERT_TRUE(WaitForVisible(true)) << "the game did not come back";
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, ""); })) << "nothing on the screen";
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitForExit(60s), 0);
}

TEST_F(GameBinaryTest, TerminatingDuringTheHiddenWaitEndsTheProgram) {
  ChooseFullScreen();
  Start();
  ASSERT_TRUE(WaitForVisible(true));
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, ""); }));
  Shell("xdotool key F12");
  ASSERT_TRUE(WaitForVisible(false));
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitForExit(60s), 0);
  EXPECT_EQ(Opened(), "play.url\n");
}

// The default window: 800 x 600 and not sizeable (equal minimum and maximum
// sizes in its hints).
TEST_F(GameBinaryTest, DefaultWindowIs800By600AndNotSizeable) {
  Start();
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(WaitForVisible(true));
  const Geometry g = WindowGeometry(window);
  EXPECT_EQ(g.width, 800);
  EXPECT_EQ(g.height, 600);
  const std::string hints = Shell("xprop -id " + window + " WM_NORMAL_HINTS");
  EXPECT_NE(hints.find("minimum size: 800 by 600"), std::string::npos) << hints;
  EXPECT_NE(hints.find("maximum size: 800 by 600"), std::string::npos) << hints;
}

// --scale 2 and --scale fit (on a 2048 x 1536 screen without a window manager's
// frame the largest factor is 2) open a 1600 x 1200 window that shows the
// picture over all of it, and a click on the Exit item at its place in the
// larger window opens the exit question, which Enter confirms.
TEST_F(GameBinaryTest, ScaledWindowShowsThePictureAndTakesClicksWhereItIsDrawn) {
  std::istringstream screenSize(Shell("xdotool getdisplaygeometry"));
  int screenWidth = 0, screenHeight = 0;
  screenSize >> screenWidth >> screenHeight;
  if (screenWidth < 1600 || screenHeight < 1200)
    GTEST_SKIP() << "the screen is smaller than 1600 x 1200";
  for (const char* scale : {"2", "fit"}) {
    SCOPED_TRACE(scale);
    std::ofstream(runtime_ / "data" / "boss.dat", std::ios::binary) << std::string(8, '\0');
    Start({"--scale", scale});
    const std::string window = WaitForWindow();
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(WaitForVisible(true));
    const Geometry g = WindowGeometry(window);
    EXPECT_EQ(g.width, 1600);
    EXPECT_EQ(g.height, 1200);
    // The menu's picture reaches the lower right quarter of the window.
    testing_support::OtherXClient screen;
    int lit = 0;
    for (int i = 0; i < 100 && lit == 0; ++i, std::this_thread::sleep_for(100ms))
      lit = LitPoints(screen, window, 800, 600, 800, 600);
    EXPECT_GT(lit, 0) << "the lower right is black";
    // Exit spans -3..3 by -11..-8.5 units: pixels 325..475 by 512..575 of the
    // picture, 650..950 by 1025..1150 of the doubled window, centre (800, 1088).
    // The item lights up once the menu takes the pointer: then it is clicked.
    Shell("xdotool windowfocus --sync " + window);
    const auto exitItem = [&] { return Sample(screen, window, 650, 1025, 300, 125); };
    Shell("xdotool mousemove --window " + window + " 1580 20");
    const auto unlit = exitItem();
    Shell("xdotool mousemove --window " + window + " 800 1088");
    ASSERT_TRUE(Eventually([&] { return Changed(unlit, exitItem()) > 30 * 12 / 4; }, 10s))
        << "Exit is not highlighted under the pointer";
    // The question covers the middle of the window.
    const auto middle = [&] { return Sample(screen, window, 440, 320, 720, 560); };
    const auto menu = middle();
    Shell("xdotool click 1");
    ASSERT_TRUE(Eventually([&] { return Changed(menu, middle()) > 72 * 56 / 3; }, 10s))
        << "the click did not bring up the question";
    EXPECT_EQ(WaitForExit(0s), -1) << "still running with the question open";
    Shell("xdotool key Return");
    EXPECT_EQ(WaitForExit(60s), 0);
  }
}

// The recorded game plays in the window at the game's own pace: the level with
// the hero moving over it, and the program ends by itself when the recording
// does.
TEST_F(GameBinaryTest, ReplayPlaysTheRecordingAndEndsWithIt) {
  const fs::path recording = RecordGame();
  ASSERT_TRUE(fs::exists(recording));
  Start({"--replay", recording.string()});
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); })) << "nothing shown";
  // The level moves on by itself: the picture keeps changing.
  const auto first = Sample(screen, window);
  EXPECT_TRUE(Eventually([&] { return Changed(first, Sample(screen, window)) > 20; }))
      << "the picture stands still";
  EXPECT_EQ(WaitForExit(120s), 0);
  EXPECT_EQ(Opened(), "play.url\n");
}

TEST_F(GameBinaryTest, EscEndsAReplayEarly) {
  const fs::path recording = RecordGame();
  ASSERT_TRUE(fs::exists(recording));
  Start({"--replay", recording.string()});
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); }));
  const auto shown = std::chrono::steady_clock::now();
  Shell("xdotool windowfocus --sync " + window);
  // The first picture is the loading one, when no key is read yet: Esc is
  // pressed until the level has it. The recording's 1202 frames take 16
  // seconds at 75 a second from the level's start: an end before 12 seconds
  // is the work of Esc.
  int status = -1;
  while (status == -1 && std::chrono::steady_clock::now() - shown < 12s) {
    Shell("xdotool key Escape");
    status = WaitForExit(1s);
  }
  EXPECT_EQ(status, 0) << "Esc did not end the replay";
}

}  // namespace
