// The main menu driven through the whole scene: selection by keys with
// wrap-around, hover only when the pointer moves, open pointer areas, every
// item's action, and the highlight fade.
#include "screens/main_menu.h"

#include <gtest/gtest.h>

#include "screens/keys.h"
#include "screens/links.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::TMainMenu;

// A point inside each item's pointer area, by item number.
constexpr struct {
  long double x, y;
} kInside[TMainMenu::kItems + 1] = {
    {},      {0, 3.5L},  {0, 0.9L},    {0, -1.7L},    {0, -4.4L},
    {0, -7}, {0, -9.7L}, {-12, -8.3L}, {-12, -10.5L},
};

class MainMenuTest : public testing_support::MenuScreenTest {
 protected:
  TMainMenu& menu() { return scene_.mainMenu(); }

  // Selects `item` by keys from item 1 (the menu starts there).
  void SelectByKeys(int item) {
    for (int i = 1; i < item; ++i) Tap(screens::kKeyDown);
    Ticks();
  }
};

TEST_F(MainMenuTest, ArrowsWrapAroundAndTick) {
  const struct {
    int start, key, expected;
  } kCases[] = {
      {1, screens::kKeyUp, 8},   {8, screens::kKeyDown, 1}, {3, screens::kKeyUp, 2},
      {3, screens::kKeyDown, 4}, {8, screens::kKeyUp, 7},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << "from " << c.start << " key " << c.key);
    while (menu().selection() != c.start) Tap(screens::kKeyDown);
    Ticks();
    Tap(c.key);
    EXPECT_EQ(menu().selection(), c.expected);
    EXPECT_EQ(Ticks(), 1);
  }
}

TEST_F(MainMenuTest, SoundOffMakesSelectionSilent) {
  program_.persistent.settings.SoundOn = 0;
  Tap(screens::kKeyDown);
  MoveTo(kInside[5].x, kInside[5].y);
  EXPECT_EQ(menu().selection(), 5);
  EXPECT_EQ(Ticks(), 0);
}

TEST_F(MainMenuTest, HoverSelectsOnlyWhenThePointerMoves) {
  MoveTo(kInside[3].x, kInside[3].y);
  EXPECT_EQ(menu().selection(), 3);
  EXPECT_EQ(Ticks(), 1);

  Tap(screens::kKeyDown);  // the pointer rests on item 3
  Frame();
  EXPECT_EQ(menu().selection(), 4);

  MoveTo(kInside[3].x + 1, kInside[3].y);  // moves inside item 3
  EXPECT_EQ(menu().selection(), 3);

  MoveTo(kInside[3].x + 2, kInside[3].y);  // moves, selection unchanged: no tick
  Ticks();
  MoveTo(kInside[3].x + 3, kInside[3].y);
  EXPECT_EQ(Ticks(), 0);
}

TEST_F(MainMenuTest, BordersAndEmptyPlacesBelongToNoItem) {
  const struct {
    long double x, y;
  } kPoints[] = {
      {0, 2},       // between items 1 and 2
      {6, 3.5L},    // right end of item 1
      {-3, -4.4L},  // left end of item 4
      {-8.5L, -8},  // right end of item 7
      {15, -11},    // nothing there
      {0, 5},       // top of item 1
  };
  Tap(screens::kKeyDown);  // item 2, so that a hover to item 1 would show
  for (const auto& p : kPoints) {
    SCOPED_TRACE(testing::Message() << "(" << p.x << ", " << p.y << ")");
    MoveTo(p.x, p.y);
    EXPECT_EQ(menu().selection(), 2);
    ClickAt(p.x, p.y);
    EXPECT_EQ(state(), core::ssMainMenu);
  }
  EXPECT_EQ(Ticks(), 1);
}

TEST_F(MainMenuTest, ItemsOpenTheirScreens) {
  const struct {
    int item;
    std::uint8_t state;
  } kCases[] = {
      {TMainMenu::kOptions, core::ssOptions},
      {TMainMenu::kHighScores, core::ssRecords},
      {TMainMenu::kHelp, core::ssHelp},
      {TMainMenu::kExit, core::ssConfirmQuit},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.item);
    ClickAt(kInside[c.item].x, kInside[c.item].y);
    EXPECT_EQ(state(), c.state);
    Tap(screens::kKeyEsc);  // every one of them goes back on Esc
    ASSERT_EQ(state(), core::ssMainMenu);
    EXPECT_EQ(menu().selection(), c.item);  // kept across the visit
  }
}

