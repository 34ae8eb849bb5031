// TEnemy: the walking enemies. One behaviour for the four kinds (TCangoroo,
// TMouse, TBlue, TToothy), which differ only in a row of data: pack, frame
// counts, texture ids, scales and drawing offset (game/enemy_kinds.h).
//
// An enemy walks to and fro on its platform. At an edge it turns, unless the
// hero is ahead and a platform lies within reach on his side: then it crouches
// and jumps there along a path worked out in advance. It catches a hero on the
// ground, hops on diamonds, and a missile knocks it down for a while.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/owned.h"
#include "engine/types.h"
#include "game/enemy_kinds.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

class TEnemy {
 public:
  // Room for the real points of a path and the end mark after them.
  static constexpr int kPathSlots = 100;
  // A path point whose x is at least this ends the path.
  static constexpr long double kPathEnd = 100.0L;

  struct PathPoint {
    long double x = 0;
    long double y = 0;
  };

  TEnemy(GameContext& game, EnemyKind kind);
  virtual ~TEnemy();
  TEnemy(const TEnemy&) = delete;
  TEnemy& operator=(const TEnemy&) = delete;

  // Slot 1: engine objects again after an engine restart, the picture of the
  // current state shown.
  virtual void Reload();
  // Slot 2: engine objects and starting state, right after construction.
  virtual void Load();
  // Slot 3: one frame of behaviour.
  virtual void Update();
  // Slot 6: sprite at (x, y + the kind's drawing offset).
  virtual void Draw();
  // Slot 7: a missile hit it.
  virtual void KnockDown();

  void Show() const;
  void Hide() const;

  EnemyKind kind() const { return kind_; }
  const EnemyLook& look() const { return look_; }
  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }
  // Whether a missile can hit it: not lying, knocked down, jumping, crouching
  // or landing.
  bool MissileCanHit() const { return !(lying || knockedDown || jumping || crouching || landing); }
  // Whether it still moves while the snow freeze holds the others: in the air
  // or falling / getting up.
  bool MovesWhileFrozen() const { return knockedDown || jumping || landing; }

  // At a platform edge: whether a jump towards the hero is planned (target
  // platform, path and platformIndex set).
  bool PlanJump();
  // A hop in place onto a diamond.
  void PlanHop();
  // Real points of the current path, before its end mark.
  int PathLength() const;
  const std::array<PathPoint, kPathSlots>& path() const { return path_; }
  int pathIndex() const { return pathIndex_; }

  engine::OwnedSprite sprite;
  long double x = 0;
  long double y = 0;
  long double halfHeight = 0.6L;
  long double halfWidth = 0.8L;
  std::uint8_t direction = 1;  // 1 faces right, 0 left
  std::int32_t frame = 1;
  std::uint32_t lastStepTime = 0;
  std::int32_t platformIndex = 0;
  bool jumping = false;
  bool crouching = false;
  bool landing = false;
  bool eating = false;
  bool knockedDown = false;
  bool lying = false;
  engine::OwnedSound sndEating;
  engine::OwnedParticles sprayParticles;
  engine::OwnedEmitter sprayEmitter;
  long double sprayTimer = -1.0L;
  engine::OwnedSound sndDie;
  engine::OwnedSound sndDiamondDown;
  long double lyingTimer = 0;
  bool goingDown = false;

 protected:
  GameContext& game_;
  EnemyKind kind_;

 private:
  // Load's engine objects: spray, sprite, pictures, sounds.
  void CreateSpray();
  void CreateSprite();
  void CreatePictures();
  void CreateSounds();

  // Frame `picture` of a set at the current direction, on the sprite.
  void ShowPicture(EnemySet set, int picture) const;
  void SetScale(float scale) const;

  // The states of Update, one each.
  // True when it hopped on a diamond: the crouch starts in the same update.
  bool Walk();
  void Crouch();
  void Land();
  void FollowPath();
  void Eat();
  void Fall();
  void GetUp();
  // Walking at the edge of its platform: true when it turned or stopped to
  // crouch for a jump (then the frame's update ends).
  bool ReachedEdge();
  bool CatchesHero();
  bool HopsOnDiamond();
  void Spray();
  // Whether more than `intervalMs` passed since lastStepTime. Unlike
  // PictureStepDue (game/slot_pictures.h) it leaves lastStepTime alone: the
  // walk and path steps move it themselves, while the knock-down steps (Fall,
  // GetUp) must not, so that they run at every update once the walk's last
  // step is that old.
  bool StepDue(std::uint32_t intervalMs) const;

  const EnemyLook& look_;
  std::vector<engine::OwnedTexture> pictures_;  // by pack image index
  std::array<PathPoint, kPathSlots> path_{};
  int pathIndex_ = 0;  // the next point to visit
};

// The kinds: a TEnemy with its row of data, nothing more.
template <EnemyKind Kind>
class TEnemyOfKind final : public TEnemy {
 public:
  explicit TEnemyOfKind(GameContext& game) : TEnemy(game, Kind) {}
};
using TCangoroo = TEnemyOfKind<EnemyKind::Cangoroo>;
using TMouse = TEnemyOfKind<EnemyKind::Mouse>;
using TBlue = TEnemyOfKind<EnemyKind::Blue>;
using TToothy = TEnemyOfKind<EnemyKind::Toothy>;

// A new enemy of the kind BuildLevel draws: 0 TCangoroo, 1 TMouse, 2 TBlue,
// 3 TToothy.
std::unique_ptr<TEnemy> MakeEnemy(GameContext& game, int kind);

}  // namespace game
