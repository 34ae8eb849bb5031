// THero's frame: the keys, walking, the jump's rise along the arc, falling and
// drifting in the air, landing with dust, the standing test and falling out.
#include <memory>

#include "engine/engine.h"
#include "game/game_context.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/lives.h"
#include "game/particle_location.h"
#include "game/timer_steps.h"

namespace game {
namespace {

constexpr long double kHeroWalkStep = 0.03L;  // one of the sub-steps a frame
constexpr long double kScreenEdge = 16;
constexpr long double kFallOutY = -14;
// Standing: a platform counts as under his feet up to this far below them.
constexpr long double kStandingMargin = 0.1L;
// Landed: he is put this far above the platform's top.
constexpr long double kLandingGap = 0.05L;

struct Arrows {
  bool left;
  bool right;
  bool any() const { return left || right; }
};

Arrows ReadArrows(const GameKeys& keys) {
  return {keys.left, keys.right};
}

}  // namespace

long double JumpArc(std::int32_t jumpStep) {
  if (jumpStep <= 10) return 0.2L;
  if (jumpStep <= 25) return 0.14L;
  if (jumpStep <= 30) return 0.1L;
  if (jumpStep <= 35) return 0.08L;
  if (jumpStep <= 40) return 0.05L;
  return 0;
}

void THero::UpdateHero() {
  if (dustTimer > 0) {
    iParticleEmitterEmit(dustEmitter, 10, 1);
    dustTimer -= kTimerStep;
  }
  AdvanceMissiles();
  if (dying) {
    StepDying();
    return;
  }

  const GameKeys& keys = game_.Keys();
  const Arrows arrows = ReadArrows(keys);
  if (arrows.right && !arrows.left && !Busy()) WalkFacing(1);
  if (arrows.left && !arrows.right && !Busy()) WalkFacing(0);
  if (keys.jump && !Busy()) {
    SetAirPose(direction);
    takeOff = true;
    game_.Play(sndJump);
  }
  if (keys.fire) Throw();
  if (!arrows.any() && running && !Busy()) StandStill();

  PopBalloon();
  if (!Busy()) TakeBonus();

  bool walkedOff = false;
  if (!Busy() && !Supported()) {
    // The first call clears running with the ground pose, the second, now that
    // he falls, shows the in-air picture.
    SetAirPose(direction);
    falling = true;
    rising = false;
    SetAirPose(direction);
    walkedOff = true;
  }
  if (!walkedOff) {
    if (joy) StepJoy();
    if (takeOff) StepTakeOff();
    if (landing) StepLanding();
    if (running) StepRunning();
  }
  if (rising) StepRising();
  if (falling) StepFalling();
}

bool THero::IsBlocked(long double dy, long double dx) const {
  const RectBox moved = BoxAround(x + dx, y + dy, halfWidth, halfHeight);
  for (const auto& platform : game_.objects.platforms) {
    if (RectsOverlap(moved, platform->Box())) return true;
  }
  return false;
}

bool THero::Supported() const {
  const RectBox box = Box();
  for (const auto& platform : game_.objects.platforms) {
    RectBox raised = platform->Box();
    raised.top = static_cast<double>(platform->Top() + kStandingMargin);
    if (RectsOverlap(box, raised)) return true;
  }
  return false;
}

void THero::WalkSubSteps(int rightSteps, int leftSteps) {
  for (int i = 0; i < rightSteps; ++i) {
    if (direction == 1 && !IsBlocked(0, kHeroWalkStep) && x < kScreenEdge) {
      x += kHeroWalkStep;
      PlaceHero();
    }
  }
  for (int i = 0; i < leftSteps; ++i) {
    if (direction == 0 && !IsBlocked(0, -kHeroWalkStep) && x > -kScreenEdge) {
      x -= kHeroWalkStep;
      PlaceHero();
    }
  }
}

void THero::AirPoseFromArrows() {
  const Arrows arrows = ReadArrows(game_.Keys());
  if (arrows.left && !arrows.right) SetAirPose(0);
  if (arrows.right && !arrows.left) SetAirPose(1);
}

void THero::StepRunning() {
  game_.Play(sndStep);
  WalkSubSteps(4, 4);
  StepRunPicture();
}

void THero::StepRising() {
  lastPictureTick = Now();
  if (jumpStep >= kRiseSteps) {
    rising = false;
    falling = true;
    SetAirPose(direction);
    return;
  }
  const long double dy = JumpArc(jumpStep);
  if (IsBlocked(dy, 0)) {
    // His head would enter a platform: the rise ends here.
    rising = false;
    falling = true;
    SetAirPose(direction);
  } else {
    y += dy;
    ++jumpStep;
    PlaceHero();
  }
  if (game_.Keys().down) {
    rising = false;
    falling = true;
    SetAirPose(direction);
  }
  if (ReadArrows(game_.Keys()).any()) {
    AirPoseFromArrows();
    WalkSubSteps(4, 4);
  }
}

void THero::StepFalling() {
  rising = false;
  lastPictureTick = Now();
  --jumpStep;
  const long double dy = JumpArc(jumpStep);
  if (ReadArrows(game_.Keys()).any()) {
    // In the air he drifts 0.09 a frame to the right but 0.15 to the left.
    AirPoseFromArrows();
    WalkSubSteps(3, 5);
  }

  const RectBox lowered = BoxAround(x, y - dy, halfWidth, halfHeight);
  const TPlatform* under = nullptr;
  for (const auto& platform : game_.objects.platforms) {
    if (RectsOverlap(lowered, platform->Box())) {
      under = platform.get();
      break;
    }
  }
  if (under) {
    LandOn(under->Top());
  } else {
    const bool down = game_.Keys().down;
    if (down) jumpStep -= 2;
    y -= dy;
    if (down) y -= dy;
    PlaceHero();
  }
  if (y < kFallOutY) FallOut();
}

void THero::LandOn(long double platformTop) {
  y = platformTop + halfHeight + kLandingGap;
  landing = true;
  falling = false;
  jumpStep = 0;
  PlaceHero();
  iParticleEmitterLocationSet(dustEmitter, ParticleLocation(x, platformTop + 0.3L));
  dustTimer = 0.5L;
}

void THero::FallOut() {
  game_.Play(sndDie);
  if (!LoseLife(game_, LifeLoss::FellOut)) return;  // game over: he stays as he was
  falling = false;
  jumpStep = 0;
  frame = 1;
  ShowPicture(runPictures[direction][1]);
}

}  // namespace game
