// The name entry driven through the whole scene: opened by leaving a game whose
// score beats an entry, typing the name and country, moving between the fields
// and buttons, OK (the exact table file, the live country, the send question)
// and every way of cancelling back to the main menu.
#include "screens/record_input_menu.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "screens/colors.h"
#include "screens/exit_menu.h"
#include "screens/key_names.h"
#include "screens/keys.h"
#include "screens/main_menu.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::TRecordInputMenu;
using testing_support::FileBytes;
using testing_support::SameColour;

using namespace platform::keys;

using Rows = std::vector<std::pair<std::string, std::int32_t>>;

// The 160 bytes of a table: per entry the length byte, ten characters (unused
// ones 0), a reserved 0 and the score, little-endian.
std::vector<std::uint8_t> TableBytes(const Rows& rows) {
  std::vector<std::uint8_t> out;
  for (const auto& [name, score] : rows) {
    out.push_back(static_cast<std::uint8_t>(name.size()));
    for (std::size_t i = 0; i < 10; ++i) out.push_back(i < name.size() ? name[i] : 0);
    out.push_back(0);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(score >> (8 * b)));
  }
  return out;
}

Rows DefaultRows() {
  Rows rows;
  for (int i = 0; i < 10; ++i) rows.emplace_back("Anonymous", 1000 - 100 * i);
  return rows;
}

class RecordInputMenuTest : public testing_support::MenuScreenTest {
 public:
  TRecordInputMenu& entry() { return scene_.recordInputMenu(); }

  // A new game from the main menu, its score set, then Esc and YES.
  void LeaveGameWithScore(std::int32_t score) {
    scene_.mainMenu().Activate(screens::TMainMenu::kNewGame);
    Frame();
    ASSERT_EQ(state(), core::ssPlaying);
    scene_.game().SetScore(score);
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssConfirmLeaveGame);
    if (scene_.exitMenu().selection() != screens::TExitMenu::kYes) Tap(screens::kKeyLeft);
    Tap(screens::kKeyEnter);
  }
  void Type(const std::vector<int>& keys) {
    for (int key : keys) Tap(key);
  }
  void TypeShifted(int key) {
    backend().KeyDown(screens::kKeyLeftShift);
    Frame();
    Tap(key);
    backend().KeyUp(screens::kKeyLeftShift);
  }
};

TEST_F(RecordInputMenuTest, OpensOnlyForAScoreThatBeatsAnEntry) {
  const struct {
    std::int32_t score;
    int rank;  // 0: no rank, back to the main menu
  } kCases[] = {{100, 0}, {101, 10}, {1000, 2}, {1001, 1}, {0, 0}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.score);
    LeaveGameWithScore(c.score);
    if (c.rank == 0) {
      EXPECT_EQ(state(), core::ssMainMenu);
      EXPECT_FALSE(entry().shown());
      EXPECT_TRUE(program_.MenuSceneActive);
      continue;
    }
    EXPECT_EQ(state(), core::ssRecordEntryName);
    EXPECT_TRUE(entry().shown());
    EXPECT_EQ(entry().rank(), c.rank);
    EXPECT_EQ(entry().score(), c.score);
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssMainMenu);
  }
}

TEST_F(RecordInputMenuTest, DrawsTheScoreFieldsAndButtons) {
  LeaveGameWithScore(950);
  Type({kKeyZ, kKeyE, kKeyD});
  // Draw a frame with the cursor hidden so the name stands alone.
  for (int i = 0; i < 80 && FindText("zed") == nullptr; ++i) Frame();
  const iColor chosen = screens::kSelectedColor;
  const iColor red = screens::kTextColor;
  const struct {
    std::string text;
    float x, y, scale;
    iColor colour;
  } kTexts[] = {
      {"Your score is 950", -4, 4, 0.4f, red}, {"Please enter your name:", -5.5f, 1, 0.4f, red},
      {"zed", -0.75f, 0, 0.4f, chosen},        {"Your country:", -3, -1, 0.4f, red},
      {"OK", -3.5f, -5.5f, 0.4f, red},         {"CANCEL", 1, -5.5f, 0.4f, red},
  };
  for (const auto& t : kTexts) {
    SCOPED_TRACE(t.text);
    const engine::PrintedText* p = FindText(t.text);
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->position.x, t.x);
    EXPECT_FLOAT_EQ(p->position.y, t.y);
    EXPECT_FLOAT_EQ(p->scale.x, t.scale);
    EXPECT_TRUE(SameColour(p->color, t.colour));
  }
  int underlines = 0;
  for (const engine::PrintedText& t : world().texts) {
    if (t.text != "_________________") continue;
    ++underlines;
    EXPECT_FLOAT_EQ(t.position.x, -5.7f);
    EXPECT_FLOAT_EQ(t.scale.x, 0.6f);
  }
  EXPECT_EQ(underlines, 2);

  // The cursor blinks on the name while it is typed.
  bool sawCursor = false;
  for (int i = 0; i < 80 && !sawCursor; ++i) {
    Frame();
    sawCursor = FindText("zedI") != nullptr;
  }
  EXPECT_TRUE(sawCursor);
}

