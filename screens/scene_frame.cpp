// One run phase: the intro while it runs, otherwise input, the current screen's
// drawing, the menu scene, the game and the music loop check.
#include "engine/engine.h"
#include "screens/keys.h"
#include "screens/scene.h"

namespace screens {
namespace {

bool IsOptionsState(std::uint8_t s) {
  return s == shell::ssOptions || s == shell::ssOptionsCountry || s == shell::ssOptionsBossKey;
}

bool IsRecordEntryState(std::uint8_t s) {
  return s == shell::ssRecordEntry || s == shell::ssRecordEntryName ||
         s == shell::ssRecordEntryCountry;
}

bool IsGameShown(std::uint8_t s) {
  return s == shell::ssPlaying || s == shell::ssPaused || s == shell::ssConfirmLeaveGame;
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

  if (state() == shell::ssHelp) helpMenu_.Draw();
  if (IsDialogState(state())) exitMenu_.Draw();
  if (state() == shell::ssRecords) recordsMenu_.Draw();
  if (IsOptionsState(state())) optionsMenu_.Draw();
  if (IsRecordEntryState(state())) recordInputMenu_.Draw();

  if (program_.MenuSceneActive) menuScene_.Update(program_.platform.TickCount());

  // The game prints its texts afresh every frame it shows them; the last ones
  // stay up through the game-over phase, when nothing is printed.
  if ((state() == shell::ssPlaying || state() == shell::ssPaused) && !game_.gameOverPhase()) {
    iPrintsHide();
  }
  if (state() == shell::ssPlaying) game_.UpdateFrame();
  if (state() == shell::ssNewGame) {
    game_.StartLevel();
    SetState(shell::ssPlaying);
  }
  if (state() == shell::ssMainMenu) mainMenu_.FadeHighlights();
  if (IsGameShown(state()) && !game_.gameOverPhase()) game_.DrawHud();

  program_.music.MusicLoopCheck();
}

template <typename Action>
void Scene::WithMenuScreen(Action&& act) {
  switch (state()) {
    case shell::ssMainMenu:
      act(mainMenu_);
      break;
    case shell::ssOptions:
    case shell::ssOptionsCountry:
    case shell::ssOptionsBossKey:
      act(optionsMenu_);
      break;
    case shell::ssHelp:
      act(helpMenu_);
      break;
    case shell::ssRecords:
      act(recordsMenu_);
      break;
    case shell::ssRecordEntry:
    case shell::ssRecordEntryName:
    case shell::ssRecordEntryCountry:
      act(recordInputMenu_);
      break;
    case shell::ssConfirmQuit:
    case shell::ssConfirmClearRecords:
    case shell::ssConfirmLeaveGame:
    case shell::ssConfirmSendResult:
    case shell::ssConnectFailed:
      act(exitMenu_);
      break;
    default:
      break;
  }
}

void Scene::HandleKeys() {
  const std::uint8_t screen = state();
  if (screen == shell::ssPlaying || screen == shell::ssPaused) {
    HandleGameKeys();
    return;
  }
  WithMenuScreen([](auto& menu) { menu.HandleKeys(); });
}

// In a game Esc opens the leave-game question and P or Pause toggles the pause.
// Both keys are looked at in the same frame, in this order, whatever the first
// one did.
void Scene::HandleGameKeys() {
  const bool pauseKey = iKeyClick(kKeyPause) || iKeyClick(kKeyP);
  const bool esc = iKeyClick(kKeyEsc);
  if (state() == shell::ssPlaying) {
    if (esc) OpenLeaveGameDialog();
    if (pauseKey) {
      SetState(shell::ssPaused);
      game_.ShowPausePicture();
    }
  } else {
    if (pauseKey) {
      SetState(shell::ssPlaying);
      game_.HidePausePicture();
    }
    if (esc) OpenLeaveGameDialog();
  }
}

void Scene::OpenLeaveGameDialog() {
  SetState(shell::ssConfirmLeaveGame);
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
