#include "screens/scene.h"

#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "protocol/replay.h"
#include "screens/replay_files.h"

namespace screens {

Scene::Scene(core::Program& program, SubmissionWorker& submission, SceneOptions options)
    : program_(program),
      submission_(submission),
      options_(std::move(options)),
      menuSound_(program.persistent.settings),
      mainMenu_(*this),
      helpMenu_(*this),
      exitMenu_(*this),
      recordsMenu_(*this),
      optionsMenu_(*this),
      recordInputMenu_(*this),
      game_(program, *this),
      pointer_(program) {
  if (options_.replay) {
    player_ = std::make_unique<GamePlayer>(*options_.replay, game_);
    game_.SetLevelInputs(player_.get());
  } else {
    game_.SetLevelInputs(&recorder_);
  }
}

void Scene::InitialiseAll() {
  if (initialised_) {
    InitialiseAgain();
  } else {
    InitialiseFirst();
  }
}

void Scene::InitialiseFirst() {
  if (options_.seed) {
    platform::SeedRandom(*options_.seed);
  } else {
    platform::SeedRandomFromClock();
  }
  program_.MenuSceneActive = true;
  SetState(core::ssMainMenu);

  CreateCommonEngineObjects();
  intro_.ResetFrames();
  menuScene_.SetBackdrop({0, 0}, {0, 0});
  menuScene_.CreateBackdrop();
  if (program_.persistent.resumedFromBoss) menuScene_.SetBackdrop({20, 15}, {0, 0});
  menuScene_.CreateSun();
  menuScene_.CreateRavens();
  menuScene_.CreateCloud();
  menuScene_.CreateCharacters();
  menuScene_.CreateCorner();
  CreateGameOverPicture();

  if (state() == core::ssResumeGame) {
    game_.LoadResources();
    game_.StartLevel();
    SetState(core::ssPlaying);
  }
  RenderLoading();

  mainMenu_.Create();
  helpMenu_.Create();
  recordsMenu_.Create();
  optionsMenu_.Create();
  recordInputMenu_.Create();
  exitMenu_.Create();
  RenderLoading();

  CreateFont();
  pointer_.Create();

  if (state() == core::ssOptions) optionsMenu_.CopyLiveSettings();
  ShowCurrentPage();
  RenderLoading();

  if (program_.MenuSceneActive) {
    menuScene_.ShowBackdrop();
    menuScene_.ShowCorner();
    menuScene_.ShowCast();
  }
  pointer_.PlaceAtStart();
  menuSound_.Create();
  iSpriteHide(loading_.sprite);

  if (ScreenOf(state()).gameSprites) game_.ShowGameSprites();
  if (program_.MenuSceneActive) program_.music.MusicPlay("1", false);

  if (state() == core::ssMainMenu && !program_.persistent.resumedFromBoss) {
    intro_.Start();
    mainMenu_.Hide();
    pointer_.Hide();
  } else {
    intro_.Skip();
    menuScene_.ShowSunAndCloud();
  }
  initialised_ = true;
  if (player_) StartPlayback();
}

// The main menu's New Game, at the recorded game's first level.
void Scene::StartPlayback() {
  intro_.Skip();
  game_.StartNextGameAtLevel(player_->replay().firstLevel);
  mainMenu_.Activate(TMainMenu::kNewGame);
}

bool Scene::StepPlayback() {
  if (!player_->finished() && player_->done()) EndOfGame();
  if (player_->finished()) {
    if (playbackEnd_ == PlaybackEnd::kExitProgram) {
      iExit();
      return true;
    }
    EndWatching();
    return false;
  }
  if (player_->NextIsReload()) game_.ReloadResources();
  return false;
}

Watching Scene::WatchEntry(int rank) {
  if (!RankReplayExists(rank)) return Watching::kNoRecording;
  protocol::Replay replay;
  try {
    replay = LoadReplayFile(platform::ResolvePath(RankReplayPath(rank)));
  } catch (const std::exception& error) {
    WarnAboutReplay(error.what());
    return Watching::kUnplayable;
  }
  WatchRecording(std::move(replay));
  return Watching::kStarted;
}

void Scene::WatchRecording(protocol::Replay replay) {
  player_ = std::make_unique<GamePlayer>(std::move(replay), game_);
  game_.SetLevelInputs(player_.get());
  playbackEnd_ = PlaybackEnd::kBackToTable;
  StartPlayback();
}

void Scene::LeaveWatchedGame() {
  HideGameOverPicture();
  ReturnToMenuFromGame();
  pointer_.Show();
  program_.music.MusicPlay("1", false);
}

// Runs at the start of a frame, never inside the game's own steps. A game that
// ended by itself or with Esc is back at the table already.
void Scene::EndWatching() {
  if (ScreenOf(state()).screen == Screen::Game) LeaveWatchedGame();
  game_.SetLevelInputs(&recorder_);
  player_.reset();
}

void Scene::EndOfGame() {
  if (player_) {
    player_->Finish(game_.GetScore(), game_.GetLevel());
    return;
  }
  if (!recorder_.recording()) return;
  recorder_.Finish(game_.GetScore(), game_.GetLevel());
  if (recorder_.last()) SaveReplay(kLastGameReplay, *recorder_.last());
}

void Scene::KeepRecordingForEntry(int rank, const std::string& name) {
  MakeRoomForRank(rank);
  if (!recorder_.last()) return;
  recorder_.NameLast(name);
  SaveReplay(kLastGameReplay, *recorder_.last());
  SaveReplay(RankReplayPath(rank), *recorder_.last());
}

std::vector<std::uint8_t> Scene::LastGameRecording(std::int32_t score) const {
  if (!recorder_.last() || recorder_.last()->score != score) return {};
  return protocol::EncodeReplay(*recorder_.last());
}

// After an engine restart every engine object is dead: make them again and
// show what the current state shows. Screen and game state are kept.
//
// Sprites shown later are drawn in front, so the menu scene and the main menu's
// items are shown before the pages reload (each shows itself again if it was
// open): an open page comes back in front of them, as it was.
void Scene::InitialiseAgain() {
  CreateCommonEngineObjects();
  menuScene_.CreateBackdrop();
  menuScene_.CreateSun();
  menuScene_.ReloadRavens();
  menuScene_.CreateCloud();
  menuScene_.ReloadCharacters();
  menuScene_.CreateCorner();
  mainMenu_.Reload();
  if (program_.MenuSceneActive) {
    program_.music.MusicPlay("1", false);
    menuScene_.ShowAll();
  }
  mainMenu_.Show();

  recordsMenu_.Reload();
  recordInputMenu_.Reload();
  optionsMenu_.Reload();
  helpMenu_.Reload();
  exitMenu_.Reload();

  CreateGameOverPicture();
  CreateFont();
  pointer_.Create();
  pointer_.PlaceAtStart();
  menuSound_.Create();

  if (game_.resourcesLoaded()) ReloadGame();
  if (!program_.MenuSceneActive) {
    menuScene_.HideAll();
    mainMenu_.Hide();
    pointer_.Hide();
    game_.ShowGameSprites();
    // A dialog or the pause over the game stays on screen as it was.
    if (state() == core::ssPaused) game_.ShowPausePicture();
    if (state() == core::ssConfirmLeaveGame) {
      pointer_.Show();
      game_.LowerGameSprites();
    }
  }
  // The menu pages show themselves again in their reload; the dialog box is
  // shown by its opener only, so it is put back here.
  if (ScreenOf(state()).screen == Screen::Question) exitMenu_.ShowBox();
  iSpriteHide(loading_.sprite);
}

// A restart while a recorded game is watched was never part of it: the level
// makes its pictures again without taking a step, and the random sequence goes
// back to where it stood, so the game plays on exactly as recorded.
void Scene::ReloadGame() {
  if (!player_ || player_->finished()) return game_.ReloadResources();
  const platform::RandomPosition position = platform::CurrentRandomPosition();
  game_.RemakeEngineObjects();
  platform::SeekRandom(position);
}

void Scene::CreateCommonEngineObjects() {
  iEscEnable(0);
  camera_ = iCameraCreate(0, 0, 1, 1);
  game_.SetCamera(camera_);
  iCameraLocationSet(camera_, {0, 0, -10});
  iCameraFovSet(camera_, 45);
  iTextureMipLevelsSet(1);
  intro_.CreateParticles();

  loading_ = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0),
                                      [] { return iTextureCreate("data\\loading.png"); });
  iSpriteScaleSet(loading_.sprite, {20, 15});
  iSpritePrioritySet(loading_.sprite, 1);
  iSpriteShow(loading_.sprite);
  RenderLoading();
}

