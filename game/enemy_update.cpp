// TEnemy::Update: one frame of an enemy, by the state it is in.
#include "game/bonus.h"
#include "game/diamond.h"
#include "game/enemy.h"
#include "game/game_context.h"
#include "game/hero.h"
#include "game/level_platform.h"

namespace game {
namespace {

constexpr long double kWalkStep = 0.03L;
// The enemy turns or jumps this far inside the end of its platform.
constexpr long double kEdgeMargin = 0.2L;
constexpr std::uint32_t kPictureMs = 100;
constexpr std::uint32_t kPathStepMs = 20;
constexpr long double kLyingTime = 5.0L;
// A diamond's box reaches this far above its top for an enemy's feet.
constexpr long double kDiamondTopMargin = 0.1L;

}  // namespace

bool TEnemy::StepDue(std::uint32_t intervalMs) const {
  return game_.Ticks() - lastStepTime > intervalMs;
}

// The states are tested one after another, not as alternatives: a state left
// in this update lets the next test see the new one. So a hop crouches at once,
// and a crouch that ends takes the first point of its path in the same update.
// Walking ends the update itself when it plans a jump, catches the hero or finds
// no diamond to hop on.
void TEnemy::Update() {
  if (lying) return;
  if (!(knockedDown || eating || jumping || crouching || landing) && !Walk()) return;
  if (crouching) Crouch();
  if (landing) Land();
  if (jumping) FollowPath();
  if (eating) Eat();
  if (knockedDown && goingDown) Fall();
  if (knockedDown && !goingDown) GetUp();
}

bool TEnemy::Walk() {
  if (ReachedEdge()) return false;
  if (StepDue(kPictureMs)) {
    lastStepTime = game_.Ticks();
    frame = frame >= look_.Frames(EnemySet::Walk) ? 1 : frame + 1;
    ShowPicture(EnemySet::Walk, frame);
  }
  if (CatchesHero()) return false;
  return HopsOnDiamond();
}

bool TEnemy::ReachedEdge() {
  const TPlatform& platform = *game_.objects.platforms[static_cast<std::size_t>(platformIndex)];
  const bool atEdge = direction == 1 ? x >= platform.x + platform.halfWidth - kEdgeMargin
                                     : x <= platform.x - platform.halfWidth + kEdgeMargin;
  if (!atEdge) {
    x += direction == 1 ? kWalkStep : -kWalkStep;
    return false;
  }
  if (PlanJump()) {
    frame = 1;
    ShowPicture(EnemySet::Jump, 1);
    crouching = true;
    return true;
  }
  direction = direction == 1 ? 0 : 1;
  frame = 1;
  ShowPicture(EnemySet::Walk, 1);
  return false;
}

bool TEnemy::CatchesHero() {
  THero* hero = game_.hero;
  if (hero == nullptr || game_.state.entryPhase || game_.state.respawnRequested) return false;
  if (hero->rising || hero->falling) return false;
  if (!RectsOverlap(Box(), hero->Box())) return false;
  hero->CatchHero(10);
  eating = true;
  frame = 1;
  ShowPicture(EnemySet::Eat, 1);
  return true;
}

bool TEnemy::HopsOnDiamond() {
  for (const std::unique_ptr<TBonus>& bonus : game_.objects.bonuses) {
    if (bonus->kind() != BonusKind::Diamond || bonus->taken) continue;
    RectBox box = bonus->Box();
    box.top += static_cast<double>(kDiamondTopMargin);
    if (!RectsOverlap(box, Box())) continue;
    PlanHop();
    frame = 1;
    ShowPicture(EnemySet::Jump, 1);
    crouching = true;
    static_cast<TDiamond&>(*bonus).SendSinking();
    return true;
  }
  return false;
}

void TEnemy::Crouch() {
  SetScale(look_.crouchScale);
  if (frame >= look_.crouchEnd) {
    crouching = false;
    jumping = true;
    return;
  }
  ++frame;
  ShowPicture(EnemySet::Jump, frame);
}

void TEnemy::Land() {
  if (frame >= 5) {
    landing = false;
    frame = 1;
    ShowPicture(EnemySet::Walk, 1);
    SetScale(look_.baseScale);
    return;
  }
  ++frame;
  ShowPicture(EnemySet::Jump, frame);
}

void TEnemy::FollowPath() {
  if (!StepDue(kPathStepMs)) return;
  lastStepTime = game_.Ticks();
  const PathPoint& point = path_[static_cast<std::size_t>(pathIndex_)];
  if (point.x >= kPathEnd) {
    jumping = false;
    landing = true;
    return;
  }
  x = point.x;
  y = point.y;
  ++pathIndex_;
}

void TEnemy::Eat() {
  SetScale(look_.eatScale);
  game_.Play(sndEating);
  if (!StepDue(kPictureMs)) return;
  lastStepTime = game_.Ticks();
  ++frame;
  if (frame <= look_.eatShown) {
    ShowPicture(EnemySet::Eat, frame);
    return;
  }
  frame = 1;
  ShowPicture(EnemySet::Walk, 1);
  eating = false;
  SetScale(look_.baseScale);
}

void TEnemy::Fall() {
  Spray();
  if (!StepDue(kPictureMs)) return;
  ++frame;
  ShowPicture(EnemySet::KnockDown, frame);
  if (frame >= look_.Frames(EnemySet::KnockDown)) {
    knockedDown = false;
    lying = true;
    lyingTimer = kLyingTime;
    goingDown = false;
  }
}

void TEnemy::GetUp() {
  if (!StepDue(kPictureMs)) return;
  --frame;
  if (frame > 1) {
    ShowPicture(EnemySet::KnockDown, frame);
    return;
  }
  frame = 1;
  knockedDown = false;
  lying = false;
  ShowPicture(EnemySet::Walk, 1);
  goingDown = true;
}

}  // namespace game
