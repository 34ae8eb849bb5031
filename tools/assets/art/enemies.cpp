#include "tools/assets/art/enemies.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/assets/art/canvas.h"
#include "tools/assets/art/creature.h"
#include "tools/assets/art/enemy_pose.h"

namespace assets::art {
namespace {

enum class Set { kWalk, kJump, kEat, kKnock };

// The upright body's horizontal middle and extent, for tipping it over.
struct Extent {
  double centreX, width, height;
};

Extent ExtentOf(EnemyKind kind) {
  switch (kind) {
    case EnemyKind::kCangoroo:
      return {60, 44, 72};
    case EnemyKind::kMouse:
      return {62, 56, 40};
    case EnemyKind::kBlue:
      return {64, 46, 52};
    case EnemyKind::kToothy:
      return {48, 56, 44};
  }
  return {64, 40, 40};
}

// The direction the tail points (degrees, clockwise from +x, y downward) when
// the kind stands, and the direction it should point once the kind lies on its
// back: while tumbling, the tail swings over the top from one to the other
// instead of poking into the ground.
struct TailSwing {
  double standing, lying;
};

TailSwing TailSwingOf(EnemyKind kind) {
  switch (kind) {
    case EnemyKind::kCangoroo:
      return {148, 360};
    case EnemyKind::kMouse:
      return {224, 350};
    case EnemyKind::kBlue:
      return {0, 0};
    case EnemyKind::kToothy:
      return {183, 350};
  }
  return {0, 0};
}

// How far over each kind ends up lying: the kangaroo on its back, the others
// belly up.
double LyingAngle(EnemyKind kind) {
  switch (kind) {
    case EnemyKind::kCangoroo:
      return 1.6;
    case EnemyKind::kMouse:
      return 2.75;
    case EnemyKind::kBlue:
      return 1.9;
    case EnemyKind::kToothy:
      return 2.6;
  }
  return 1.6;
}

CreaturePose WalkPose(EnemyKind kind, int frame, int frames) {
  CreaturePose p;
  const double t = 2 * kPi * frame / frames;
  switch (kind) {
    case EnemyKind::kCangoroo: {
      // One hop per cycle: crouch, push off, fly, reach forward, land, crouch.
      constexpr std::array<double, 6> up{-3, 3, 12, 13, 6, -2};
      constexpr std::array<double, 6> feetUp{0, 0, 8, 9, 2, 0};
      constexpr std::array<double, 6> toe{0, 0.35, 0.5, 0.15, -0.1, 0};
      constexpr std::array<double, 6> reach{0, 0.3, 0.8, -0.2, -0.4, 0};
      constexpr std::array<double, 6> squash{0.07, -0.04, -0.06, 0, 0.03, 0.09};
      constexpr std::array<double, 6> tail{-1, -0.3, 0.8, 1, 0.2, -0.8};
      p.up = up[frame];
      p.feetUp = feetUp[frame];
      p.toe = toe[frame];
      p.reach = reach[frame];
      p.squash = squash[frame];
      p.tail = tail[frame];
      p.ears = 0.25 * reach[frame];
      p.lean = 0.06;
      break;
    }
    case EnemyKind::kMouse:
      p.step = t;
      p.stride = 1;
      p.up = frame % 2 == 1 ? 1.2 : 0;
      p.tail = std::sin(t);
      p.head = 0.04 * std::sin(t);
      break;
    case EnemyKind::kBlue:
      p.step = t;
      p.stride = 1;
      p.up = 2.2 * std::abs(std::sin(t));
      p.lean = 0.09 * std::sin(t);
      p.squash = 0.05 * std::cos(2 * t);
      p.arms = 0.25 * std::sin(t);
      break;
    case EnemyKind::kToothy:
      p.step = t;
      p.stride = 1;
      p.up = frame % 2 == 1 ? 1.5 : 0;
      p.lean = 0.05 * std::sin(t);
      p.tail = std::sin(t);
      break;
  }
  return p;
}

// Jump set: crouch, flight, landing. The game keeps showing its "crouch end"
// frame while the enemy flies, so a kind whose crouch ends at 3 has the flight
// picture third (then two landing pictures), one whose crouch ends at 5 has it
// last (after a longer crouch).
CreaturePose CreatureJumpPose(const EnemyLayout& layout, int frame) {
  enum Stage { kCrouch, kDeepCrouch, kDeepest, kLaunch, kFlight, kLanding, kRecover };
  constexpr std::array<Stage, 5> shortCrouch{kCrouch, kDeepCrouch, kFlight, kLanding, kRecover};
  constexpr std::array<Stage, 5> longCrouch{kCrouch, kDeepCrouch, kDeepest, kLaunch, kFlight};
  const Stage stage = layout.crouchEnd == 3 ? shortCrouch[frame] : longCrouch[frame];
  CreaturePose p;
  switch (stage) {
    case kCrouch:
      p.up = -3;
      p.squash = 0.08;
      p.lean = 0.08;
      break;
    case kDeepCrouch:
      p.up = -5;
      p.squash = 0.1;
      p.lean = 0.12;
      p.ears = 0.3;
      p.tail = -1;
      p.eyes = EyeLook::kAngry;
      break;
    case kDeepest:
      p.up = -6;
      p.squash = 0.12;
      p.lean = 0.14;
      p.ears = 0.4;
      p.tail = -1;
      p.eyes = EyeLook::kAngry;
      break;
    case kLaunch:
      p.up = 4;
      p.squash = -0.1;
      p.toe = 0.4;
      p.reach = 0.4;
      p.arms = 0.5;
      p.eyes = EyeLook::kAngry;
      break;
    case kFlight:
      p.up = 13;
      p.feetUp = 9;
      p.squash = -0.08;
      p.reach = 1;
      p.toe = 0.5;
      p.ears = 0.6;
      p.arms = 1;
      p.tail = 1;
      p.mouth = 0.3;
      break;
    case kLanding:
      p.up = -5;
      p.squash = 0.14;
      p.reach = -0.3;
      p.arms = 0.3;
      p.eyes = EyeLook::kClosed;
      break;
    case kRecover:
      p.up = -1;
      p.squash = 0.04;
      break;
  }
  return p;
}

// Eating: the mouth snaps open and shut.
CreaturePose EatPose(int frame) {
  constexpr std::array<double, 6> mouth{0.5, 1.0, 0.08, 1.0, 0.2, 0.85};
  CreaturePose p;
  p.mouth = mouth[frame % mouth.size()];
  p.eyes = p.mouth < 0.3 ? EyeLook::kClosed : EyeLook::kAngry;
  p.head = 0.18 * p.mouth;
  p.lean = 0.1;
  p.ears = 0.3 * p.mouth;
  p.squash = p.mouth < 0.3 ? 0.04 : -0.02;
  return p;
}

// Knock-down: tipping over backward, the last frame lying dizzy.
CreaturePose KnockPose(EnemyKind kind, int frame, int frames) {
  CreaturePose p;
  const double last = LyingAngle(kind);
  if (kind == EnemyKind::kMouse) {
    // The mouse tumbles over and bounces once before it lies still.
    constexpr std::array<double, 10> angle{0.2, 0.5, 0.9, 1.4, 1.9, 2.4, 2.85, 2.95, 2.65, 2.75};
    constexpr std::array<double, 10> bounce{0, 3, 6, 8, 8, 6, 2, 0, 3, 0};
    p.fall = angle[frame];
    p.bounce = bounce[frame];
  } else {
    const double t = double(frame + 1) / frames;
    p.fall = last * (1 - (1 - t) * (1 - t));
    p.bounce = frame + 1 < frames ? 4 * std::sin(kPi * t) : 0;
  }
  p.eyes = frame == 0 ? EyeLook::kClosed : EyeLook::kDizzy;
  p.mouth = frame + 1 < frames ? 0.45 : 0.25;
  p.arms = 1;
  p.ears = 0.6;
  p.tail = -1;
  // Legs come up in the air and the tail tucks in as the body goes over.
  p.reach = -1.8 * std::abs(std::sin(p.fall)) - 0.4;
  p.feetUp = 10 * std::abs(std::sin(p.fall));
  const TailSwing tail = TailSwingOf(kind);
  const double target = tail.standing + (tail.lying - tail.standing) * (frame + 1) / frames;
  p.tuck = (tail.standing - target) * kPi / 180 - p.fall;
  p.kick = frame % 2 == 0 ? 1 : -1;
  p.stride = frame >= frames / 2 ? 0.6 : 0;
  p.step = frame * 1.7;
  p.stars = frame >= frames - 2 || (frames > 6 && frame >= frames - 4);
  p.starPhase = frame * 0.9;
  return p;
}

void DrawBodyOf(cairo_t* cr, EnemyKind kind, const CreaturePose& pose) {
  switch (kind) {
    case EnemyKind::kCangoroo:
      return DrawKangaroo(cr, pose);
    case EnemyKind::kMouse:
      return DrawMouse(cr, pose);
    case EnemyKind::kBlue:
      return DrawBlue(cr, pose);
    case EnemyKind::kToothy:
      return DrawToothy(cr, pose);
  }
}

}  // namespace

EnemyLayout LayoutOf(EnemyKind kind) {
  switch (kind) {
    case EnemyKind::kCangoroo:
      return {6, 5, 6, 5, 3, 128, 106.5};
    case EnemyKind::kMouse:
      return {4, 5, 5, 10, 5, 128, 104};
    case EnemyKind::kBlue:
      return {5, 5, 6, 7, 3, 128, 91.5};
    case EnemyKind::kToothy:
      return {4, 5, 5, 6, 5, 100, 90};
  }
  return {};
}

void DrawEnemyFrame(cairo_t* cr, EnemyKind kind, int index) {
  const EnemyLayout layout = LayoutOf(kind);
  const std::array<std::pair<Set, int>, 4> sets{{{Set::kWalk, layout.walk},
                                                 {Set::kJump, layout.jump},
                                                 {Set::kEat, layout.eat},
                                                 {Set::kKnock, layout.knock}}};
  int first = 0;
  for (const auto& [set, frames] : sets) {
    if (index >= first + 2 * frames) {
      first += 2 * frames;
      continue;
    }
    const int offset = index - first;
    const bool facingLeft = offset < frames;
    const int frame = offset % frames;
    CreaturePose pose;
    switch (set) {
      case Set::kWalk:
        pose = WalkPose(kind, frame, frames);
        break;
      case Set::kJump:
        pose = CreatureJumpPose(layout, frame);
        break;
      case Set::kEat:
        pose = EatPose(frame);
        break;
      case Set::kKnock:
        pose = KnockPose(kind, frame, frames);
        break;
    }
    const Extent extent = ExtentOf(kind);
    const Point centre{extent.centreX, layout.feetY - extent.height / 2};
    auto drawBody = [&](cairo_t* c) {
      if (pose.fall != 0) RotateAbout(c, -pose.fall, centre.x, centre.y);
      cairo_translate(c, centre.x, layout.feetY);
      cairo_scale(c, 1 + pose.squash * 0.6, 1 - pose.squash);
      cairo_translate(c, -centre.x, -layout.feetY);
      DrawBodyOf(c, kind, pose);
    };
    // A tumbling body rests its lowest point on the standing line (sunk by the
    // outline's width), then bounces by its bounce height.
    double drop = 0;
    if (pose.fall != 0) drop = layout.feetY + kCreatureLine - InkExtents(drawBody).bottom;
    Saved saved(cr);
    if (facingLeft) MirrorX(cr, layout.size / 2);
    {
      Saved body(cr);
      cairo_translate(cr, 0, drop - pose.bounce);
      drawBody(cr);
    }
    if (pose.stars) {
      const double half = std::abs(extent.width / 2 * std::sin(pose.fall)) +
                          std::abs(extent.height / 2 * std::cos(pose.fall));
      DrawDizzyStars(cr, {centre.x, std::max(14.0, layout.feetY - 2 * half - 3 - pose.bounce)}, 11,
                     pose.starPhase);
    }
    return;
  }
}

}  // namespace assets::art