TEST_F(MainMenuTest, EnterActivatesTheSelectionAndEscAsksToExit) {
  SelectByKeys(TMainMenu::kHighScores);
  Tap(screens::kKeyEnter);
  EXPECT_EQ(state(), core::ssRecords);
  Tap(screens::kKeyEsc);
  ASSERT_EQ(state(), core::ssMainMenu);
  Tap(screens::kKeyEsc);
  EXPECT_EQ(state(), core::ssConfirmQuit);
  EXPECT_TRUE(Shown(scene_.exitMenu().boxSprite()));
}

TEST_F(MainMenuTest, OptionsCopyTheLiveSettings) {
  program_.persistent.settings.BossKey = 59;
  ClickAt(kInside[TMainMenu::kOptions].x, kInside[TMainMenu::kOptions].y);
  EXPECT_EQ(scene_.optionsMenu().edit(), program_.persistent.settings);
}

TEST_F(MainMenuTest, NewGameLeavesTheMenuSceneAndStartsLevelOne) {
  ClickAt(kInside[TMainMenu::kNewGame].x, kInside[TMainMenu::kNewGame].y);
  // The new-game state starts the level in the same frame and prints the HUD.
  EXPECT_EQ(state(), core::ssPlaying);
  EXPECT_FALSE(program_.MenuSceneActive);
  EXPECT_TRUE(scene_.game().resourcesLoaded());
  EXPECT_EQ(scene_.game().GetLevel(), 1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1", "0"}));
  for (int item = 1; item <= TMainMenu::kItems; ++item)
    EXPECT_FALSE(Shown(menu().plainSprite(item)));
  EXPECT_FALSE(Shown(scene_.pointer().sprite()));
  EXPECT_FALSE(Shown(scene_.menuScene().backdropSprite()));
  EXPECT_FALSE(Shown(scene_.menuScene().sunSprite()));

  const auto heroX = scene_.menuScene().quester().x();
  Frame();
  EXPECT_EQ(scene_.menuScene().quester().x(), heroX);  // the menu scene stands still
}

TEST_F(MainMenuTest, LinksMinimiseTheWindowAndOpenTheirTargets) {
  const struct {
    int item;
    std::string target;
  } kCases[] = {
      {TMainMenu::kWebSite, screens::WebSiteLink()},
      {TMainMenu::kTellAFriend, screens::TellAFriendLink()},
      {TMainMenu::kSubscribe, screens::SubscribeLink()},
  };
  for (const bool windowed : {true, false}) {
    program_.persistent.settings.Windowed = windowed ? 1 : 0;
    for (const auto& c : kCases) {
      SCOPED_TRACE(testing::Message() << "item " << c.item << (windowed ? " windowed" : " full"));
      program_.driver = {};
      platform_.Activate();
      scene_.mainMenu().Activate(c.item);
      ASSERT_FALSE(platform_.ShellOpens().empty());
      EXPECT_EQ(platform_.ShellOpens().back(), c.target);
      EXPECT_TRUE(platform_.Window(window_)->minimised);
      // In full screen the engine run ends and waits for the window to return.
      EXPECT_EQ(program_.driver.MinimisedForLink, !windowed);
      EXPECT_EQ(program_.driver.RestartRequested, windowed ? 0 : -1);
      EXPECT_EQ(state(), core::ssMainMenu);
    }
  }
}

TEST_F(MainMenuTest, HighlightsFadeInAndOut) {
  // The fixture ran one frame: item 1 fades in, item 2 (lit at the start) out.
  EXPECT_NEAR(menu().opacity(1), 0.05, 1e-9);
  EXPECT_NEAR(menu().opacity(2), 0.95, 1e-9);
  for (int i = 0; i < 19; ++i) Frame();
  EXPECT_NEAR(menu().opacity(1), 1, 1e-9);
  EXPECT_NEAR(menu().opacity(2), 0, 1e-9);
  EXPECT_NEAR(world().sprites.at(menu().highlightSprite(1)).color.a, 1, 1e-6);

  Tap(screens::kKeyDown);
  EXPECT_NEAR(menu().opacity(1), 0.95, 1e-9);
  EXPECT_NEAR(menu().opacity(2), 0.05, 1e-9);

  // On other screens the highlights keep their opacity.
  Tap(screens::kKeyEsc);
  ASSERT_EQ(state(), core::ssConfirmQuit);
  const double lit = menu().opacity(2);
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(menu().opacity(2), lit);
}

}  // namespace
