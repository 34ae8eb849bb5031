// The high-score table driven through the whole scene: its rows and buttons,
// the selection by keys and pointer, clearing through the yes/no question that
// starts on NO, the world high-score page, and every way back.
#include "screens/records_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/colors.h"
#include "screens/exit_menu.h"
#include "screens/keys.h"
#include "screens/main_menu.h"
#include "screens/publisher.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::TRecordsMenu;
using testing_support::FileBytes;
using testing_support::SameColour;

constexpr long double kBackX = -6.2L, kBackY = -6;
constexpr long double kClearX = 0, kClearY = -7;
constexpr long double kWorldX = 2, kWorldY = -6;

class RecordsMenuTest : public testing_support::MenuScreenTest {
 public:
  TRecordsMenu& records() { return scene_.recordsMenu(); }

  void OpenTable() {
    scene_.mainMenu().Activate(screens::TMainMenu::kHighScores);
    Frame();
    ASSERT_EQ(state(), core::ssRecords);
  }
};

TEST_F(RecordsMenuTest, RowsAndButtonsAreDrawnAsTheTableSays) {
  program_.persistent.records.entries[0].Name.SetText("Zorbelline");
  program_.persistent.records.entries[0].Score = 1234567;
  program_.persistent.records.entries[9].Name.SetText("");
  OpenTable();
  ASSERT_TRUE(records().shown());

  const std::vector<std::string> texts = Texts();
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts[0], "Zorbelline   1234567");
  EXPECT_EQ(texts[1], " Anonymous      900");
  EXPECT_EQ(texts[9], "                100");
  for (int r = 1; r <= 10; ++r) {
    const engine::PrintedText& row = world().texts[static_cast<std::size_t>(r - 1)];
    EXPECT_FLOAT_EQ(row.position.x, -5.5f);
    EXPECT_FLOAT_EQ(row.position.y, static_cast<float>(6.5L - 1.12L * r));
    EXPECT_FLOAT_EQ(row.scale.x, 0.5f);
    EXPECT_TRUE(SameColour(row.color, screens::kAlarmColor));
  }
  const struct {
    const char* text;
    float x, y;
    bool selected;
  } kButtons[] = {{"BACK", -7, -6, true},
                  {"Clear High Score", -3.5f, -7, false},
                  {"View World's High Score", -2.5f, -6, false}};
  for (const auto& b : kButtons) {
    SCOPED_TRACE(b.text);
    const engine::PrintedText* t = FindText(b.text);
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->position.x, b.x);
    EXPECT_FLOAT_EQ(t->position.y, b.y);
    EXPECT_FLOAT_EQ(t->scale.x, 0.4f);
    EXPECT_TRUE(SameColour(t->color, b.selected ? screens::kSelectedColor : screens::kTextColor));
  }
}

TEST_F(RecordsMenuTest, KeysMoveTheSelectionBothWaysRound) {
  OpenTable();
  const struct {
    int key;
    int selection;
  } kSteps[] = {
      {screens::kKeyUp, TRecordsMenu::kViewWorld},  // up from BACK wraps
      {screens::kKeyRight, TRecordsMenu::kClear},   // Right moves up too
      {screens::kKeyDown, TRecordsMenu::kViewWorld},
      {screens::kKeyLeft, TRecordsMenu::kBack},  // Left moves down, wrapping
  };
  for (const auto& step : kSteps) {
    Tap(step.key);
    EXPECT_EQ(records().selection(), step.selection);
  }
  EXPECT_EQ(state(), core::ssRecords);
}

TEST_F(RecordsMenuTest, HoverSelectsAndTicksOnlyOnAChange) {
  OpenTable();
  Ticks();
  MoveTo(kClearX, kClearY);
  EXPECT_EQ(records().selection(), TRecordsMenu::kClear);
  EXPECT_EQ(Ticks(), 1);
  MoveTo(kClearX + 1, kClearY);
  EXPECT_EQ(Ticks(), 0);
  MoveTo(kWorldX, kWorldY);
  EXPECT_EQ(records().selection(), TRecordsMenu::kViewWorld);
  MoveTo(-5, -6);  // between BACK and View World's High Score
  EXPECT_EQ(records().selection(), TRecordsMenu::kViewWorld);
}

