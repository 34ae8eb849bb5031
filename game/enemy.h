// TEnemy: the walking enemies. One behaviour for the four kinds (TCangoroo,
// TMouse, TBlue, TToothy), which differ only in a row of data: pack, frame
// counts, texture ids, scales and drawing offset.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/types.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

enum class EnemyKind { Cangoroo, Mouse, Blue, Toothy };

class TEnemy {
 public:
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
  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }
  // Whether a missile can hit it: not lying, knocked down, jumping, crouching
  // or landing.
  bool MissileCanHit() const { return !(lying || knockedDown || jumping || crouching || landing); }

  iHandle sprite = 0;
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
  long double lyingTimer = 0;
  bool goingDown = false;

 protected:
  GameContext& game_;
  EnemyKind kind_;
};

// A new enemy of the kind BuildLevel draws: 0 TCangoroo, 1 TMouse, 2 TBlue,
// 3 TToothy.
std::unique_ptr<TEnemy> MakeEnemy(GameContext& game, int kind);

}  // namespace game