TEST_F(RecordInputMenuTest, TheLowestLetterKeyOfAFrameIsTyped) {
  LeaveGameWithScore(950);
  Type({kKey1, kKeySpace, screens::kKeyBackspace});  // nothing; Backspace on an empty field
  EXPECT_EQ(entry().name(), "");
  TypeShifted(kKeyQ);
  Tap(kKeyQ);
  EXPECT_EQ(entry().name(), "Qq");
  Tap({kKeyA, kKeyW});  // W (17) is below A (30): only W counts
  EXPECT_EQ(entry().name(), "Qqw");
  Type({kKeyA, kKeyA, kKeyA, kKeyA, kKeyA, kKeyA, kKeyA, kKeyA});
  EXPECT_EQ(entry().name(), "Qqwaaaaaaa");  // ten letters: the rest is refused
  Tap(screens::kKeyBackspace);
  EXPECT_EQ(entry().name(), "Qqwaaaaaa");
  EXPECT_EQ(state(), core::ssRecordEntryName);
}

TEST_F(RecordInputMenuTest, SelectionMovesAndDecidesWhatIsTyped) {
  program_.persistent.settings.Country.SetText("Mars");
  LeaveGameWithScore(950);
  EXPECT_EQ(entry().country(), "Mars");
  Ticks();
  const struct {
    int key;
    int selection;
    std::uint8_t state;
  } kSteps[] = {
      {screens::kKeyUp, TRecordInputMenu::kCancel, core::ssRecordEntry},  // up from the name
      {screens::kKeyUp, TRecordInputMenu::kOk, core::ssRecordEntry},
      {screens::kKeyUp, TRecordInputMenu::kCountry, core::ssRecordEntryCountry},
      {screens::kKeyEnter, TRecordInputMenu::kCountry, core::ssRecordEntry},
      {screens::kKeyEnter, TRecordInputMenu::kCountry, core::ssRecordEntryCountry},
      {screens::kKeyDown, TRecordInputMenu::kOk, core::ssRecordEntry},
      {screens::kKeyDown, TRecordInputMenu::kCancel, core::ssRecordEntry},
      {screens::kKeyDown, TRecordInputMenu::kName, core::ssRecordEntryName},
      {screens::kKeyDown, TRecordInputMenu::kCountry, core::ssRecordEntryCountry},
  };
  for (const auto& step : kSteps) {
    Tap(step.key);
    EXPECT_EQ(entry().selection(), step.selection);
    EXPECT_EQ(state(), step.state);
  }
  EXPECT_EQ(Ticks(), 7);  // every move, not Enter
  Tap(screens::kKeyBackspace);
  Tap(kKeyQ);
  EXPECT_EQ(entry().country(), "Marq");
  EXPECT_EQ(entry().name(), "");
}

TEST_F(RecordInputMenuTest, PointerHoversAndClicksAsTheAreasSay) {
  LeaveGameWithScore(950);
  Tap(screens::kKeyEnter);  // choosing, with the name selected
  MoveTo(-3, -2.5L);        // country field (hover area)
  EXPECT_EQ(entry().selection(), TRecordInputMenu::kCountry);
  EXPECT_EQ(state(), core::ssRecordEntryCountry);
  MoveTo(-3, -5.5L);  // OK: selected, still typing the country
  EXPECT_EQ(entry().selection(), TRecordInputMenu::kOk);
  EXPECT_EQ(state(), core::ssRecordEntryCountry);
  ClickAt(-3, 0);  // on the name's hover area but left of its click area
  EXPECT_EQ(entry().selection(), TRecordInputMenu::kName);
  EXPECT_EQ(state(), core::ssRecordEntryName);
  Tap(screens::kKeyEnter);
  ClickAt(0, 0);  // the name's click area starts typing it again
  EXPECT_EQ(state(), core::ssRecordEntryName);
  PointAt(0, -2.5L);  // a click without a move: the selection stays
  backend().MouseClick(0);
  Frame();
  EXPECT_EQ(state(), core::ssRecordEntryCountry);
  EXPECT_EQ(entry().selection(), TRecordInputMenu::kCountry);
}

