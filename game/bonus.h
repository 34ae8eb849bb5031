// TBonus: what the hero collects. Diamonds lie on the platforms from the start;
// the five special bonuses come with the raven; balloons float on bonus levels.
#pragma once

#include "engine/owned.h"
#include "engine/types.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

enum class BonusKind { Diamond, Snow, LifePlus, Banana, Pear, Clock, Balloon };

class TBonus {
 public:
  explicit TBonus(GameContext& game) : game_(game) {}
  virtual ~TBonus();
  TBonus(const TBonus&) = delete;
  TBonus& operator=(const TBonus&) = delete;

  // Engine objects again after an engine restart, state kept, current picture
  // shown, and the sprites of its own burst made again.
  virtual void Reload() = 0;
  // Engine objects and starting state, right after construction.
  virtual void Load() = 0;
  // Every frame: places the sprite, animates, moves.
  virtual void Update() = 0;

  virtual BonusKind kind() const = 0;
  // What taking it does (score, lives, timers); the taking itself (burst,
  // sound, taken, hidden) is shared and done by Take.
  virtual void ApplyEffect() = 0;
  // The picture its burst flies apart with.
  virtual iHandle BurstTexture() const = 0;

  // Taken by the hero: its burst (emitter emitterIndex) at (x, y + 0.5), the
  // kind's effect, its sound, out of play, sparkle, hidden.
  void Take(int emitterIndex);
  // Back in play, shown, standing with its centre at (atX, atY) (a bonus the
  // raven has put down).
  void PutInPlayAt(long double atX, long double atY);

  // Makes the sprites of its own burst again (after an engine restart).
  void ReloadBurst() const;

  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }

  engine::OwnedSprite sprite;
  engine::OwnedSound sndTake;
  long double x = 0;
  long double y = 0;
  long double halfHeight = 0;
  long double halfWidth = 0;
  bool taken = false;
  // Its burst among the game's emitters, given when the level is built; -1
  // before.
  int burstIndex = -1;
  engine::OwnedParticles sparkleParticles;
  engine::OwnedEmitter sparkleEmitter;
  long double sparkleTimer = 0;

 protected:
  GameContext& game_;
};

}  // namespace game
