// The options screen driven through the whole scene: its rows, the toggles by
// keys and clicks, typing the country, capturing the boss key, APPLY (the exact
// settings file, music, the display restart) and CANCEL (nothing written).
#include "screens/options_menu.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "screens/colors.h"
#include "screens/key_names.h"
#include "screens/keys.h"
#include "screens/main_menu.h"
#include "tests/screens/menu_screen_fixture.h"

namespace {

using screens::TOptMenu;
using testing_support::FileBytes;
using testing_support::SameColour;

using namespace platform::keys;

class OptionsMenuTest : public testing_support::MenuScreenTest {
 public:
  TOptMenu& options() { return scene_.optionsMenu(); }
  const core::GameSettings& edit() { return options().edit(); }
  const core::GameSettings& live() { return program_.persistent.settings; }

  // Options from the main menu by keys.
  void OpenOptions() {
    for (int i = 0; i < 8 && scene_.mainMenu().selection() != screens::TMainMenu::kOptions; ++i)
      Tap(screens::kKeyDown);
    Tap(screens::kKeyEnter);
    ASSERT_EQ(state(), core::ssOptions);
  }
  // Moves the selection to `item` with the Down key.
  void SelectItem(int item) {
    for (int i = 0; i < 7 && options().selection() != item; ++i) Tap(screens::kKeyDown);
    ASSERT_EQ(options().selection(), item);
  }
  // Modifiers go down a frame before the key: a key counts only when it is the
  // lowest code clicked in its frame.
  void TapHolding(const std::vector<int>& held, int key) {
    for (int code : held) backend().KeyDown(code);
    Frame();
    Tap(key);
    for (int code : held) backend().KeyUp(code);
  }
  // The value shown after "Bosskey: ".
  std::string BossKeyShown() {
    const auto& texts = world().texts;
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
      if (texts[i].text == "Bosskey: ") return texts[i + 1].text;
    return "<none>";
  }
  std::string CountryShown() {
    for (const engine::PrintedText& t : world().texts)
      if (t.text.rfind("Country: ", 0) == 0) return t.text.substr(9);
    return "<none>";
  }
};

TEST_F(OptionsMenuTest, DrawsEveryRowWhereAndHowItBelongs) {
  OpenOptions();
  const iColor chosen = screens::kSelectedColor;
  const iColor red = screens::kTextColor;
  const struct {
    const char* text;
    float x, y;
    iColor colour;
  } kRows[] = {
      {"____________________", -5.5f, 4.5f, red},  // under the selected Display row
      {"Display: ", -5.5f, 4.5f, red},
      {"Win", 0, 4.5f, chosen},
      {"Full", 4.5f, 4.5f, red},
      {"Sound: ", -5.5f, 2.5f, red},
      {"Music: ", -5.4f, 0.5f, red},
      {"Country: ", -5.5f, -1.4f, red},
      {"Bosskey: ", -5.5f, -3.2f, red},
      {"F12", -0.2f, -3.2f, red},
      {"APPLY", -4, -5.5f, red},
      {"CANCEL", -4, -7, red},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.text);
    const engine::PrintedText* t = FindText(row.text);
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->position.x, row.x);
    EXPECT_FLOAT_EQ(t->position.y, row.y);
    EXPECT_FLOAT_EQ(t->scale.x, 0.5f);
    EXPECT_TRUE(SameColour(t->color, row.colour));
  }
  // On / Off of Sound and Music, with "/" between, on their rows.
  int ons = 0, offs = 0, slashes = 0;
  for (const engine::PrintedText& t : world().texts) {
    if (t.text == "On") {
      ++ons;
      EXPECT_TRUE(SameColour(t.color, chosen));
    } else if (t.text == "Off") {
      ++offs;
      EXPECT_TRUE(SameColour(t.color, red));
    } else if (t.text == "/") {
      ++slashes;
      EXPECT_FLOAT_EQ(t.position.x, 3);
    }
  }
  EXPECT_EQ(ons, 2);
  EXPECT_EQ(offs, 2);
  EXPECT_EQ(slashes, 3);

  // Selecting the country moves the underline there and colours the row.
  SelectItem(TOptMenu::kCountry);
  EXPECT_FLOAT_EQ(FindText("____________________")->position.y, -1.4f);
  EXPECT_TRUE(SameColour(FindText("Country: ")->color, chosen));
  SelectItem(TOptMenu::kApply);
  EXPECT_EQ(FindText("____________________"), nullptr);
  EXPECT_TRUE(SameColour(FindText("APPLY")->color, chosen));
}

