// THero: the player's spaceman. He walks on platforms, jumps along a fixed arc,
// falls, throws missiles, takes bonuses on the ground, pops balloons at any
// time, dies when an enemy catches him and loses a life when he falls out.
//
// The code is split by job: hero.cpp (engine objects and sprite operations),
// hero_pictures.cpp (poses and picture animations), hero_movement.cpp (the
// frame: input, walking, rising, falling, landing, falling out),
// hero_contacts.cpp (bonuses, balloons, being caught, dying) and
// hero_missile.cpp (throwing and the missiles' flight).
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"
#include "game/hero_missile.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

class THero {
 public:
  static constexpr int kMissileCount = 50;
  // How long one rise lasts, in frames (jumpStep 0..41).
  static constexpr std::int32_t kRiseSteps = 42;

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
  // Hidden and standing at (atX, atY), ready to come back after a lost life.
  void HideAt(long double atX, long double atY);
  // Turns to d (0 left, 1 right) and runs on the ground / turns in the air.
  void WalkFacing(std::uint8_t d);
  void SetAirPose(std::uint8_t d);
  void StandStill();
  // Whether his box moved by (dx, dy) overlaps a platform.
  bool IsBlocked(long double dy, long double dx) const;

  // Back to the start state of a level (ClearLevel): no movement state, facing
  // right, first run picture, hidden; every missile grounded, no dust.
  void ResetForLevel();
  // The next run picture when more than intervalMs have passed since the last
  // picture change, cycling frames 1..lastFrame (the entry walk-out).
  void AdvanceRunPicture(std::uint32_t intervalMs, int lastFrame);
  void Show() const;
  void Hide() const;
  void SetLayer(int layer) const;
  void SetColor(float r, float g, float b, float a) const;

  // Took a diamond: the joy animation, which keeps him busy until it ends.
  void StartJoy();
  // The first idle missile flies off from his hand; nothing when all are out.
  void Throw();

  bool Busy() const { return falling || rising || joy || takeOff || landing; }
  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }

  engine::OwnedSprite sprite;
  // Pictures by [direction][frame]; frame 0 is unused.
  std::array<std::array<engine::OwnedTexture, 9>, 2> runPictures;   // 1..8
  std::array<std::array<engine::OwnedTexture, 6>, 2> jumpPictures;  // 1..5
  std::array<std::array<engine::OwnedTexture, 6>, 2> joyPictures;   // 1..5
  std::array<std::array<engine::OwnedTexture, 7>, 2> diePictures;   // 1..6
  engine::OwnedParticles dust;
  engine::OwnedEmitter dustEmitter;
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
  engine::OwnedSound sndStep;
  engine::OwnedSound sndJump;
  engine::OwnedSound sndDie;
  engine::OwnedSound sndThrow;

 private:
  // hero.cpp
  // The millisecond tick that times his picture steps.
  std::uint32_t Now() const;
  void CreateEngineObjects();
  void ShowPicture(iHandle picture) const;
  // hero_pictures.cpp
  iHandle CurrentPicture() const;
  void StepJoy();
  void StepTakeOff();
  void StepLanding();
  void StepRunPicture();
  // hero_movement.cpp
  void StepRunning();
  void StepRising();
  void StepFalling();
  void AirPoseFromArrows();
  void WalkSubSteps(int rightSteps, int leftSteps);
  bool Supported() const;
  void LandOn(long double platformTop);
  void FallOut();
  // hero_contacts.cpp
  void TakeBonus();
  void PopBalloon();
  void StepDying();
  // hero_missile.cpp
  void AdvanceMissiles();

  GameContext& game_;
  // What the sprite shows, kept so that after an engine restart he is drawn as
  // before (tinted, on his layer, shown or hidden).
  mutable iColor color_;
  mutable int layer_ = 0;
  mutable bool shown_ = false;
};

// The height change of one rise or fall frame by jumpStep: 0.2 up to step 10,
// then 0.14, 0.1, 0.08, 0.05, and 0 at step 41.
long double JumpArc(std::int32_t jumpStep);

}  // namespace game
