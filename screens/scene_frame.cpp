// One run phase: the intro while it runs, otherwise input, the current screen's
// drawing, the menu scene, the game and the music loop check.
#include "engine/engine.h"
#include "screens/keys.h"
#include "screens/scene.h"

namespace screens {
namespace {

bool IsRecordEntryState(std::uint8_t s) {
  return s == core::ssRecordEntry || s == core::ssRecordEntryName ||
         s == core::ssRecordEntryCountry;
}

bool IsGameShown(std::uint8_t s) {
  return s == core::ssPlaying || s == core::ssPaused || s == core::ssConfirmLeaveGame;
}

}  // namespace

void Scene::DispatchFrame() {
  // A submission worker that ended since the last frame changes the screens here.
  exitMenu_.TakeSubmissionOutcome();
  if (intro_.running()) {
    // No screen input is read while the intro plays.
    if (intro_.Step(menuScene_)) {
      mainMenu_.Show();
      pointer_.Show();
    }
    return;
  }
  NormalFrame();
}

// Every test reads ScreenState afresh: a change made by an earlier step already
// counts for the later steps of the same frame.
void Scene::NormalFrame() {
  HandleKeys();
  HandlePointerMove();
  HandleClicks();

  if (state() == core::ssHelp) helpMenu_.Draw();
  if (IsDialogState(state())) exitMenu_.Draw();
  if (state() == core::ssRecords) recordsMenu_.Draw();
  if (IsOptionsState(state())) optionsMenu_.Draw();
  if (IsRecordEntryState(state())) recordInputMenu_.Draw();

  if (program_.MenuSceneActive) menuScene_.Update(program_.platform.TickCount());

  // The game prints its texts afresh every frame it shows them; the last ones
  // stay up through the game-over phase, when nothing is printed. The frame that
  // begins that phase has already hidden them, so it prints them once more.
  const bool hudHidden =
      (state() == core::ssPlaying || state() == core::ssPaused) && !game_.gameOverPhase();
  if (hudHidden) iPrintsHide();
  if (state() == core::ssPlaying) game_.UpdateFrame();
  if (state() == core::ssNewGame) {
    game_.StartLevel();
    SetState(core::ssPlaying);
  }
  if (state() == core::ssMainMenu) mainMenu_.FadeHighlights();
  if (IsGameShown(state()) && (!game_.gameOverPhase() || hudHidden)) game_.DrawHud();

  program_.music.MusicLoopCheck();
}

template <typename Action>
void Scene::WithMenuScreen(Action&& act) {
  switch (state()) {
    case core::ssMainMenu:
      act(mainMenu_);
      break;
    case core::ssOptions:
    case core::ssOptionsCountry:
    case core::ssOptionsBossKey:
      act(optionsMenu_);
      break;
    case core::ssHelp:
      act(helpMenu_);
      break;
    case core::ssRecords:
      act(recordsMenu_);
      break;
    case core::ssRecordEntry:
    case core::ssRecordEntryName:
    case core::ssRecordEntryCountry:
      act(recordInputMenu_);
      break;
    case core::ssConfirmQuit:
    case core::ssConfirmClearRecords:
    case core::ssConfirmLeaveGame:
    case core::ssConfirmSendResult:
    case core::ssConnectFailed:
      act(exitMenu_);
      break;
    default:
      break;
  }
}

void Scene::HandleKeys() {
  const std::uint8_t screen = state();
  if (screen == core::ssPlaying || screen == core::ssPaused) {
    HandleGameKeys();
    return;
  }
  WithMenuScreen([](auto& menu) { menu.HandleKeys(); });
}

// In a game Esc opens the leave-game question, which then has the keys: a P or
// Pause in the same frame is dropped, so the box and the pointer are up exactly
// while the question is. Otherwise P or Pause toggles the pause.
void Scene::HandleGameKeys() {
  const bool pauseKey = iKeyClick(kKeyPause) || iKeyClick(kKeyP);
  if (iKeyClick(kKeyEsc)) {
    OpenLeaveGameDialog();
    return;
  }
  if (!pauseKey) return;
  if (state() == core::ssPlaying) {
    SetState(core::ssPaused);
    game_.ShowPausePicture();
  } else {
    SetState(core::ssPlaying);
    game_.HidePausePicture();
    game_.ResumeSong();
  }
}

void Scene::OpenLeaveGameDialog() {
  SetState(core::ssConfirmLeaveGame);
  pointer_.Show();
  game_.LowerGameSprites();
  exitMenu_.ShowBox();
}

void Scene::HandlePointerMove() {
  const std::optional<ScreenPoint> point = pointer_.Read();
  if (!point) return;
  const ScreenPoint& last = pointer_.last();
  if (point->x != last.x || point->y != last.y) {
    WithMenuScreen([&](auto& screen) { screen.Hover(point->x, point->y); });
  }
  pointer_.Remember(*point);
}

void Scene::HandleClicks() {
  const std::optional<ScreenPoint> point = pointer_.Read();
  if (!point || !iMouseButtonClick(0)) return;
  WithMenuScreen([&](auto& screen) { screen.Click(point->x, point->y); });
}

}  // namespace screens