TEST_F(OptionsMenuTest, KeysMoveWrapAndToggle) {
  OpenOptions();
  const auto letTheTickEnd = [this] {
    for (int i = 0; i < 4; ++i) Frame();  // 0.05 s
  };
  letTheTickEnd();
  Ticks();
  Tap(screens::kKeyUp);
  EXPECT_EQ(options().selection(), TOptMenu::kCancel);
  letTheTickEnd();
  Tap(screens::kKeyDown);
  EXPECT_EQ(options().selection(), TOptMenu::kDisplay);
  Tap(screens::kKeyDown);  // the tick of the last move still plays: not restarted
  EXPECT_EQ(Ticks(), 2);

  const struct {
    int item;
    int key;
    std::uint8_t core::GameSettings::*field;
    std::uint8_t expected;
  } kToggles[] = {
      {TOptMenu::kDisplay, screens::kKeyLeft, &core::GameSettings::Windowed, 0},
      {TOptMenu::kDisplay, screens::kKeyRight, &core::GameSettings::Windowed, 1},
      {TOptMenu::kDisplay, screens::kKeyEnter, &core::GameSettings::Windowed, 0},
      {TOptMenu::kSound, screens::kKeyRight, &core::GameSettings::SoundOn, 0},
      {TOptMenu::kSound, screens::kKeyEnter, &core::GameSettings::SoundOn, 1},
      {TOptMenu::kMusic, screens::kKeyLeft, &core::GameSettings::MusicOn, 0},
  };
  for (const auto& t : kToggles) {
    SelectItem(t.item);
    Tap(t.key);
    EXPECT_EQ(edit().*t.field, t.expected) << "item " << t.item << " key " << t.key;
    EXPECT_EQ(state(), core::ssOptions);
  }
  // Left and Right change nothing on the other rows.
  const core::GameSettings before = edit();
  for (int item : {TOptMenu::kCountry, TOptMenu::kBossKey, TOptMenu::kApply, TOptMenu::kCancel}) {
    SelectItem(item);
    Tap({screens::kKeyLeft});
    Tap({screens::kKeyRight});
  }
  EXPECT_EQ(edit(), before);
  EXPECT_EQ(state(), core::ssOptions);
  EXPECT_EQ(live(), core::GameSettings{});  // nothing is live before APPLY
}

TEST_F(OptionsMenuTest, ApplyWritesTheWorkingCopyExactly) {
  OpenOptions();
  Tap(screens::kKeyRight);  // Display: Full
  SelectItem(TOptMenu::kSound);
  Tap(screens::kKeyRight);  // Sound: Off
  SelectItem(TOptMenu::kCountry);
  Tap(screens::kKeyEnter);
  TapHolding({screens::kKeyLeftShift}, kKeyB);
  Tap(kKeyO);
  Tap(kKeyB);
  Tap(screens::kKeyEnter);
  SelectItem(TOptMenu::kBossKey);
  Tap(screens::kKeyEnter);
  TapHolding({screens::kKeyLeftShift, screens::kKeyRightCtrl}, kKeyF6);
  SelectItem(TOptMenu::kApply);
  Tap(screens::kKeyEnter);

  const std::vector<std::uint8_t> expected = {0, 0, 1, 3, 'B', 'o', 'b', 0, 0,
                                              0, 0, 0, 0, 0,   64,  1,   0, 1};
  EXPECT_EQ(FileBytes(kSettingsPath), expected);
  EXPECT_EQ(live(), edit());
  EXPECT_EQ(state(), core::ssMainMenu);
  EXPECT_FALSE(options().shown());

  // The next run of the program reads the same settings.
  core::PersistentState next;
  core::LoadPersistentFiles(next);
  EXPECT_EQ(next.settings, live());
}

