// One run phase: the intro while it runs, otherwise input, the current screen's
// drawing, the menu scene, the game and the music loop check.
#include "engine/engine.h"
#include "screens/keys.h"
#include "screens/scene.h"

namespace screens {
void Scene::DispatchFrame() {
  // A submission worker that ended since the last frame changes the screens here.
  exitMenu_.TakeSubmissionOutcome();
  if (player_ && StepPlayback()) return;
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

  WithScreen(ScreenOf(state()).screen, [](auto& screen) {
    if constexpr (requires { screen.Draw(); }) screen.Draw();
  });

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
  if (ScreenOf(state()).gameTexts && (!game_.gameOverPhase() || hudHidden)) game_.DrawHud();

  program_.music.MusicLoopCheck();
}

template <typename Action>
void Scene::WithScreen(Screen screen, Action&& act) {
  switch (screen) {
    case Screen::MainMenu:
      act(mainMenu_);
      break;
    case Screen::Options:
      act(optionsMenu_);
      break;
    case Screen::Help:
      act(helpMenu_);
      break;
    case Screen::Records:
      act(recordsMenu_);
      break;
    case Screen::RecordEntry:
      act(recordInputMenu_);
      break;
    case Screen::Question:
      act(exitMenu_);
      break;
    case Screen::None:
    case Screen::Game:
      break;
  }
}

void Scene::HandleKeys() {
  const ScreenRow row = ScreenOf(state());
  if (row.input == Input::GameKeys) {
    HandleGameKeys();
  } else if (row.input == Input::Menu) {
    WithScreen(row.screen, [](auto& menu) { menu.HandleKeys(); });
  }
}

// In a game Esc opens the leave-game question, which then has the keys: a P or
// Pause in the same frame is dropped, so the box and the pointer are up exactly
// while the question is. Otherwise P or Pause toggles the pause.
void Scene::HandleGameKeys() {
  const bool pauseKey = iKeyClick(kKeyPause) || iKeyClick(kKeyP);
  if (player_ && iKeyClick(kKeyEsc)) {
    // Esc ends watching a recorded game.
    EndOfGame();
    if (playbackEnd_ == PlaybackEnd::kExitProgram) {
      iExit();
    } else {
      LeaveWatchedGame();
    }
    return;
  }
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
  const ScreenRow row = ScreenOf(state());
  if (row.input == Input::Menu && (point->x != last.x || point->y != last.y)) {
    WithScreen(row.screen, [&](auto& screen) { screen.Hover(point->x, point->y); });
  }
  pointer_.Remember(*point);
}

void Scene::HandleClicks() {
  const std::optional<ScreenPoint> point = pointer_.Read();
  if (!point || !iMouseButtonClick(0)) return;
  const ScreenRow row = ScreenOf(state());
  if (row.input == Input::Menu) {
    WithScreen(row.screen, [&](auto& screen) { screen.Click(point->x, point->y); });
  }
}

}  // namespace screens
