#include "screens/options_menu.h"

#include <string>

#include "core/screen_state.h"
#include "engine/engine.h"
#include "screens/area.h"
#include "screens/game_window.h"
#include "screens/key_names.h"
#include "screens/menu_step.h"
#include "screens/menu_text.h"
#include "screens/screen_table.h"

namespace screens {
namespace {

constexpr float kLetters = 0.5f;
constexpr long double kLabelX = -5.5L;
constexpr long double kMusicLabelX = -5.4L;
constexpr long double kRowY[] = {4.5L, 2.5L, 0.5L, -1.4L, -3.2L, -5.5L, -7.0L};
constexpr const char* kUnderline = "____________________";

constexpr Area kHoverAreas[] = {
    {-6, 5, 4, 5},                 // Display
    {-6, 5, 2, 3},                 // Sound
    {-6, 5, 0, 1},                 // Music
    {-6, 5, -1.9L, -0.9L},         // Country
    {-6, 5, -3.7L, -2.7L},         // Bosskey
    {-4.5L, -1.5L, -6, -5},        // APPLY
    {-4.5L, -0.5L, -7.5L, -6.5L},  // CANCEL
};

constexpr Area kWinArea{-0.5L, 1.5L, 4, 5};
constexpr Area kFullArea{4, 6.5L, 4, 5};
constexpr Area kSoundOnArea{-0.5L, 1, 2, 3};
constexpr Area kSoundOffArea{4, 6, 2, 3};
constexpr Area kMusicOnArea{-0.5L, 1, 0, 1};
constexpr Area kMusicOffArea{4, 6, 0, 1};
constexpr Area kCountryArea{-0.5L, 6.5L, -1.9L, -0.9L};
constexpr Area kBossKeyArea{-0.5L, 6.5L, -3.7L, -2.7L};
constexpr Area kApplyArea{-4.5L, -1.5L, -6, -5};
constexpr Area kCancelArea{-4.5L, -0.5L, -7.5L, -6.5L};

// 0 <-> 1; any other non-zero value counts as on and becomes 0.
std::uint8_t Flipped(std::uint8_t value) {
  return value == 0 ? 1 : 0;
}

}  // namespace

bool IsBossKeyCandidate(int code) {
  return (code >= 2 && code <= 27) || (code >= 30 && code <= 38) || (code >= 44 && code <= 50) ||
         (code >= 59 && code <= 69) || (code >= 87 && code <= 88);
}

std::string BossKeyText(const core::GameSettings& settings) {
  std::string text(KeyName(settings.BossKey));
  if (settings.BossShift != 0) text += "+SHIFT";
  if (settings.BossAlt != 0) text += "+ALT";
  if (settings.BossCtrl != 0) text += "+CTRL";
  return text;
}

void TOptMenu::Create() {
  panel_ = CreateFormPicture(0, 16, 12);
  if (shown_) iSpriteShow(panel_.sprite);
}

void TOptMenu::Open() {
  Show();
  context_.SetState(core::ssOptions);
  CopyLiveSettings();
  displayChanged_ = false;
}

void TOptMenu::CopyLiveSettings() {
  edit_ = context_.program().persistent.settings;
}

void TOptMenu::Show() {
  shown_ = true;
  iSpriteShow(panel_.sprite);
}

void TOptMenu::Hide() {
  shown_ = false;
  iSpriteHide(panel_.sprite);
}

void TOptMenu::Toggle(int item) {
  switch (item) {
    case kDisplay:
      edit_.Windowed = Flipped(edit_.Windowed);
      displayChanged_ = !displayChanged_;
      break;
    case kSound:
      edit_.SoundOn = Flipped(edit_.SoundOn);
      break;
    case kMusic:
      edit_.MusicOn = Flipped(edit_.MusicOn);
      break;
  }
}

void TOptMenu::Activate(int item) {
  switch (item) {
    case kDisplay:
    case kSound:
    case kMusic:
      Toggle(item);
      break;
    case kCountry:
      context_.SetState(core::ssOptionsCountry);
      break;
    case kBossKey:
      context_.SetState(core::ssOptionsBossKey);
      break;
    case kApply:
      Apply();
      break;
    case kCancel:
      Cancel();
      break;
  }
}

void TOptMenu::LeaveSubState() {
  context_.SetState(core::ssOptions);
  // One item up, wrapping like a move, without the tick. A click on the
  // country or boss-key value can start typing while another item is selected,
  // so item 1 may be the one left.
  const int item = list_.selection();
  list_.Select(item <= 1 ? kCancel : item - 1);
}

void TOptMenu::HandleKeys() {
  switch (context_.state()) {
    case core::ssOptions:
      HandleChoosingKeys();
      break;
    case core::ssOptionsCountry:
      HandleCountryKeys();
      break;
    case core::ssOptionsBossKey:
      HandleBossKeyCapture();
      break;
    default:
      break;
  }
}

void TOptMenu::HandleChoosingKeys() {
  if (iKeyClick(kKeyEsc)) {
    Cancel();
    return;
  }
  if (iKeyClick(kKeyUp)) StepSelection(list_, kCancel, -1, context_.menuSound());
  if (iKeyClick(kKeyDown)) StepSelection(list_, kCancel, +1, context_.menuSound());
  if (iKeyClick(kKeyLeft) || iKeyClick(kKeyRight)) Toggle(list_.selection());
  if (iKeyClick(kKeyEnter)) Activate(list_.selection());
}

void TOptMenu::HandleCountryKeys() {
  if (iKeyClick(kKeyEsc)) {
    Cancel();
    return;
  }
  const int code = LowestClickedKey();
  if (IsLetterKey(code) || code == kKeyBackspace) {
    std::string country = edit_.Country.Text();
    TypeKey(country, code, ShiftHeld());
    // Unchanged bytes stay as they were read from the file.
    if (country != edit_.Country.Text()) edit_.Country.SetText(country);
  } else if (code == kKeyUp || code == kKeyDown) {
    LeaveSubState();
  } else if (code == kKeyEnter) {
    context_.SetState(core::ssOptions);
  }
}

void TOptMenu::HandleBossKeyCapture() {
  const int code = LowestClickedKey();
  if (IsBossKeyCandidate(code)) {
    edit_.BossKey = static_cast<std::uint8_t>(code);
    edit_.BossShift = iKeyDown(kKeyLeftShift) || iKeyDown(kKeyRightShift) ? 1 : 0;
    edit_.BossAlt = iKeyDown(kKeyLeftAlt) || iKeyDown(kKeyRightAlt) ? 1 : 0;
    edit_.BossCtrl = iKeyDown(kKeyLeftCtrl) || iKeyDown(kKeyRightCtrl) ? 1 : 0;
    context_.SetState(core::ssOptions);
  } else if (code == kKeyUp || code == kKeyDown) {
    LeaveSubState();
  } else if (code == kKeyEnter) {
    context_.SetState(core::ssOptions);
  }
}

void TOptMenu::Hover(long double x, long double y) {
  if (list_.Hover(kHoverAreas, x, y)) context_.menuSound().Play();
}

void TOptMenu::Click(long double x, long double y) {
  const core::GameSettings& live = context_.program().persistent.settings;
  if (kWinArea.Contains(x, y)) {
    edit_.Windowed = 1;
    displayChanged_ = live.Windowed != 1;
    context_.SetState(core::ssOptions);
  } else if (kFullArea.Contains(x, y)) {
    edit_.Windowed = 0;
    displayChanged_ = live.Windowed != 0;
    context_.SetState(core::ssOptions);
  } else if (kSoundOnArea.Contains(x, y) || kSoundOffArea.Contains(x, y)) {
    edit_.SoundOn = kSoundOnArea.Contains(x, y) ? 1 : 0;
    context_.SetState(core::ssOptions);
  } else if (kMusicOnArea.Contains(x, y) || kMusicOffArea.Contains(x, y)) {
    edit_.MusicOn = kMusicOnArea.Contains(x, y) ? 1 : 0;
    context_.SetState(core::ssOptions);
  } else if (kCountryArea.Contains(x, y)) {
    context_.SetState(core::ssOptionsCountry);
  } else if (kBossKeyArea.Contains(x, y)) {
    context_.SetState(core::ssOptionsBossKey);
  } else if (kApplyArea.Contains(x, y)) {
    Apply();
  } else if (kCancelArea.Contains(x, y)) {
    Cancel();
  }
}

void TOptMenu::Apply() {
  core::Program& program = context_.program();
  core::GameSettings& live = program.persistent.settings;
  core::SaveSettingsFile(edit_);
  if (edit_.MusicOn == 0) {
    program.music.MusicStop("1");
  } else if (live.MusicOn == 0) {
    live.MusicOn = 1;
    program.music.MusicPlay("1", false);
  }
  live = edit_;
  if (displayChanged_) {
    context_.SetState(core::ssMainMenu);
    MinimiseGameWindow(program);
    program.driver.DisplayChanged = true;
    program.driver.RestartRequested = -1;
  }
  Cancel();
}

void TOptMenu::Cancel() {
  iPrintsHide();
  Hide();
  context_.SetState(core::ssMainMenu);
  context_.ShowMainMenu();
}

void TOptMenu::DrawOnOffRow(const char* label, long double labelX, long double y, bool on) const {
  const iHandle font = context_.font();
  PrintMenuText(label, labelX, y, kLetters, kTextColor, font);
  PrintMenuText("On", 0, y, kLetters, ButtonColor(on), font);
  PrintMenuText("/", 3, y, kLetters, kTextColor, font);
  PrintMenuText("Off", 4.5L, y, kLetters, ButtonColor(!on), font);
}

void TOptMenu::Draw() {
  const std::uint8_t state = context_.state();
  if (ScreenOf(state).screen != Screen::Options) return;
  iPrintsHide();
  const iHandle font = context_.font();
  const int selected = list_.selection();

  if (selected >= kDisplay && selected <= kBossKey) {
    const long double x = selected == kMusic ? kMusicLabelX : kLabelX;
    PrintMenuText(kUnderline, x, kRowY[selected - 1], kLetters, kTextColor, font);
  }

  const long double displayY = kRowY[kDisplay - 1];
  const bool windowed = edit_.Windowed != 0;
  PrintMenuText("Display: ", kLabelX, displayY, kLetters, kTextColor, font);
  PrintMenuText("Win", 0, displayY, kLetters, ButtonColor(windowed), font);
  PrintMenuText("/", 3, displayY, kLetters, kTextColor, font);
  PrintMenuText("Full", 4.5L, displayY, kLetters, ButtonColor(!windowed), font);

  DrawOnOffRow("Sound: ", kLabelX, kRowY[kSound - 1], edit_.SoundOn != 0);
  DrawOnOffRow("Music: ", kMusicLabelX, kRowY[kMusic - 1], edit_.MusicOn != 0);

  std::string country = "Country: " + edit_.Country.Text();
  bool countryChosen = selected == kCountry;
  if (state == core::ssOptionsCountry) {
    cursor_.Update(iSystemTimer());
    countryChosen = true;
    if (cursor_.visible()) country += "I";
  }
  PrintMenuText(country, kLabelX, kRowY[kCountry - 1], kLetters, ButtonColor(countryChosen), font);

  const iColor& bossColour = ButtonColor(selected == kBossKey);
  const long double bossY = kRowY[kBossKey - 1];
  PrintMenuText("Bosskey: ", kLabelX, bossY, kLetters, bossColour, font);
  const std::string bossText = state == core::ssOptionsBossKey ? "..." : BossKeyText(edit_);
  PrintMenuText(bossText, -0.2L, bossY, kLetters, bossColour, font);

  PrintMenuText("APPLY", -4, kRowY[kApply - 1], kLetters, ButtonColor(selected == kApply), font);
  PrintMenuText("CANCEL", -4, kRowY[kCancel - 1], kLetters, ButtonColor(selected == kCancel), font);
}

}  // namespace screens