TEST_F(OptionsMenuTest, OnlyAnOddNumberOfDisplayChangesRestartsTheEngine) {
  const struct {
    const char* name;
    int toggles;
    bool restart;
  } kCases[] = {{"none", 0, false}, {"once", 1, true}, {"twice", 2, false}, {"thrice", 3, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    program_.driver = {};
    platform_.ShowGameWindow(window_, platform::ShowCommand::ShowNormal);
    OpenOptions();
    SelectItem(TOptMenu::kDisplay);
    for (int i = 0; i < c.toggles; ++i) Tap(screens::kKeyLeft);
    SelectItem(TOptMenu::kApply);
    Tap(screens::kKeyEnter);
    EXPECT_EQ(state(), core::ssMainMenu);
    EXPECT_EQ(program_.driver.RestartRequested, c.restart ? -1 : 0);
    EXPECT_EQ(program_.driver.DisplayChanged, c.restart);
    EXPECT_EQ(platform_.Window(window_)->minimised, c.restart);
  }
}

TEST_F(OptionsMenuTest, ClicksOnWinAndFullCompareWithTheRunningMode) {
  OpenOptions();
  ClickAt(5, 4.5L);  // Full
  EXPECT_EQ(edit().Windowed, 0);
  EXPECT_TRUE(options().displayChanged());
  ClickAt(5, 4.5L);  // Full again: still a change
  EXPECT_TRUE(options().displayChanged());
  ClickAt(0.5L, 4.5L);  // Win: the mode the engine runs in
  EXPECT_EQ(edit().Windowed, 1);
  EXPECT_FALSE(options().displayChanged());

  const struct {
    long double x, y;
    std::uint8_t core::GameSettings::*field;
    std::uint8_t expected;
  } kClicks[] = {
      {5, 2.5L, &core::GameSettings::SoundOn, 0},
      {0.2L, 2.5L, &core::GameSettings::SoundOn, 1},
      {5, 0.5L, &core::GameSettings::MusicOn, 0},
      {0.2L, 0.5L, &core::GameSettings::MusicOn, 1},
  };
  for (const auto& c : kClicks) {
    ClickAt(c.x, c.y);
    EXPECT_EQ(edit().*c.field, c.expected) << c.x << ", " << c.y;
  }
  ClickAt(3, -1.4L);
  EXPECT_EQ(state(), core::ssOptionsCountry);
  ClickAt(3, -3.2L);
  EXPECT_EQ(state(), core::ssOptionsBossKey);
  ClickAt(5, 2.5L);  // a value click ends the capture
  EXPECT_EQ(state(), core::ssOptions);
}

TEST_F(OptionsMenuTest, CancelLeavesSettingsAndFileUntouched) {
  const std::vector<std::uint8_t> before = FileBytes(kSettingsPath);
  const core::GameSettings liveBefore = live();
  const struct {
    const char* name;
    void (*leave)(OptionsMenuTest&);
  } kWays[] = {
      {"Esc", [](OptionsMenuTest& t) { t.Tap(screens::kKeyEsc); }},
      {"Enter on CANCEL",
       [](OptionsMenuTest& t) {
         t.SelectItem(TOptMenu::kCancel);
         t.Tap(screens::kKeyEnter);
       }},
      {"click on CANCEL", [](OptionsMenuTest& t) { t.ClickAt(-2.5L, -7); }},
      {"Esc while typing the country",
       [](OptionsMenuTest& t) {
         t.ClickAt(3, -1.4L);
         t.Tap(kKeyQ);
         t.Tap(screens::kKeyEsc);
       }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.name);
    OpenOptions();
    // Change everything first.
    ClickAt(5, 4.5L);
    ClickAt(5, 2.5L);
    ClickAt(5, 0.5L);
    ClickAt(3, -3.2L);
    Tap(kKeyF6);
    way.leave(*this);
    EXPECT_EQ(state(), core::ssMainMenu);
    EXPECT_FALSE(options().shown());
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(live(), liveBefore);
    EXPECT_EQ(FileBytes(kSettingsPath), before);
    EXPECT_EQ(program_.driver.RestartRequested, 0);
  }
  // The next opening starts again from the live settings.
  OpenOptions();
  EXPECT_EQ(edit(), live());
}

TEST_F(OptionsMenuTest, ApplyByClickAlsoReturnsToTheMainMenu) {
  OpenOptions();
  ClickAt(-3, -5.5L);
  EXPECT_EQ(state(), core::ssMainMenu);
  EXPECT_FALSE(options().shown());
}

TEST_F(OptionsMenuTest, MusicStopsAndStartsOnApply) {
  ASSERT_NE(program_.music.CurrentSong(), 0);  // the menu song plays from the start
  OpenOptions();
  ClickAt(5, 0.5L);  // Music: Off
  ClickAt(-3, -5.5L);
  EXPECT_EQ(program_.music.CurrentSong(), 0);
  EXPECT_EQ(live().MusicOn, 0);

  OpenOptions();
  ClickAt(0.2L, 0.5L);  // Music: On
  ClickAt(-3, -5.5L);
  EXPECT_NE(program_.music.CurrentSong(), 0);
  EXPECT_EQ(live().MusicOn, 1);
}

TEST_F(OptionsMenuTest, CapturesTheBossKeyWithItsModifiers) {
  const struct {
    std::vector<int> held;
    int key;
    std::string shown;
    bool accepted;
  } kCases[] = {
      {{screens::kKeyLeftCtrl, screens::kKeyRightShift}, kKeyF6, "F6+SHIFT+CTRL", true},
      {{}, kKeyF6, "F6", true},
      {{screens::kKeyRightAlt}, kKeyQ, "Q+ALT", true},
      {{}, 69, "", true},  // Num Lock: accepted, no name
      {{}, 88, "F12", true},
      {{}, 14, "BACKSPACE", true},
      {{}, screens::kKeyLeftCtrl, "", false},  // a modifier alone
      {{}, screens::kKeyEsc, "", false},       // Esc is not handled while capturing
      {{}, 28 + 0, "", false},                 // Enter ends the capture, takes nothing
      {{}, 70, "", false},                     // Scroll Lock is out of range
      {{}, 89, "", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.key);
    OpenOptions();
    SelectItem(TOptMenu::kBossKey);
    Tap(screens::kKeyEnter);
    ASSERT_EQ(state(), core::ssOptionsBossKey);
    EXPECT_EQ(BossKeyShown(), "...");
    TapHolding(c.held, c.key);
    if (c.accepted) {
      EXPECT_EQ(state(), core::ssOptions);
      EXPECT_EQ(edit().BossKey, c.key);
      EXPECT_EQ(BossKeyShown(), c.shown);
    } else {
      EXPECT_EQ(edit().BossKey, 88);
      EXPECT_EQ(state(), c.key == 28 ? core::ssOptions : core::ssOptionsBossKey);
    }
    if (state() == core::ssOptionsBossKey) Tap(screens::kKeyEnter);
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssMainMenu);
  }
}

