#include "screens/exit_menu.h"

#include "engine/engine.h"
#include "engine/texture_pack.h"
#include "screens/colors.h"
#include "screens/keys.h"
#include "screens/replay_files.h"

namespace screens {
namespace {

struct Line {
  const char* text;
  iVec2 position;
};

struct Question {
  std::uint8_t state;
  float scale;
  const iColor* color;
  Line lines[3];
  int count;
};

constexpr Question kQuestions[] = {
    {core::ssConfirmQuit, 0.5f, &kTextColor, {{"Exit The Game?", {-3.5f, 1}}}, 1},
    {core::ssConfirmLeaveGame, 0.5f, &kTextColor, {{"Exit To Menu?", {-3.5f, 1}}}, 1},
    {core::ssConfirmClearRecords,
     0.5f,
     &kTextColor,
     {{"Do You Want To", {-3.5f, 2}},
      {"Clear The High", {-3.5f, 1}},
      {"Scores Table?", {-3.5f, 0}}},
     3},
    {core::ssConfirmSendResult,
     0.4f,
     &kTextColor,
     {{"Send The Result", {-3.5f, 2}},
      {"To World's", {-3.5f, 1}},
      {"Highscores page?", {-3.5f, 0}}},
     3},
    {core::ssSending, 0.5f, &kAlarmColor, {{"Please wait...", {-3.5f, 0}}}, 1},
    {core::ssConnectFailed,
     0.4f,
     &kAlarmColor,
     {{"Can't connect", {-2.9f, 1}}, {"to server! Repeat?", {-4.2f, 0}}},
     2},
};

constexpr Area kYesNoAreas[2] = {{-3, 0, -3, -2}, {1, 4, -3, -2}};
constexpr float kSpacing = 0.1f;

const Question* QuestionOf(std::uint8_t state) {
  for (const Question& q : kQuestions) {
    if (q.state == state) return &q;
  }
  return nullptr;
}

bool IsSendOrRetry(std::uint8_t state) {
  return state == core::ssConfirmSendResult || state == core::ssConnectFailed;
}

}  // namespace

bool IsDialogState(std::uint8_t state) {
  return QuestionOf(state) != nullptr;
}

void TExitMenu::Create() {
  CreateBox();
  list_.Select(kYes);
}

void TExitMenu::CreateBox() {
  box_.reset();
  boxTexture_ = engine::OwnedTexture(LoadPackTexture("data\\Forms.dat", 3, 1000001));
  box_ = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
  iSpriteTextureSet(box_, boxTexture_);
  iSpriteScaleSet(box_, {10, 8});
  iSpriteLocationSet(box_, {0, 0});
}

void TExitMenu::RemakeBox() {
  CreateBox();
}

void TExitMenu::ShowBox() const {
  iSpriteShow(box_);
}

void TExitMenu::HideBox() const {
  iSpriteHide(box_);
}

void TExitMenu::Open(std::uint8_t state) {
  ShowBox();
  context_.SetState(state);
}

void TExitMenu::Toggle() {
  list_.Next(context_.menuSound());
}

void TExitMenu::Draw() const {
  const std::uint8_t state = context_.state();
  const Question* question = QuestionOf(state);
  iPrintsHide();
  if (!question) return;
  SetPrintColor(*question->color);
  for (int i = 0; i < question->count; ++i) {
    const Line& line = question->lines[i];
    iPrint(line.text, line.position, {question->scale, question->scale}, kSpacing, context_.font());
  }
  if (state == core::ssSending) return;
  SetPrintColor(ButtonColor(list_.selection() == kYes));
  iPrint(" YES", {-3, -2.5f}, {0.5f, 0.5f}, kSpacing, context_.font());
  SetPrintColor(ButtonColor(list_.selection() == kNo));
  iPrint(" NO", {1.5f, -2.5f}, {0.5f, 0.5f}, kSpacing, context_.font());
}

// Arrows toggle once however many are clicked; then Enter answers with the
// selected button and Esc answers NO (Esc first in the send and retry
// questions). One answer per frame.
void TExitMenu::HandleKeys() {
  const std::uint8_t state = context_.state();
  if (state == core::ssSending) return;
  if (iKeyClick(kKeyUp) || iKeyClick(kKeyDown) || iKeyClick(kKeyLeft) || iKeyClick(kKeyRight)) {
    Toggle();
  }
  const bool enter = iKeyClick(kKeyEnter);
  const bool esc = iKeyClick(kKeyEsc);
  if (IsSendOrRetry(state)) {
    if (esc) {
      No();
    } else if (enter) {
      Answer(list_.selection());
    }
  } else if (enter) {
    Answer(list_.selection());
  } else if (esc) {
    No();
  }
}

void TExitMenu::Hover(long double x, long double y) {
  if (context_.state() == core::ssSending) return;
  const int button = MenuList::ItemAt(kYesNoAreas, x, y);
  if (button != 0) list_.Select(button);
}

void TExitMenu::Click(long double x, long double y) {
  if (context_.state() == core::ssSending) return;
  const int button = MenuList::ItemAt(kYesNoAreas, x, y);
  if (button != 0) Answer(button);
}

void TExitMenu::Answer(int button) {
  if (button == kYes) {
    Yes();
  } else {
    No();
  }
}

void TExitMenu::Yes() {
  switch (context_.state()) {
    case core::ssConfirmQuit:
      iExit();
      break;
    case core::ssConfirmLeaveGame:
      LeaveGame();
      break;
    case core::ssConfirmClearRecords:
      ClearRecords();
      break;
    case core::ssConfirmSendResult:
    case core::ssConnectFailed:
      context_.SetState(core::ssSending);
      context_.submission().StartNew(SubmissionToSend());
      break;
    default:
      break;
  }
}

void TExitMenu::No() {
  switch (context_.state()) {
    case core::ssConfirmQuit:
      iPrintsHide();
      HideBox();
      context_.ShowMainMenu();
      context_.SetState(core::ssMainMenu);
      context_.HideMenuPages();
      break;
    case core::ssConfirmLeaveGame:
      iPrintsHide();
      HideBox();
      context_.SetState(core::ssPlaying);
      context_.game().RaiseGameSprites();
      context_.HidePointer();
      context_.game().HidePausePicture();
      context_.game().ResumeSong();
      break;
    case core::ssConfirmClearRecords:
      iPrintsHide();
      context_.SetState(core::ssRecords);
      HideBox();
      context_.OpenRecords();
      break;
    case core::ssConfirmSendResult:
    case core::ssConnectFailed:
      BackToTable();
      break;
    default:
      break;
  }
}

void TExitMenu::LeaveGame() {
  core::Program& program = context_.program();
  context_.HideGameOverPicture();
  // A score that beats an entry of the table goes to the name entry.
  if (!context_.OpenRecordEntry(context_.game().GetScore())) {
    context_.ReturnToMenuFromGame();
  }
  HideBox();
  if (program.persistent.settings.MusicOn != 0) program.music.MusicPlay("1", false);
}

void TExitMenu::ClearRecords() {
  core::ResetRecordsFile(context_.program().persistent);
  RemoveRankReplays();
  iPrintsHide();
  HideBox();
  context_.OpenRecords();
}

SubmissionRecord TExitMenu::SubmissionToSend() {
  const std::int32_t score = context_.game().GetScore();
  return {context_.EnteredName(), score, context_.program().persistent.settings.Country.Text(),
          context_.LastGameRecording(score)};
}

// Runs at the start of a frame, never on the worker's thread. An outcome that
// arrives when the notice is no longer up (it cannot be answered away) is dropped.
void TExitMenu::TakeSubmissionOutcome() {
  const SubmissionOutcome outcome = context_.submission().TakeOutcome();
  if (outcome == SubmissionOutcome::kNone || context_.state() != core::ssSending) return;
  if (outcome == SubmissionOutcome::kConnectFailed) {
    context_.SetState(core::ssConnectFailed);
    return;
  }
  iPrintsHide();
  HideBox();
  context_.ShowMainMenu();
  context_.game().HideGameSprites();
  context_.game().ResetGame();
  context_.SetState(core::ssMainMenu);
  context_.ShowMainMenu();
  context_.program().MenuSceneActive = true;
}

void TExitMenu::BackToTable() {
  core::Program& program = context_.program();
  iPrintsHide();
  HideBox();
  context_.ShowMainMenu();
  context_.game().HideGameSprites();
  context_.game().ResetGame();
  context_.SetState(core::ssMainMenu);
  program.MenuSceneActive = true;
  if (program.persistent.settings.MusicOn != 0) program.music.MusicPlay("1", false);
  context_.OpenRecords();
}

}  // namespace screens
