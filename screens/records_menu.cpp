#include "screens/records_menu.h"

#include <cstdio>

#include "engine/engine.h"
#include "screens/area.h"
#include "screens/game_window.h"
#include "screens/key_names.h"
#include "screens/menu_step.h"
#include "screens/menu_text.h"
#include "screens/publisher.h"
#include "screens/replay_files.h"

namespace screens {
namespace {

// By button number: BACK, Clear High Score, View World's High Score.
constexpr Area kRecordsButtonAreas[] = {
    {-7.1L, -5.4L, -6.4L, -5.6L},
    {-3.6L, 3, -7.4L, -6.6L},
    {-2.7L, 6.7L, -6.4L, -5.6L},
};

constexpr int kTableRows = core::RecordsTable::kEntries;
// The hint line: small, centred between the stars and the first row.
constexpr long double kHintX = -3, kHintY = 6.3L;
constexpr float kHintScale = 0.25f;

// The middle of a row's line, by rank 1..10.
constexpr long double RowY(int rank) {
  return 6.5L - 1.12L * rank;
}

// A row takes clicks over its text's width and its line's height.
constexpr Area RowArea(int rank) {
  return {-5.5L, 4.5L, RowY(rank) - 0.56L, RowY(rank) + 0.56L};
}

// The rank whose digit key was clicked this frame (1..9, 0 for the tenth),
// or 0.
int RankKeyClicked() {
  for (int rank = 1; rank < kTableRows; ++rank) {
    if (iKeyClick(kKey1 + rank - 1)) return rank;
  }
  return iKeyClick(kKey0) ? kTableRows : 0;
}

}  // namespace

std::string WorldHighScoresLink() {
  return ScoreServer() + "/cgi/version.pl?prg=ZorbellineQuester&show&type=0";
}

std::string RecordRowText(const core::TRecordEntry& entry) {
  char row[64];
  std::snprintf(row, sizeof row, "%10s   %6d", entry.Name.Text().c_str(),
                static_cast<int>(entry.Score));
  return row;
}

void TRecordsMenu::Create() {
  panel_ = CreateFormPicture(2, 16, 12);
  if (shown_) iSpriteShow(panel_.sprite);
}

void TRecordsMenu::Open() {
  context_.SetState(core::ssRecords);
  anyRecording_ = false;
  for (int rank = 1; rank <= kTableRows && !anyRecording_; ++rank)
    anyRecording_ = RankReplayExists(rank);
  unplayable_ = false;
  Show();
}

void TRecordsMenu::Show() {
  shown_ = true;
  iSpriteShow(panel_.sprite);
}

void TRecordsMenu::Hide() {
  shown_ = false;
  iSpriteHide(panel_.sprite);
}

void TRecordsMenu::Back() {
  iPrintsHide();
  Hide();
  context_.ShowMainMenu();
  context_.SetState(core::ssMainMenu);
}

void TRecordsMenu::Clear() {
  iPrintsHide();
  Hide();
  context_.SetState(core::ssConfirmClearRecords);
  context_.ShowQuestionBox();
  context_.SelectNoInQuestion();
}

void TRecordsMenu::ViewWorldHighScores() {
  OpenLinkFromGame(context_.program(), WorldHighScoresLink());
}

void TRecordsMenu::Watch(int rank) {
  unplayable_ = context_.WatchEntry(rank) == Watching::kUnplayable;
}

void TRecordsMenu::Activate(int button) {
  switch (button) {
    case kBack:
      Back();
      break;
    case kClear:
      Clear();
      break;
    case kViewWorld:
      ViewWorldHighScores();
      break;
  }
}

void TRecordsMenu::HandleKeys() {
  if (iKeyClick(kKeyUp) || iKeyClick(kKeyRight)) StepSelection(list_, 3, -1, context_.menuSound());
  if (iKeyClick(kKeyDown) || iKeyClick(kKeyLeft)) StepSelection(list_, 3, +1, context_.menuSound());
  if (iKeyClick(kKeyEnter)) Activate(list_.selection());
  if (context_.state() != core::ssRecords) return;
  if (iKeyClick(kKeyEsc)) {
    Back();
  } else if (const int rank = RankKeyClicked(); rank != 0) {
    Watch(rank);
  }
}

void TRecordsMenu::Hover(long double x, long double y) {
  if (list_.Hover(kRecordsButtonAreas, x, y)) context_.menuSound().Play();
}

void TRecordsMenu::Click(long double x, long double y) {
  const int button = MenuList::ItemAt(kRecordsButtonAreas, x, y);
  if (button != 0) {
    Activate(button);
    return;
  }
  for (int rank = 1; rank <= kTableRows; ++rank) {
    if (RowArea(rank).Contains(x, y)) Watch(rank);
  }
}

std::string TRecordsMenu::HintLine() const {
  if (unplayable_) return "That game cannot be played";
  return anyRecording_ ? "Click a score to watch it" : "";
}

void TRecordsMenu::Draw() const {
  iPrintsHide();
  const iHandle font = context_.font();
  const auto& entries = context_.program().persistent.records.entries;
  for (int r = 1; r <= kTableRows; ++r) {
    PrintMenuText(RecordRowText(entries[static_cast<std::size_t>(r - 1)]), -5.5L, RowY(r), 0.5f,
                  kAlarmColor, font);
  }
  if (const std::string hint = HintLine(); !hint.empty()) {
    PrintMenuText(hint, kHintX, kHintY, kHintScale, unplayable_ ? kAlarmColor : kSelectedColor,
                  font);
  }
  const int selected = list_.selection();
  PrintMenuText("BACK", -7, -6, 0.4f, ButtonColor(selected == kBack), font);
  PrintMenuText("Clear High Score", -3.5L, -7, 0.4f, ButtonColor(selected == kClear), font);
  PrintMenuText("View World's High Score", -2.5L, -6, 0.4f, ButtonColor(selected == kViewWorld),
                font);
}

}  // namespace screens
