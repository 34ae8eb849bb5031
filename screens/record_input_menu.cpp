#include "screens/record_input_menu.h"

#include "engine/engine.h"
#include "screens/area.h"
#include "screens/key_names.h"
#include "screens/menu_text.h"

namespace screens {
namespace {

constexpr float kRecordEntryLetters = 0.4f;
constexpr float kUnderlineLetters = 0.6f;
constexpr const char* kRecordEntryUnderline = "_________________";

// Hover areas by item; the clicks on the two fields use their own.
constexpr Area kRecordEntryHoverAreas[] = {
    {-4, 2.5L, -0.3L, 0.3L},   // name
    {-4, 2.5L, -3.4L, -1.8L},  // country
    {-3.8L, -2.2L, -6, -5},    // OK
    {1, 5, -6, -5},            // CANCEL
};
constexpr Area kNameClickArea{-2, 2.5L, -0.3L, 0.3L};
constexpr Area kCountryClickArea{-3.5L, 2.5L, -3.4L, -1.8L};

}  // namespace

void TRecordInputMenu::Create() {
  page_ = CreateFormPicture(2, 12, 12);
  if (shown_) iSpriteShow(page_.sprite);
}

void TRecordInputMenu::RemakePage() {
  Create();
}

bool TRecordInputMenu::OpenForScore(std::int32_t score) {
  const std::optional<int> rank = core::FindRecordRank(context_.program().persistent, score);
  if (!rank) return false;
  rank_ = *rank;
  score_ = score;
  context_.SetState(core::ssRecordEntry);
  country_ = context_.program().persistent.settings.Country.Text();
  Open();
  return true;
}

void TRecordInputMenu::Open() {
  Show();
  context_.game().LowerGameSprites();
  context_.SetState(core::ssRecordEntryName);
}

void TRecordInputMenu::Show() {
  shown_ = true;
  iSpriteShow(page_.sprite);
}

void TRecordInputMenu::Close() {
  shown_ = false;
  iSpriteHide(page_.sprite);
  context_.game().HideGameSprites();
  context_.ShowMenuScene();
}

void TRecordInputMenu::FollowSelection() {
  switch (list_.selection()) {
    case kName:
      context_.SetState(core::ssRecordEntryName);
      break;
    case kCountry:
      context_.SetState(core::ssRecordEntryCountry);
      break;
    default:
      context_.SetState(core::ssRecordEntry);
      break;
  }
}

void TRecordInputMenu::MoveUp() {
  list_.Previous(context_.menuSound());
  FollowSelection();
}

void TRecordInputMenu::MoveDown() {
  list_.Next(context_.menuSound());
  FollowSelection();
}

void TRecordInputMenu::HandleKeys() {
  switch (context_.state()) {
    case core::ssRecordEntry:
      if (iKeyClick(kKeyEsc)) {
        Cancel();
        return;
      }
      if (iKeyClick(kKeyUp)) MoveUp();
      if (iKeyClick(kKeyDown)) MoveDown();
      if (iKeyClick(kKeyEnter)) {
        switch (list_.selection()) {
          case kName:
          case kCountry:
            FollowSelection();
            break;
          case kOk:
            Ok();
            break;
          case kCancel:
            Cancel();
            break;
        }
      }
      break;
    case core::ssRecordEntryName:
      HandleTypingKeys(name_);
      break;
    case core::ssRecordEntryCountry:
      HandleTypingKeys(country_);
      break;
    default:
      break;
  }
}

// The field is the one being typed when the frame began, even if Up or Down
// has just moved the selection on.
void TRecordInputMenu::HandleTypingKeys(std::string& field) {
  if (iKeyClick(kKeyUp)) MoveUp();
  if (iKeyClick(kKeyDown)) MoveDown();
  if (iKeyClick(kKeyEsc)) {
    Cancel();
    return;
  }
  const int code = LowestClickedKey();
  if (code == kKeyEnter) {
    context_.SetState(core::ssRecordEntry);
  } else {
    TypeKey(field, code, ShiftHeld());
  }
}

void TRecordInputMenu::Hover(long double x, long double y) {
  const int item = MenuList::ItemAt(kRecordEntryHoverAreas, x, y);
  if (item == 0) return;
  if (list_.Hover(kRecordEntryHoverAreas, x, y)) context_.menuSound().Play();
  if (item == kName) context_.SetState(core::ssRecordEntryName);
  if (item == kCountry) context_.SetState(core::ssRecordEntryCountry);
}

void TRecordInputMenu::Click(long double x, long double y) {
  if (kNameClickArea.Contains(x, y)) {
    context_.SetState(core::ssRecordEntryName);
  } else if (kCountryClickArea.Contains(x, y)) {
    context_.SetState(core::ssRecordEntryCountry);
  } else if (kRecordEntryHoverAreas[kOk - 1].Contains(x, y)) {
    Ok();
  } else if (kRecordEntryHoverAreas[kCancel - 1].Contains(x, y)) {
    Cancel();
  }
}

void TRecordInputMenu::Ok() {
  // InsertRecord also writes "data\records.dat": the entry is saved whatever
  // is answered to the send-result question.
  core::InsertRecord(context_.program().persistent, rank_, name_, score_);
  context_.KeepRecordingForEntry(rank_, name_);
  // The live country changes without writing the settings file.
  context_.program().persistent.settings.Country.SetText(country_);
  context_.SetState(core::ssConfirmSendResult);
  Close();
  context_.ShowQuestionBox();
}

void TRecordInputMenu::Cancel() {
  iPrintsHide();
  context_.game().HideGameSprites();
  Close();
  context_.game().ResetGame();
  context_.SetState(core::ssMainMenu);
  context_.ShowMainMenu();
  context_.program().MenuSceneActive = true;
  if (context_.program().persistent.settings.MusicOn != 0)
    context_.program().music.MusicPlay("1", false);
}

void TRecordInputMenu::DrawField(const std::string& field, long double y, bool typing,
                                 bool selected) {
  std::string text = field;
  if (typing) {
    cursor_.Update(iSystemTimer());
    if (cursor_.visible()) text += "I";
  }
  PrintMenuText(text, -0.25L * static_cast<long double>(field.size()), y, kRecordEntryLetters,
                ButtonColor(typing || selected), context_.font());
}

void TRecordInputMenu::Draw() {
  iPrintsHide();
  const iHandle font = context_.font();
  const std::uint8_t state = context_.state();
  const int selected = list_.selection();

  PrintMenuText("Your score is " + std::to_string(score_), -4, 4, kRecordEntryLetters, kTextColor,
                font);
  PrintMenuText("Please enter your name:", -5.5L, 1, kRecordEntryLetters, kTextColor, font);
  PrintMenuText(kRecordEntryUnderline, -5.7L, 0, kUnderlineLetters, kTextColor, font);
  DrawField(name_, 0, state == core::ssRecordEntryName, selected == kName);

  PrintMenuText("Your country:", -3, -1, kRecordEntryLetters, kTextColor, font);
  PrintMenuText(kRecordEntryUnderline, -5.7L, -2, kUnderlineLetters, kTextColor, font);
  DrawField(country_, -2, state == core::ssRecordEntryCountry, selected == kCountry);

  PrintMenuText("OK", -3.5L, -5.5L, kRecordEntryLetters, ButtonColor(selected == kOk), font);
  PrintMenuText("CANCEL", 1, -5.5L, kRecordEntryLetters, ButtonColor(selected == kCancel), font);
}

}  // namespace screens
