// TGame: the one game object. It owns the running level, the HUD and the three
// counters score, level and lives, which are held masked and reached only
// through their accessors. Level objects reach it through the GameContext it
// hands them.
//
// The level itself (hero, platforms, bonuses, enemies, raven) is not built yet:
// a level is empty, so play frames change nothing and a level never ends.
#pragma once

#include <array>
#include <cstdint>

#include "core/program.h"
#include "engine/types.h"
#include "game/counters.h"
#include "game/game_context.h"
#include "game/game_resources.h"

namespace game {

class TGame {
 public:
  TGame(core::Program& program, GameHost& host);
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

  // The font every game text is printed with (the scene's one font, made again
  // after each engine restart).
  void SetFont(iHandle font) { font_ = font; }

  // Loads the game's pictures once per run; ReloadResources makes them again
  // after an engine restart.
  void LoadResources();
  void ReloadResources();

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
  void ClearLevel();

  void ShowPausePicture() const;
  void HidePausePicture() const;

  iHandle pausePicture() const { return pausePicture_; }
  bool resourcesLoaded() const { return resourcesLoaded_; }
  bool gameOverPhase() const { return gameOverPhase_; }

 private:
  void CreateSprites();
  iHandle CurrentBackground() const;

  core::Program& program_;
  Counters counters_;
  LevelObjects objects_;
  LevelState state_;
  GameResources resources_;
  GameContext context_;
  iHandle font_ = 0;

  std::array<iHandle, 3> backgrounds_{};
  iHandle panel_ = 0;
  iHandle levelCompletePicture_ = 0;
  iHandle pausePicture_ = 0;
  std::array<iHandle, 3> lifeIcons_{};

  bool resourcesLoaded_ = false;
  bool gameOverPhase_ = false;
};

}  // namespace game