void Scene::CreateGameOverPicture() {
  gameOver_ = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0),
                                       [] { return iTextureCreate("data\\gameover.png"); });
  iSpriteScaleSet(gameOver_.sprite, {15, 15});
  iSpriteLocationSet(gameOver_.sprite, {0, 0});
  RenderLoading();
  iSpritePrioritySet(gameOver_.sprite, 1);
}

void Scene::CreateFont() {
  iTextureMipLevelsSet(0);
  font_ = iFontCreate("data\\_font\\BubbleGum.wid", camera_);
  game_.SetFont(font_);
  RenderLoading();
  iTextureMipLevelsSet(1);
}

void Scene::RenderLoading() const {
  iSpriteRender(loading_.sprite, -1);
}

// The page of the screen that ScreenState names.
void Scene::ShowCurrentPage() {
  switch (ScreenOf(state()).screen) {
    case Screen::MainMenu:
      mainMenu_.Show();
      break;
    case Screen::Options:
      optionsMenu_.Open();
      break;
    case Screen::Help:
      helpMenu_.Open();
      break;
    case Screen::Records:
      recordsMenu_.Open();
      break;
    case Screen::Question:
      exitMenu_.ShowBox();
      break;
    case Screen::None:
    case Screen::Game:
    case Screen::RecordEntry:
      break;
  }
}

