// TGame: the one game object. It owns the running level, the HUD and the three
// counters score, level and lives, which are held masked and reached only
// through their accessors. Level objects reach it through the GameContext it
// hands them.
//
// Its work is spread over files with one job each: game.cpp (counters, level
// start and clearing), game_frame.cpp (the frame and its phases),
// game_load.cpp (loading and re-making engine objects), game_sprites.cpp (HUD
// and showing, hiding and layering every game sprite), build_level.cpp (the
// random plan of a level).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/program.h"
#include "engine/owned.h"
#include "engine/types.h"
#include "game/clouds.h"
#include "game/counters.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/sandclock.h"
#include "game/ufo.h"

namespace game {

class THero;

class TGame {
 public:
  TGame(core::Program& program, GameHost& host);
  ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  std::int32_t GetScore() const { return counters_.GetScore(); }
  // A negative score is ignored.
  void SetScore(std::int32_t score) { counters_.SetScore(score); }
  std::int32_t GetLevel() const { return counters_.GetLevel(); }
  void SetLevel(std::int32_t level) { counters_.SetLevel(level); }
  std::int32_t GetLives() const { return counters_.GetLives(); }
  void SetLives(std::int32_t lives) { counters_.SetLives(lives); }

  // The game camera every level sprite is made on (the scene's, made again
  // after each engine restart).
  void SetCamera(iHandle camera) { context_.camera = camera; }

  GameContext& context() { return context_; }
  const LevelObjects& objects() const { return objects_; }
  const LevelState& state() const { return state_; }
  LevelState& state() { return state_; }
  const GameResources& resources() const { return resources_; }
  const std::vector<TCloud>& clouds() const { return clouds_; }
  const TSandclock& sandclock() const { return sandclock_; }
  const Ufo& ufo() const { return ufo_; }
  const THero* hero() const { return hero_.get(); }
  THero* hero() { return hero_.get(); }
  // Height of the game camera (it rises while the UFO comes down); it stands
  // at (0, cameraY, -10).
  long double cameraY() const { return cameraY_; }

  // The font every game text is printed with (the scene's one font, made again
  // after each engine restart).
  void SetFont(iHandle font) { font_ = font; }

  // Loads the game's pictures once per run; ReloadResources makes them again
  // after an engine restart and brings every level object back where it was.
  // It is a level step of its own (a recording keeps it). RemakeEngineObjects
  // is the same remaking without the step, for a restart a recorded game never
  // had (one made while it is watched).
  void LoadResources();
  void ReloadResources();
  void RemakeEngineObjects();

  // The next new game starts at this level instead of 1 (simulator, tests).
  void StartNextGameAtLevel(int level) { nextGameLevel_ = level; }
  // New Game was chosen: the next level start begins a game.
  void ChooseNewGame() { newGameChosen_ = true; }
  // Sees (and may replace) what every level step reads; none: the live keys
  // and tick count. Not owned.
  void SetLevelInputs(LevelInputs* inputs) { inputs_ = inputs; }
  // One frame in the new-game state: the next level begins.
  void StartLevel();
  // One play frame.
  void UpdateFrame();
  // Level number and score along the top.
  void DrawHud();

  void ShowGameSprites();
  void HideGameSprites();
  // Hero, platforms and balloons to the ordinary layer / behind a dialog.
  void RaiseGameSprites();
  void LowerGameSprites();

  // Score 0, lives 3, level 0, and the level cleared.
  void ResetGame();
  // Every level object destroyed, hero and camera back to their start, music off.
  void ClearLevel();

  void ShowPausePicture() const;
  void HidePausePicture() const;
  // Back to play after a pause: the level's song again if nothing plays (the
  // boss key stops the music when it pauses).
  void ResumeSong();

  iHandle pausePicture() const { return pausePicture_.sprite; }
  iHandle levelCompletePicture() const { return levelCompletePicture_.sprite; }
  bool resourcesLoaded() const { return resourcesLoaded_; }
  bool gameOverPhase() const { return state_.gameOverPhase; }
  bool BonusLevel() const;

 private:
  // Frame phases (game_frame.cpp).
  void StepGameOver();
  void StepEntry();
  // False when the frame ends with the phase.
  bool StepTimeOver();
  bool StepLevelComplete();
  void StepPlay();
  void TestLevelEnd();
  void StepEnemies();
  void StepRaven();
  void RefreshPlatformsAndEnemies();
  void StepBursts();
  void ApplyCamera() const;
  // Takes what a level step reads: the game keys and the tick count.
  void BeginStep(LevelStep step);

  // Loading pieces (game_load.cpp).
  void CreateBackgrounds();
  void CreatePanel();
  // The level-complete and pause pictures, made afresh.
  void CreateOverlayPictures();
  iHandle CurrentBackground() const;

  core::Program& program_;
  Counters counters_;
  LevelObjects objects_;
  LevelState state_;
  GameResources resources_;
  GameContext context_;
  iHandle font_ = 0;  // the scene's

  std::unique_ptr<THero> hero_;
  TSandclock sandclock_{context_};
  Ufo ufo_;
  std::vector<TCloud> clouds_;
  long double cameraY_ = 0;

  std::array<engine::OwnedPicture, 3> backgrounds_;
  engine::OwnedPicture panel_;
  engine::OwnedPicture levelCompletePicture_;
  engine::OwnedPicture pausePicture_;

  bool resourcesLoaded_ = false;
  int nextGameLevel_ = 0;  // > 1: where the next new game starts
  bool newGameChosen_ = false;
  LevelInputs* inputs_ = nullptr;
};

}  // namespace game
