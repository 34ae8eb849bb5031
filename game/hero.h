// THero: the player's spaceman. He walks on platforms, jumps along a fixed arc,
// falls, throws missiles, takes bonuses on the ground, pops balloons at any
// time, dies when an enemy catches him and loses a life when he falls out.
#pragma once

#include <array>
#include <cstdint>

#include "engine/types.h"
#include "game/hero_missile.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

class THero {
 public:
  static constexpr int kMissileCount = 50;

  explicit THero(GameContext& game);
  ~THero();
  THero(const THero&) = delete;
  THero& operator=(const THero&) = delete;

  // Creates sprite, pictures, dust, sounds and the 50 missiles, then the
  // initial state (facing right, frame 1, at (-10, -8)).
  void LoadHero();
  // After an engine restart: every engine object again, the picture of the
  // current state shown, no dust running.
  void ReloadHero();
  // One play frame: input, movement, animations, contacts, missiles.
  void UpdateHero();
  // An enemy touched him: starts dying unless protected, already dying, or
  // amount <= 0.
  void CatchHero(std::int32_t amount);

  void PlaceHero() const;
  // Turns to d (0 left, 1 right) and runs on the ground / turns in the air.
  void WalkFacing(std::uint8_t d);
  void SetAirPose(std::uint8_t d);
  void StandStill();
  // Whether his box moved by (dx, dy) overlaps a platform.
  bool IsBlocked(long double dy, long double dx) const;

  // Back to the start state of a level (ClearLevel): no movement state, facing
  // right, first run picture, hidden.
  void ResetForLevel();
  // The next run picture when more than intervalMs have passed since the last
  // picture change, cycling frames 1..lastFrame (the entry walk-out).
  void AdvanceRunPicture(std::uint32_t intervalMs, int lastFrame);
  void Show() const;
  void Hide() const;
  void SetLayer(int layer) const;
  void SetColor(float r, float g, float b, float a) const;

  bool Busy() const { return falling || rising || joy || takeOff || landing; }
  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }

  iHandle sprite = 0;
  long double x = -10;
  long double y = -8;
  long double halfHeight = 1.6L;
  long double halfWidth = 0.8L;
  std::uint8_t direction = 1;  // 0 facing left, 1 facing right
  std::uint32_t lastPictureTick = 0;
  std::int32_t frame = 1;
  std::int32_t jumpStep = 0;
  bool running = false;
  bool falling = false;
  bool rising = false;
  bool dying = false;
  bool takeOff = false;
  bool landing = false;
  bool joy = false;
  long double dustTimer = -1.0L;
  std::array<THeroMissile, kMissileCount> missiles;

 private:
  GameContext& game_;
};

}  // namespace game