void Scene::HideGameOverPicture() {
  iSpriteHide(gameOver_.sprite);
}

void Scene::ShowGameOverPicture() {
  iSpriteShow(gameOver_.sprite);
}

void Scene::ShowAndRenderLoadingPicture() {
  iSpriteShow(loading_.sprite);
  RenderLoading();
}

void Scene::HideLoadingPicture() {
  iSpriteHide(loading_.sprite);
}

bool Scene::OpenRecordEntry(std::int32_t score) {
  EndOfGame();
  // A played-back game ends here: its score is not entered again.
  if (player_) return false;
  return recordInputMenu_.OpenForScore(score);
}

void Scene::ReturnToMainMenu() {
  ReturnToMenuFromGame();
}

void Scene::ShowPointer() {
  pointer_.Show();
}

// Called at each level start, when the pictures made before are alive and are
// freed, not left to pile up, and after the game's reload at an engine restart,
// when they died with the engine and their owners let them go.
void Scene::RecreateDialogPictures() {
  exitMenu_.RemakeBox();
  recordInputMenu_.RemakePage();
}

void Scene::HideMenuPages() {
  helpMenu_.Hide();
  optionsMenu_.Hide();
  recordsMenu_.Hide();
}

void Scene::ReturnToMenuFromGame() {
  EndOfGame();
  iPrintsHide();  // the question's and the HUD's texts
  game_.HideGameSprites();
  menuScene_.ShowAll();
  game_.ResetGame();
  if (player_ && playbackEnd_ == PlaybackEnd::kBackToTable) {
    // A watched game goes back to the table it was chosen in, over the main menu.
    mainMenu_.Show();
    recordsMenu_.Open();
  } else {
    SetState(core::ssMainMenu);
    mainMenu_.Show();
  }
  program_.MenuSceneActive = true;
}

// --- What the menus may do ---

void Scene::ShowMainMenu() {
  mainMenu_.Show();
}

void Scene::OpenOptions() {
  optionsMenu_.Open();
  SetState(core::ssOptions);
  optionsMenu_.CopyLiveSettings();
}

void Scene::OpenHelp() {
  helpMenu_.Open();
  SetState(core::ssHelp);
}

void Scene::OpenRecords() {
  recordsMenu_.Open();
}

void Scene::OpenQuestion(std::uint8_t state) {
  exitMenu_.Open(state);
}

void Scene::ShowQuestionBox() {
  exitMenu_.ShowBox();
}

void Scene::SelectNoInQuestion() {
  exitMenu_.SelectNo();
}

std::string Scene::EnteredName() const {
  return recordInputMenu_.name();
}

void Scene::HidePointer() {
  pointer_.Hide();
}

void Scene::ShowMenuScene() {
  menuScene_.ShowAll();
}

void Scene::HideMenuScene() {
  menuScene_.HideAll();
}

}  // namespace screens