TEST_F(OptionsMenuTest, CountryTakesLettersOnly) {
  OpenOptions();
  SelectItem(TOptMenu::kCountry);
  Tap(screens::kKeyEnter);
  ASSERT_EQ(state(), core::ssOptionsCountry);

  Tap(kKey1);
  Tap(kKeySpace);
  Tap(screens::kKeyBackspace);  // on an empty field: nothing
  EXPECT_EQ(edit().Country.Text(), "");
  TapHolding({screens::kKeyRightShift}, kKeyQ);
  Tap({kKeyO, kKeyQ});  // two letters in one frame: the lower code (Q, 16) only
  EXPECT_EQ(edit().Country.Text(), "Qq");
  for (int i = 0; i < 9; ++i) Tap(kKeyB);
  EXPECT_EQ(edit().Country.Text(), "Qqbbbbbbbb");  // the eleventh letter is refused
  Tap(screens::kKeyBackspace);
  EXPECT_EQ(edit().Country.Text(), "Qqbbbbbbb");
  EXPECT_EQ(live().Country.Text(), "");
}

TEST_F(OptionsMenuTest, CountryCursorBlinksEveryHalfSecond) {
  OpenOptions();
  ClickAt(3, -1.4L);
  std::vector<bool> cursor;
  for (int frame = 0; frame < 120; ++frame) {
    Frame();
    const std::string shown = CountryShown();
    cursor.push_back(!shown.empty() && shown.back() == 'I');
  }
  // The cursor flips once more than 0.5 s (37.5 run phases) has passed.
  int flips = 0;
  for (std::size_t i = 1; i < cursor.size(); ++i) flips += cursor[i] != cursor[i - 1];
  EXPECT_GE(flips, 2);
  EXPECT_LE(flips, 4);
  EXPECT_TRUE(SameColour(FindText("Country: " + std::string(cursor.back() ? "I" : ""))->color,
                         screens::kSelectedColor));
}