TEST_F(RecordInputMenuTest, OkSavesTheTableAndAsksToSend) {
  const std::vector<std::uint8_t> settingsBefore = FileBytes(kSettingsPath);
  LeaveGameWithScore(950);
  TypeShifted(kKeyZ);
  Type({kKeyE, kKeyD});
  Tap(screens::kKeyDown);  // the country, copied in empty
  TypeShifted(kKeyE);
  Tap(kKeyA);
  Tap(screens::kKeyEnter);
  Tap(screens::kKeyDown);  // OK
  Tap(screens::kKeyEnter);

  Rows rows = DefaultRows();
  rows.insert(rows.begin() + 1, {"Zed", 950});
  rows.pop_back();
  EXPECT_EQ(FileBytes(kRecordsPath), TableBytes(rows));
  EXPECT_EQ(state(), core::ssConfirmSendResult);
  EXPECT_FALSE(entry().shown());
  EXPECT_TRUE(Shown(scene_.menuScene().backdropSprite()));
  EXPECT_EQ(program_.persistent.settings.Country.Text(), "Ea");
  EXPECT_EQ(FileBytes(kSettingsPath), settingsBefore);  // the settings file waits for APPLY

  // Whatever is answered, the table is saved; NO goes to the table.
  Tap(screens::kKeyEsc);
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(FileBytes(kRecordsPath), TableBytes(rows));

  // The next name entry opens with the name typed last time.
  Tap(screens::kKeyEsc);
  LeaveGameWithScore(120);
  EXPECT_EQ(entry().name(), "Zed");
  EXPECT_EQ(entry().country(), "Ea");
}

TEST_F(RecordInputMenuTest, InsertingAtTheTopOrTheBottom) {
  const struct {
    std::int32_t score;
    int rank;
  } kCases[] = {{101, 10}, {5000, 1}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.score);
    core::ResetRecordsFile(program_.persistent);
    LeaveGameWithScore(c.score);
    ASSERT_EQ(entry().rank(), c.rank);
    ClickAt(-3, -5.5L);  // OK
    Rows rows = DefaultRows();
    rows.insert(rows.begin() + (c.rank - 1), {entry().name(), c.score});
    rows.pop_back();
    EXPECT_EQ(FileBytes(kRecordsPath), TableBytes(rows));
    Tap(screens::kKeyEsc);  // NO: to the table
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssMainMenu);
  }
}

TEST_F(RecordInputMenuTest, EveryCancelReturnsToTheMainMenuWithTheTableUntouched) {
  const std::vector<std::uint8_t> before = FileBytes(kRecordsPath);
  const struct {
    const char* name;
    void (*cancel)(RecordInputMenuTest&);
  } kWays[] = {
      {"Esc while typing the name", [](RecordInputMenuTest& t) { t.Tap(screens::kKeyEsc); }},
      {"Esc while typing the country",
       [](RecordInputMenuTest& t) {
         t.Tap(screens::kKeyDown);
         t.Tap(screens::kKeyEsc);
       }},
      {"Esc while choosing",
       [](RecordInputMenuTest& t) {
         t.Tap(screens::kKeyEnter);
         t.Tap(screens::kKeyEsc);
       }},
      {"Enter on CANCEL",
       [](RecordInputMenuTest& t) {
         // The selection is kept from the last visit.
         while (t.entry().selection() != TRecordInputMenu::kCancel) t.Tap(screens::kKeyUp);
         t.Tap(screens::kKeyEnter);
       }},
      {"click on CANCEL", [](RecordInputMenuTest& t) { t.ClickAt(2, -5.5L); }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.name);
    LeaveGameWithScore(950);
    ASSERT_EQ(state(), core::ssRecordEntryName);
    Tap(kKeyQ);
    way.cancel(*this);
    EXPECT_EQ(state(), core::ssMainMenu);
    EXPECT_FALSE(entry().shown());
    EXPECT_EQ(Texts(), std::vector<std::string>{}) << "the entry's texts are removed";
    EXPECT_TRUE(program_.MenuSceneActive);
    EXPECT_NE(program_.music.CurrentSong(), 0);  // the menu song again
    EXPECT_EQ(scene_.game().GetScore(), 0);
    EXPECT_EQ(program_.persistent.records, core::RecordsTable::Defaults());
    EXPECT_EQ(FileBytes(kRecordsPath), before);
  }
}

}  // namespace