TEST_F(RecordsMenuTest, ClearAsksWithNoSelectedAndNoKeepsTheTable) {
  // A previous dialog left YES selected.
  ASSERT_EQ(scene_.exitMenu().selection(), screens::TExitMenu::kYes);
  program_.persistent.records.entries[0].Score = 5000;
  core::SaveRecordsFile(program_.persistent);
  const std::vector<std::uint8_t> before = FileBytes(kRecordsPath);

  OpenTable();
  Tap(screens::kKeyDown);
  Tap(screens::kKeyEnter);
  EXPECT_EQ(state(), core::ssConfirmClearRecords);
  EXPECT_EQ(scene_.exitMenu().selection(), screens::TExitMenu::kNo);
  EXPECT_FALSE(records().shown());

  Tap(screens::kKeyEnter);  // NO
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_TRUE(records().shown());
  EXPECT_EQ(program_.persistent.records.entries[0].Score, 5000);
  EXPECT_EQ(FileBytes(kRecordsPath), before);
}

TEST_F(RecordsMenuTest, ClearByClickAndYesRestoresTheDefaultTable) {
  program_.persistent.records.entries[3].Name.SetText("Someone");
  core::SaveRecordsFile(program_.persistent);
  OpenTable();
  ClickAt(kClearX, kClearY);
  ASSERT_EQ(state(), core::ssConfirmClearRecords);
  Tap(screens::kKeyLeft);  // to YES
  Tap(screens::kKeyEnter);
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(program_.persistent.records, core::RecordsTable::Defaults());
  EXPECT_EQ(Texts()[3], " Anonymous      700");
}

TEST_F(RecordsMenuTest, WorldHighScoresOpenThroughTheShell) {
  const std::string link =
      std::string(screens::kPublisherSite) + "/cgi/version.pl?prg=ZorbellineQuester&show&type=0";
  EXPECT_EQ(screens::WorldHighScoresLink(), link);
  const struct {
    const char* name;
    std::uint8_t windowed;
    bool restart;
  } kModes[] = {{"window", 1, false}, {"full screen", 0, true}, {"unusual byte", 7, true}};
  for (const auto& mode : kModes) {
    SCOPED_TRACE(mode.name);
    program_.persistent.settings.Windowed = mode.windowed;
    program_.driver = {};
    platform_.ShowGameWindow(window_, platform::ShowCommand::ShowNormal);
    const std::size_t opened = platform_.ShellOpens().size();
    OpenTable();
    ClickAt(kWorldX, kWorldY);
    ASSERT_EQ(platform_.ShellOpens().size(), opened + 1);
    EXPECT_EQ(platform_.ShellOpens().back(), link);
    EXPECT_TRUE(platform_.Window(window_)->minimised);
    EXPECT_EQ(program_.driver.RestartRequested, mode.restart ? -1 : 0);
    EXPECT_EQ(program_.driver.MinimisedForLink, mode.restart);
    EXPECT_EQ(state(), core::ssRecords);
    Tap(screens::kKeyEsc);
  }
}

TEST_F(RecordsMenuTest, EveryWayBackReachesTheMainMenu) {
  const struct {
    const char* name;
    void (*leave)(RecordsMenuTest&);
  } kWays[] = {
      {"Esc", [](RecordsMenuTest& t) { t.Tap(screens::kKeyEsc); }},
      {"Enter on BACK", [](RecordsMenuTest& t) { t.Tap(screens::kKeyEnter); }},
      {"click on BACK", [](RecordsMenuTest& t) { t.ClickAt(kBackX, kBackY); }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.name);
    OpenTable();
    ASSERT_EQ(records().selection(), TRecordsMenu::kBack);
    way.leave(*this);
    EXPECT_EQ(state(), core::ssMainMenu);
    EXPECT_FALSE(records().shown());
    EXPECT_TRUE(Texts().empty());
  }
}

}  // namespace
