// The help screen driven through the whole scene: opening it from the main
// menu, turning pages both ways round, the buttons by keys, hover and clicks,
// and every way back to the main menu.
#include "screens/help_menu.h"

#include <gtest/gtest.h>

#include "screens/keys.h"
#include "screens/main_menu.h"
#include "screens/menu_text.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::THelpMenu;
using testing_support::SameColour;

// Button centres on screen.
constexpr long double kPreviousX = -2.75L, kNextX = 1.55L, kBackX = 4.75L, kHelpButtonsY = -7;

class HelpMenuTest : public testing_support::MenuScreenTest {
 protected:
  THelpMenu& help() { return scene_.helpMenu(); }

  // Help from the main menu by keys: item 4 is three steps down from item 1.
  void OpenHelpByKeys() {
    Tap(screens::kKeyDown);
    Tap(screens::kKeyDown);
    Tap(screens::kKeyDown);
    Tap(screens::kKeyEnter);
  }

  // The page sprites that are shown, by page number.
  std::vector<int> ShownPages() {
    std::vector<int> pages;
    for (int n = 1; n <= THelpMenu::kPages; ++n)
      if (Shown(help().pageSprite(n))) pages.push_back(n);
    return pages;
  }
};

TEST_F(HelpMenuTest, OpensOnPageOneWithThreeButtons) {
  OpenHelpByKeys();
  ASSERT_EQ(state(), core::ssHelp);
  EXPECT_EQ(help().page(), 1);
  EXPECT_EQ(ShownPages(), std::vector<int>{1});

  EXPECT_EQ(Texts(), (std::vector<std::string>{"PREVIOUS", "NEXT", "BACK"}));
  const struct {
    const char* text;
    float x;
    bool selected;
  } kButtons[] = {{"PREVIOUS", -5, true}, {"NEXT", 0.7f, false}, {"BACK", 3.7f, false}};
  for (const auto& b : kButtons) {
    SCOPED_TRACE(b.text);
    const engine::PrintedText* t = FindText(b.text);
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->position.x, b.x);
    EXPECT_FLOAT_EQ(t->position.y, -7);
    EXPECT_FLOAT_EQ(t->scale.x, 0.5f);
    EXPECT_TRUE(SameColour(t->color, b.selected ? screens::kSelectedColor : screens::kTextColor));
  }
}

TEST_F(HelpMenuTest, PagesWrapAroundBothWays) {
  OpenHelpByKeys();
  // PREVIOUS is selected: Enter turns back from page 1 to page 7.
  Tap(screens::kKeyEnter);
  EXPECT_EQ(help().page(), 7);
  EXPECT_EQ(ShownPages(), std::vector<int>{7});

  Tap(screens::kKeyRight);  // NEXT
  Tap(screens::kKeyEnter);
  EXPECT_EQ(help().page(), 1);
  EXPECT_EQ(ShownPages(), std::vector<int>{1});

  // Clicks turn the same way and show exactly one page each time.
  for (int expected : {2, 3, 4, 5, 6, 7, 1}) {
    ClickAt(kNextX, kHelpButtonsY);
    EXPECT_EQ(help().page(), expected);
    EXPECT_EQ(ShownPages(), std::vector<int>{expected});
  }
  ClickAt(kPreviousX, kHelpButtonsY);
  EXPECT_EQ(help().page(), 7);
  EXPECT_EQ(state(), core::ssHelp);
}

TEST_F(HelpMenuTest, SelectionWrapsWithATickAndUpDownDoNothing) {
  OpenHelpByKeys();
  Ticks();
  const struct {
    int key;
    int selection;
    int ticks;
  } kSteps[] = {
      {screens::kKeyLeft, THelpMenu::kBack, 1},       // left from PREVIOUS wraps to BACK
      {screens::kKeyRight, THelpMenu::kPrevious, 1},  // right from BACK wraps to PREVIOUS
      {screens::kKeyRight, THelpMenu::kNext, 1},     {screens::kKeyUp, THelpMenu::kNext, 0},
      {screens::kKeyDown, THelpMenu::kNext, 0},
  };
  for (const auto& step : kSteps) {
    Tap(step.key);
    EXPECT_EQ(help().selection(), step.selection);
    EXPECT_EQ(Ticks(), step.ticks);
  }
  EXPECT_EQ(help().page(), 1);

  program_.persistent.settings.SoundOn = 0;
  Tap(screens::kKeyRight);
  EXPECT_EQ(Ticks(), 0);
}

TEST_F(HelpMenuTest, HoverSelectsOnlyWhenThePointerMoves) {
  OpenHelpByKeys();
  Ticks();
  MoveTo(kBackX, kHelpButtonsY);
  EXPECT_EQ(help().selection(), THelpMenu::kBack);
  EXPECT_EQ(Ticks(), 1);

  // The keys move the selection away; a resting pointer does not take it back.
  Tap(screens::kKeyLeft);
  Frame();
  EXPECT_EQ(help().selection(), THelpMenu::kNext);

  // Between NEXT and BACK, and on a border, nothing is selected.
  MoveTo(3.1L, kHelpButtonsY);
  MoveTo(kBackX, -6);
  EXPECT_EQ(help().selection(), THelpMenu::kNext);
}

TEST_F(HelpMenuTest, LeavingFromPageFiveAndComingBackShowsPageOne) {
  OpenHelpByKeys();
  Tap(screens::kKeyRight);
  for (int i = 0; i < 4; ++i) Tap(screens::kKeyEnter);
  ASSERT_EQ(help().page(), 5);

  Tap(screens::kKeyEsc);
  EXPECT_EQ(state(), core::ssMainMenu);
  Tap(screens::kKeyEnter);  // the main menu still has Help selected
  ASSERT_EQ(state(), core::ssHelp);
  EXPECT_EQ(help().page(), 1);
  EXPECT_EQ(ShownPages(), std::vector<int>{1});
  EXPECT_EQ(help().selection(), THelpMenu::kNext);  // kept from the last visit
}

TEST_F(HelpMenuTest, EveryWayBackReachesTheMainMenu) {
  const struct {
    const char* name;
    void (*leave)(HelpMenuTest&);
  } kWays[] = {
      {"Esc", [](HelpMenuTest& t) { t.Tap(screens::kKeyEsc); }},
      {"Enter on BACK",
       [](HelpMenuTest& t) {
         t.Tap(screens::kKeyLeft);
         t.Tap(screens::kKeyEnter);
       }},
      {"click on BACK", [](HelpMenuTest& t) { t.ClickAt(kBackX, kHelpButtonsY); }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.name);
    scene_.mainMenu().Activate(screens::TMainMenu::kHelp);
    Frame();
    ASSERT_EQ(state(), core::ssHelp);
    ASSERT_TRUE(help().shown());
    way.leave(*this);
    EXPECT_EQ(state(), core::ssMainMenu);
    EXPECT_FALSE(help().shown());
    EXPECT_TRUE(ShownPages().empty());
    EXPECT_TRUE(Texts().empty());
  }
}

TEST_F(HelpMenuTest, AnEngineRestartShowsTheOpenPageAgain) {
  OpenHelpByKeys();
  Tap(screens::kKeyRight);
  Tap(screens::kKeyEnter);
  ASSERT_EQ(help().page(), 2);

  world().Clear();  // every engine object dies with the engine
  scene_.InitialiseAll();
  EXPECT_EQ(state(), core::ssHelp);
  EXPECT_EQ(ShownPages(), std::vector<int>{2});
}

}  // namespace