TEST_F(OptionsMenuTest, UpOrDownEndTypingOneItemUp) {
  const struct {
    int start;
    int key;
    std::uint8_t subState;
    int expected;
  } kCases[] = {
      {TOptMenu::kCountry, screens::kKeyUp, core::ssOptionsCountry, TOptMenu::kMusic},
      {TOptMenu::kCountry, screens::kKeyDown, core::ssOptionsCountry, TOptMenu::kMusic},
      {TOptMenu::kBossKey, screens::kKeyDown, core::ssOptionsBossKey, TOptMenu::kCountry},
      {TOptMenu::kCountry, screens::kKeyEnter, core::ssOptionsCountry, TOptMenu::kCountry},
  };
  for (const auto& c : kCases) {
    OpenOptions();
    SelectItem(c.start);
    Tap(screens::kKeyEnter);
    ASSERT_EQ(state(), c.subState);
    Tap(c.key);
    EXPECT_EQ(state(), core::ssOptions);
    EXPECT_EQ(options().selection(), c.expected);
    Tap(screens::kKeyEsc);
  }
  // Typing started by a click while Display is selected: one item up wraps to
  // CANCEL instead of leaving no item selected.
  OpenOptions();
  SelectItem(TOptMenu::kDisplay);
  ClickAt(6, -1.4L);  // on the country value, outside every hover area
  ASSERT_EQ(state(), core::ssOptionsCountry);
  Tap(screens::kKeyUp);
  EXPECT_EQ(options().selection(), TOptMenu::kCancel);
}

TEST_F(OptionsMenuTest, HoverSelectsWithATick) {
  OpenOptions();
  Ticks();
  MoveTo(-3, -3.2L);
  EXPECT_EQ(options().selection(), TOptMenu::kBossKey);
  EXPECT_EQ(state(), core::ssOptions);
  EXPECT_EQ(Ticks(), 1);
  MoveTo(-2, -3.3L);  // still item 5: no tick
  EXPECT_EQ(Ticks(), 0);
  MoveTo(-2, -7);
  EXPECT_EQ(options().selection(), TOptMenu::kCancel);
  MoveTo(-2, -2);  // between the rows
  EXPECT_EQ(options().selection(), TOptMenu::kCancel);
}

}  // namespace

namespace {

TEST(KeyNamesTest, NamesAndLettersAtTheEdgesOfEachRange) {
  const struct {
    int code;
    const char* name;
    char letter;  // unshifted; 0 for no letter key
  } kKeys[] = {
      {0, "", 0},     {1, "ESCAPE", 0},     {2, "1", 0},    {11, "0", 0},   {12, "-", 0},
      {13, "=", 0},   {14, "BACKSPACE", 0}, {15, "TAB", 0}, {16, "Q", 'q'}, {25, "P", 'p'},
      {26, "[", 0},   {27, "]", 0},         {28, "", 0},    {29, "", 0},    {30, "A", 'a'},
      {38, "L", 'l'}, {39, "", 0},          {43, "", 0},    {44, "Z", 'z'}, {50, "M", 'm'},
      {51, "", 0},    {58, "", 0},          {59, "F1", 0},  {68, "F10", 0}, {69, "", 0},
      {86, "", 0},    {87, "F11", 0},       {88, "F12", 0}, {89, "", 0},    {200, "", 0},
      {255, "", 0},   {-1, "", 0},          {256, "", 0},
  };
  for (const auto& k : kKeys) {
    SCOPED_TRACE(k.code);
    EXPECT_EQ(screens::KeyName(k.code), k.name);
    EXPECT_EQ(screens::KeyLetter(k.code, false), k.letter);
    EXPECT_EQ(screens::KeyLetter(k.code, true),
              k.letter == 0 ? 0 : static_cast<char>(k.letter - 'a' + 'A'));
  }
}

}  // namespace
