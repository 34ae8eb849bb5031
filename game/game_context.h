// What a level object reaches of the game: the level's objects and shared
// timers, the counters, the loaded resources, the hero, the scene services the
// game needs, and the two program services a level uses (the Sound setting and
// the millisecond tick count). Level objects are handed one GameContext when
// they are made and keep the reference; none of them sees the Program.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/persistent_files.h"
#include "engine/types.h"
#include "game/counters.h"
#include "game/level_inputs.h"
#include "platform/platform.h"

namespace game {

class THero;
class TPlatform;
class TBonus;
class TBaloon;
class TEnemy;
class TRaven;
class TBonusEmitter;
class GameResources;

// The objects of the running level in the game's lists. A list index is an
// object's identity: an enemy keeps the index of its platform; bonus i bursts
// with emitters[i], balloon j with emitters[bonuses.size() + j]. Lists are
// scanned in index order and the first match wins.
struct LevelObjects {
  LevelObjects();
  ~LevelObjects();
  LevelObjects(const LevelObjects&) = delete;
  LevelObjects& operator=(const LevelObjects&) = delete;

  // Frees every object, in the order clouds (owned elsewhere), enemies,
  // platforms, bonuses, emitters, ravens, balloons.
  void Clear();

  std::vector<std::unique_ptr<TPlatform>> platforms;  // 0..3 the fixed stairs
  std::vector<std::unique_ptr<TEnemy>> enemies;
  std::vector<std::unique_ptr<TBonus>> bonuses;  // diamonds, then the five specials
  std::vector<std::unique_ptr<TBonusEmitter>> emitters;
  std::vector<std::unique_ptr<TRaven>> ravens;     // exactly one while a level runs
  std::vector<std::unique_ptr<TBaloon>> balloons;  // bonus levels only
};

// Phases, timers and flags of the running level, read or set by the game and
// its objects. Timers count down per frame; see TGame for who counts which.
struct LevelState {
  bool entryPhase = false;        // UFO descent and walk-out running
  bool walkingOut = false;        // the walk-out out of the UFO has begun
  bool respawnRequested = false;  // a life was lost; next frame replays the walk-out
  bool gameOverPhase = false;
  bool timeOverPhase = false;
  bool levelCompletePhase = false;
  std::int32_t ufoCountdown = 0;      // frames of UFO descent left
  std::int32_t walkOutCountdown = 0;  // frames of walk-out left
  long double gameOverTimer = 3.0L;
  long double timeLeft = 0;   // level time left, seconds
  long double timeTotal = 0;  // level time at the start + 0.1
  long double timeOverTimer = -1.0L;
  long double levelCompleteTimer = -1.0L;
  long double freezeTimer = -1.0L;    // enemies frozen while >= 0
  long double clockStopTimer = 0.0L;  // level timer stands still while > 0
  long double heroTintTimer = -1.0L;  // hero cannot be caught while >= 0
};

// What the game asks of the screens around it (pictures the scene owns, and
// the ways out of a game).
class GameHost {
 public:
  virtual ~GameHost() = default;
  // The scene's loading picture: shown and drawn at once / hidden.
  virtual void ShowAndRenderLoadingPicture() = 0;
  virtual void HideLoadingPicture() = 0;
  virtual void ShowGameOverPicture() = 0;
  virtual void HideGameOverPicture() = 0;
  // The game is over: opens the name entry when the score enters the
  // high-score table; false (nothing opened) when it does not.
  virtual bool OpenRecordEntry(std::int32_t score) = 0;
  // The game is over without a record: back to the main menu.
  virtual void ReturnToMainMenu() = 0;
  virtual void ShowPointer() = 0;
  // The dialog pictures (dialog box, name-entry panel), made again.
  virtual void RecreateDialogPictures() = 0;
};

struct GameContext {
  const core::GameSettings& settings;
  platform::Platform& platform;
  Counters& counters;
  LevelObjects& objects;
  LevelState& state;
  GameResources& resources;
  GameHost& host;
  THero* hero = nullptr;  // made by LoadResources
  iHandle camera = 0;     // the scene's game camera every level sprite is made on
  StepInput step = {};    // what the running level step reads (TGame::BeginStep)

  bool SoundOn() const { return settings.SoundOn != 0; }
  // The millisecond tick count of the running level step; it times picture
  // and path steps.
  std::uint32_t Ticks() const { return step.ticks; }
  const GameKeys& Keys() const { return step.keys; }
  // Plays a sound (unless it is playing) / restarts it, while Sound is on.
  void Play(iHandle sound) const;
  void PlayNow(iHandle sound) const;
};

}  // namespace game
