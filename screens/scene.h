// The scene: every screen object, the game, the menu scene and the shared engine
// objects (camera, loading picture, game-over picture, pointer, font, menu tick),
// and the two entry points the driver calls: InitialiseAll in every engine
// initialisation phase and DispatchFrame in every run phase.
//
// Wiring:  screens::NoSubmissionWorker worker;
//          screens::Scene scene(program, worker);
//          core::GameHooks hooks{[&] { scene.InitialiseAll(); }, [&] { scene.DispatchFrame(); }};
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/program.h"
#include "engine/owned.h"
#include "engine/types.h"
#include "game/game.h"
#include "screens/exit_menu.h"
#include "screens/game_recording.h"
#include "screens/help_menu.h"
#include "screens/intro.h"
#include "screens/main_menu.h"
#include "screens/menu_context.h"
#include "screens/menu_scene.h"
#include "screens/menu_sound.h"
#include "screens/options_menu.h"
#include "screens/pointer.h"
#include "screens/record_input_menu.h"
#include "screens/records_menu.h"
#include "screens/screen_table.h"
#include "screens/submission.h"

namespace screens {

struct SceneOptions {
  // Seeds the random generator with this instead of the clock (tests, tools).
  std::optional<std::uint64_t> seed = {};
  // Plays this recorded game instead of the menus: the game starts at once,
  // runs on the recorded keys and ticks, and the program ends with it (or
  // with Esc).
  std::optional<protocol::Replay> replay = {};
};

class Scene : public game::GameHost, public MenuContext {
 public:
  Scene(core::Program& program, SubmissionWorker& submission, SceneOptions options = {});
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // The first time creates every object; later times (after an engine restart)
  // make only the engine objects again and keep all state.
  void InitialiseAll();
  // The intro while it runs, else one normal frame.
  void DispatchFrame();

  // --- What the menus may do (MenuContext) ---
  core::Program& program() override { return program_; }
  std::uint8_t state() const override { return program_.ScreenState.load(); }
  void SetState(std::uint8_t state) override { program_.ScreenState.store(state); }
  const MenuSound& menuSound() const override { return menuSound_; }
  iHandle font() const override { return font_; }
  SubmissionWorker& submission() override { return submission_; }
  game::TGame& game() override { return game_; }
  void ShowMainMenu() override;
  void OpenOptions() override;
  void OpenHelp() override;
  void OpenRecords() override;
  void OpenQuestion(std::uint8_t state) override;
  void ShowQuestionBox() override;
  void SelectNoInQuestion() override;
  std::string EnteredName() const override;
  void KeepRecordingForEntry(int rank, const std::string& name) override;
  Watching WatchEntry(int rank) override;
  std::vector<std::uint8_t> LastGameRecording(std::int32_t score) const override;
  void HidePointer() override;
  void ShowMenuScene() override;
  void HideMenuScene() override;

  // --- The parts, for the tools and tests that look inside ---
  TMainMenu& mainMenu() { return mainMenu_; }
  THelpMenu& helpMenu() { return helpMenu_; }
  TExitMenu& exitMenu() { return exitMenu_; }
  TRecordsMenu& recordsMenu() { return recordsMenu_; }
  TOptMenu& optionsMenu() { return optionsMenu_; }
  TRecordInputMenu& recordInputMenu() { return recordInputMenu_; }
  MenuScene& menuScene() { return menuScene_; }
  const MenuScene& menuScene() const { return menuScene_; }
  Pointer& pointer() { return pointer_; }
  const Intro& intro() const { return intro_; }
  bool initialised() const { return initialised_; }
  const GameRecorder& recorder() const { return recorder_; }
  // The recorded game being played back (SceneOptions::replay, or one watched
  // from the high-score table), else none.
  const GamePlayer* player() const { return player_.get(); }

  // Plays a recorded game in place of the high-score table: the game starts at
  // once on the recorded keys and ticks, and when it ends, or Esc is pressed,
  // the table comes back.
  void WatchRecording(protocol::Replay replay);

  // What the game asks of the scene.
  void ShowAndRenderLoadingPicture() override;
  void HideLoadingPicture() override;
  void ShowGameOverPicture() override;
  void HideGameOverPicture() override;
  bool OpenRecordEntry(std::int32_t score) override;
  void ReturnToMainMenu() override;
  void ShowPointer() override;
  void RecreateDialogPictures() override;
  // Hides the sprites of the help, options and high-score screens.
  void HideMenuPages() override;
  // From a game back to the main menu: the texts removed, the game's sprites
  // hidden, the menu scene shown, the game reset, the main menu up and the menu scene active.
  void ReturnToMenuFromGame() override;

 private:
  void InitialiseFirst();
  void InitialiseAgain();
  void ReloadGame();                 // the level's part of InitialiseAgain
  void CreateCommonEngineObjects();  // camera, mip levels, intro particles, loading picture
  void CreateGameOverPicture();
  void CreateFont();
  void RenderLoading() const;
  void ShowCurrentPage();

  void NormalFrame();
  // A game ends (game over, or left): its recording is complete, or its
  // playback is over.
  void EndOfGame();
  void StartPlayback();
  // Before each frame of a playback: the recorded engine restarts, and the end.
  // True when the program is ending.
  bool StepPlayback();
  // Esc, or the recorded steps ran out, in a watched game: the game ends and
  // the high-score table comes back.
  void LeaveWatchedGame();
  // A watched game has ended: the game's own recorder takes the steps again.
  void EndWatching();
  void HandleKeys();
  void HandleGameKeys();
  void OpenLeaveGameDialog();
  void HandlePointerMove();
  void HandleClicks();
  // Calls act(menu) with the menu object of a screen; nothing for the game's
  // screen or none.
  template <typename Action>
  void WithScreen(Screen screen, Action&& act);

  core::Program& program_;
  SubmissionWorker& submission_;
  SceneOptions options_;
  bool initialised_ = false;

  MenuSound menuSound_;
  TMainMenu mainMenu_;
  THelpMenu helpMenu_;
  TExitMenu exitMenu_;
  TRecordsMenu recordsMenu_;
  TOptMenu optionsMenu_;
  TRecordInputMenu recordInputMenu_;
  game::TGame game_;
  GameRecorder recorder_{game_};
  std::unique_ptr<GamePlayer> player_;
  // What the end of a playback does: end the program (SceneOptions::replay)
  // or go back to the high-score table (a game watched from it).
  enum class PlaybackEnd { kExitProgram, kBackToTable };
  PlaybackEnd playbackEnd_ = PlaybackEnd::kExitProgram;
  MenuScene menuScene_;
  Intro intro_;
  Pointer pointer_;

  // The engine has no way to free a camera or a font: they live as long as
  // the engine, and each restart makes them again.
  iHandle camera_ = 0;
  iHandle font_ = 0;
  engine::OwnedPicture loading_;
  engine::OwnedPicture gameOver_;
};

}  // namespace screens
