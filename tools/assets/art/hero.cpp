#include "tools/assets/art/hero.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/assets/art/canvas.h"

namespace assets::art {
namespace {

constexpr double kHeroLine = 2.0;
constexpr double kThigh = 12;
constexpr double kShin = 11;
constexpr double kSole = 5;  // ankle to the bottom of the boot
constexpr double kUpperArm = 9;
constexpr double kForearm = 8;
constexpr double kShoulderHeight = 16;
constexpr double kHelmetHeight = 33;  // hip to helmet centre
constexpr double kHelmetRadius = 16.5;
constexpr Rgb kSuitShade{0.80, 0.79, 0.84};
constexpr Rgb kEyeGlow{0.78, 0.97, 1.0};

// swing: the angle of the upper part from straight down toward the facing side;
// bend: the joint (legs bend the shin backward, arms the forearm forward).
struct LimbPose {
  double swing = 0;
  double bend = 0;
};

struct HeroPose {
  LimbPose nearLeg, farLeg, nearArm, farArm;
  double lean = 0.1;  // torso tilt toward the facing side
  double lift = 0;    // how far the lowest boot is above the standing line
  double spin = 0;    // whole-figure turn about the picture centre (dying)
  double scale = 1;   // whole-figure size about the picture centre (dying)
  HeroFace face = HeroFace::kNormal;
};

struct LegJoints {
  Point hip, knee, ankle;
};

LegJoints Leg(Point hip, LimbPose pose) {
  const Point k = FromDown(pose.swing, kThigh);
  const Point knee{hip.x + k.x, hip.y + k.y};
  const Point s = FromDown(pose.swing - pose.bend, kShin);
  return {hip, knee, {knee.x + s.x, knee.y + s.y}};
}

std::array<Point, 3> Arm(Point shoulder, LimbPose pose) {
  const Point e = FromDown(pose.swing, kUpperArm);
  const Point elbow{shoulder.x + e.x, shoulder.y + e.y};
  const Point f = FromDown(pose.swing + pose.bend, kForearm);
  return {shoulder, elbow, {elbow.x + f.x, elbow.y + f.y}};
}

Point Up(Point from, double lean, double height) {
  return {from.x + std::sin(lean) * height, from.y - std::cos(lean) * height};
}

void DrawLeg(cairo_t* cr, const LegJoints& leg, LimbPose pose, bool far) {
  const Rgb suit = far ? kSuitShade : palette::kSuit;
  const Rgb boot = far ? Darker(palette::kOrange, 0.18) : palette::kOrange;
  Limb(cr, {leg.hip, leg.knee, leg.ankle}, 8.5, suit, kHeroLine);
  // The boot points forward and follows the shin a little when the foot is lifted.
  Saved saved(cr);
  const double footTilt = std::clamp(-(pose.swing - pose.bend) * 0.5, -0.6, 0.6);
  RotateAbout(cr, footTilt, leg.ankle.x, leg.ankle.y);
  cairo_new_path(cr);
  RoundedRectPath(cr, leg.ankle.x - 5, leg.ankle.y - 3, 13, kSole + 3, 3.5);
  ShadedFill(cr, boot, kHeroLine);
  cairo_new_path(cr);
  cairo_move_to(cr, leg.ankle.x - 4.5, leg.ankle.y + kSole - 1.2);
  cairo_line_to(cr, leg.ankle.x + 7.5, leg.ankle.y + kSole - 1.2);
  SetColor(cr, Darker(boot, 0.45), 0.8);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
}

void DrawArm(cairo_t* cr, const std::array<Point, 3>& arm, bool far) {
  const Rgb suit = far ? kSuitShade : palette::kSuit;
  Limb(cr, {arm[0], arm[1], arm[2]}, 7, suit, kHeroLine);
  ShadedEllipse(cr, arm[2].x, arm[2].y, 4.2, 4.2,
                far ? Darker(palette::kOrange, 0.18) : palette::kOrange, kHeroLine);
}

void DrawEyes(cairo_t* cr, HeroFace face) {
  const std::array<Point, 2> eyes{Point{3.5, 2.2}, Point{10.2, 2.2}};
  Saved saved(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (std::size_t i = 0; i < eyes.size(); ++i) {
    const Point e = eyes[i];
    const double w = i == 0 ? 2.0 : 1.7;  // the far eye is a little narrower
    cairo_new_path(cr);
    switch (face) {
      case HeroFace::kNormal:
        EllipsePath(cr, e.x, e.y, w, 2.9);
        SetColor(cr, kEyeGlow);
        cairo_fill(cr);
        break;
      case HeroFace::kHappy:
        cairo_move_to(cr, e.x - w - 0.6, e.y + 1.2);
        cairo_curve_to(cr, e.x - w, e.y - 2.6, e.x + w, e.y - 2.6, e.x + w + 0.6, e.y + 1.2);
        SetColor(cr, kEyeGlow);
        cairo_set_line_width(cr, 1.7);
        cairo_stroke(cr);
        break;
      case HeroFace::kSquint:
        cairo_move_to(cr, e.x - w - 0.4, e.y + 0.3);
        cairo_line_to(cr, e.x + w + 0.4, e.y + 0.3);
        SetColor(cr, kEyeGlow);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        break;
      case HeroFace::kDizzy:
        cairo_move_to(cr, e.x - 2, e.y - 2);
        cairo_line_to(cr, e.x + 2, e.y + 2);
        cairo_move_to(cr, e.x + 2, e.y - 2);
        cairo_line_to(cr, e.x - 2, e.y + 2);
        SetColor(cr, kEyeGlow);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        break;
    }
  }
}

// The helmet at the origin, radius 16.5, facing right.
void DrawHelmet(cairo_t* cr, HeroFace face) {
  // Antenna with a red light.
  Limb(cr, {{-6.5, -13.5}, {-10.5, -22}}, 1.6, palette::kStone, 1.2);
  ShadedEllipse(cr, -10.8, -23.5, 2.8, 2.8, palette::kRed, 1.4);
  Gloss(cr, -11.6, -24.4, 0.9, 0.7, 0.8);
  ShadedEllipse(cr, 0, 0, kHelmetRadius, kHelmetRadius, palette::kSuit, kHeroLine);
  // Ear disc on the side of the helmet.
  ShadedEllipse(cr, -6.5, 2.5, 4.0, 4.6, palette::kOrange, 1.5);
  // Visor: deep blue glass with a bright reflection.
  cairo_new_path(cr);
  EllipsePath(cr, 5.2, 1.6, 10.6, 9.2);
  cairo_pattern_t* glass = cairo_pattern_create_linear(0, -8, 0, 11);
  cairo_pattern_add_color_stop_rgb(glass, 0, 0.36, 0.66, 0.95);
  cairo_pattern_add_color_stop_rgb(glass, 0.55, palette::kVisor.r, palette::kVisor.g,
                                   palette::kVisor.b);
  cairo_pattern_add_color_stop_rgb(glass, 1, 0.07, 0.12, 0.28);
  cairo_set_source(cr, glass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glass);
  Outline(cr, kHeroLine);
  DrawEyes(cr, face);
  Gloss(cr, 1.8, -3.6, 4.2, 2.0, 0.75);
  Gloss(cr, 11.5, 6.3, 1.3, 1.0, 0.45);
  Gloss(cr, -8.5, -8.5, 3.0, 2.2, 0.6);
}

void DrawTorso(cairo_t* cr, Point hip, double lean) {
  Saved saved(cr);
  cairo_translate(cr, hip.x, hip.y);
  cairo_rotate(cr, lean);
  // Backpack behind the back.
  cairo_new_path(cr);
  RoundedRectPath(cr, -17, -21, 11, 19, 3.5);
  ShadedFill(cr, palette::kOrange, kHeroLine);
  cairo_new_path(cr);
  RoundedRectPath(cr, -15.5, -14, 8, 3, 1.2);
  FlatFill(cr, palette::kRed, 1.0);
  // Body.
  cairo_new_path(cr);
  RoundedRectPath(cr, -10.5, -22, 21, 25, 8);
  ShadedFill(cr, palette::kSuit, kHeroLine);
  // Chest panel with three lights.
  cairo_new_path(cr);
  RoundedRectPath(cr, -1, -17, 9, 7, 2);
  FlatFill(cr, palette::kDeepBlue, 1.2);
  const std::array<Rgb, 3> lights{palette::kRed, palette::kYellow, palette::kGreen};
  for (std::size_t i = 0; i < lights.size(); ++i) {
    cairo_new_path(cr);
    EllipsePath(cr, 1.1 + 2.4 * double(i), -13.5, 0.95, 0.95);
    SetColor(cr, lights[i]);
    cairo_fill(cr);
  }
  // Belt.
  cairo_new_path(cr);
  RoundedRectPath(cr, -10.5, -5, 21, 4.5, 1.5);
  ShadedFill(cr, palette::kOrange, 1.5);
  cairo_new_path(cr);
  RoundedRectPath(cr, 1.5, -5.4, 5, 5.3, 1.2);
  ShadedFill(cr, palette::kYellow, 1.2);
}

// The figure with its hip at `hip`, upright.
void DrawFigure(cairo_t* cr, const HeroPose& pose, Point hip) {
  const LegJoints nearLeg = Leg({hip.x + 2, hip.y}, pose.nearLeg);
  const LegJoints farLeg = Leg({hip.x - 2, hip.y}, pose.farLeg);
  const Point shoulder = Up(hip, pose.lean, kShoulderHeight);
  const Point farShoulder{shoulder.x - 4, shoulder.y + 0.5};
  const Point nearShoulder{shoulder.x + 1, shoulder.y + 1};
  const Point helmet = Up(hip, pose.lean * 0.8, kHelmetHeight);

  DrawArm(cr, Arm(farShoulder, pose.farArm), true);
  DrawLeg(cr, farLeg, pose.farLeg, true);
  DrawLeg(cr, nearLeg, pose.nearLeg, false);
  DrawTorso(cr, hip, pose.lean);
  // A raised arm goes behind the helmet, so it never hides the visor.
  const bool armRaised = pose.nearArm.swing > 2.3;
  if (armRaised) DrawArm(cr, Arm(nearShoulder, pose.nearArm), false);
  // Collar ring under the helmet.
  const Point collar = Up(hip, pose.lean, 20.5);
  ShadedEllipse(cr, collar.x, collar.y, 9.5, 3.6, palette::kStone, 1.6);
  {
    Saved head(cr);
    cairo_translate(cr, helmet.x, helmet.y);
    cairo_rotate(cr, pose.lean * 0.5);
    DrawHelmet(cr, pose.face);
  }
  if (!armRaised) DrawArm(cr, Arm(nearShoulder, pose.nearArm), false);
}

void DrawHero(cairo_t* cr, const HeroPose& pose) {
  // Stand the lowest boot (its outline included) on the standing line, then
  // raise the figure by the pose's lift.
  constexpr double kHipX = 63;
  const double guess = kHeroFeetY - 28;
  const InkBox ink = InkExtents([&](cairo_t* c) { DrawFigure(c, pose, {kHipX, guess}); });
  const Point hip{kHipX, guess + (kHeroFeetY + kHeroLine / 2 - ink.bottom) - pose.lift};

  Saved saved(cr);
  RotateAbout(cr, pose.spin, 64, 64);
  cairo_translate(cr, 64, 64);
  cairo_scale(cr, pose.scale, pose.scale);
  cairo_translate(cr, -64, -64);
  DrawFigure(cr, pose, hip);
}

// Run cycle: the near leg swings forward through the first half; frame 0 is the
// passing pose that also serves as the standing picture.
HeroPose RunPose(int frame) {
  const double t = 2 * kPi * frame / 8;
  HeroPose p;
  auto leg = [](double phase) {
    return LimbPose{0.62 * std::sin(phase), 0.18 + 1.05 * std::max(0.0, std::cos(phase))};
  };
  p.nearLeg = leg(t);
  p.farLeg = leg(t + kPi);
  p.nearArm = {-0.75 * std::sin(t), 1.25};
  p.farArm = {0.75 * std::sin(t), 1.25};
  p.lean = 0.14;
  return p;
}

// Jump: 1-2 take-off (crouch, stretch), 3 in the air, 4-5 landing.
HeroPose JumpPose(int frame) {
  HeroPose p;
  switch (frame) {
    case 0:
      p.nearLeg = {0.85, 1.75};
      p.farLeg = {0.65, 1.55};
      p.nearArm = {-0.9, 0.4};
      p.farArm = {-0.7, 0.4};
      p.lean = 0.35;
      p.face = HeroFace::kSquint;
      break;
    case 1:
      p.nearLeg = {-0.05, 0.1};
      p.farLeg = {-0.25, 0.3};
      p.nearArm = {2.0, 0.3};
      p.farArm = {1.8, 0.3};
      p.lean = 0.05;
      break;
    case 2:
      p.nearLeg = {0.95, 1.45};
      p.farLeg = {-0.35, 0.95};
      p.nearArm = {2.1, 0.15};
      p.farArm = {-1.0, 0.6};
      p.lean = 0.12;
      p.lift = 3;
      break;
    case 3:
      p.nearLeg = {0.5, 1.0};
      p.farLeg = {0.35, 0.9};
      p.nearArm = {1.5, 0.4};
      p.farArm = {1.2, 0.4};
      p.lean = 0.25;
      break;
    default:
      p.nearLeg = {0.75, 1.55};
      p.farLeg = {0.6, 1.4};
      p.nearArm = {0.8, 0.6};
      p.farArm = {0.6, 0.6};
      p.lean = 0.3;
      p.face = HeroFace::kSquint;
      break;
  }
  return p;
}

// Joy: a happy jump in place with both arms up.
HeroPose JoyPose(int frame) {
  HeroPose p;
  p.face = HeroFace::kHappy;
  switch (frame) {
    case 0:
      p.nearLeg = {0.7, 1.5};
      p.farLeg = {0.55, 1.35};
      p.nearArm = {-0.5, 0.5};
      p.farArm = {-0.3, 0.5};
      p.lean = 0.25;
      break;
    case 1:
      p.nearLeg = {0.1, 0.2};
      p.farLeg = {-0.15, 0.3};
      p.nearArm = {2.0, 0.0};
      p.farArm = {-2.0, 0.0};
      p.lean = 0.0;
      p.lift = 8;
      break;
    case 2:
      p.nearLeg = {0.8, 1.6};
      p.farLeg = {0.4, 1.6};
      p.nearArm = {2.15, -0.2};
      p.farArm = {-2.15, 0.2};
      p.lean = -0.05;
      p.lift = 15;
      break;
    case 3:
      p.nearLeg = {0.15, 0.35};
      p.farLeg = {-0.1, 0.4};
      p.nearArm = {2.0, 0.1};
      p.farArm = {-2.0, -0.1};
      p.lean = 0.02;
      p.lift = 7;
      break;
    default:
      p.nearLeg = {0.55, 1.2};
      p.farLeg = {0.4, 1.05};
      p.nearArm = {1.6, 0.4};
      p.farArm = {-1.6, -0.4};
      p.lean = 0.15;
      break;
  }
  return p;
}

// Dying: a dizzy spin that shrinks away.
HeroPose DiePose(int frame) {
  HeroPose p;
  p.face = HeroFace::kDizzy;
  const double wobble = frame % 2 == 0 ? 1 : -1;
  p.nearLeg = {0.5 * wobble, 0.7};
  p.farLeg = {-0.5 * wobble, 0.7};
  p.nearArm = {2.3, 0.5 * wobble};
  p.farArm = {-2.3, -0.5 * wobble};
  p.lean = -0.1;
  p.lift = 6;
  p.spin = -2 * kPi * frame / 6;
  p.scale = 1.0 - 0.07 * std::max(0, frame - 1);
  return p;
}

HeroPose PoseForFrame(int indexInDirection) {
  if (indexInDirection < 8) return RunPose(indexInDirection);
  if (indexInDirection < 13) return JumpPose(indexInDirection - 8);
  if (indexInDirection < 18) return JoyPose(indexInDirection - 13);
  return DiePose(indexInDirection - 18);
}

}  // namespace

void DrawHeroFrame(cairo_t* cr, int index) {
  // Sets in pack order: run 8, jump 5, joy 5, die 6 frames, each facing left then right.
  struct SetRange {
    int first, frames, poseBase;
  };
  constexpr std::array<SetRange, 4> sets{{{0, 8, 0}, {16, 5, 8}, {26, 5, 13}, {36, 6, 18}}};
  for (const SetRange& set : sets) {
    if (index < set.first || index >= set.first + 2 * set.frames) continue;
    const int offset = index - set.first;
    const bool facingLeft = offset < set.frames;
    const HeroPose pose = PoseForFrame(set.poseBase + offset % set.frames);
    Saved saved(cr);
    if (facingLeft) MirrorX(cr, kHeroSize / 2);
    DrawHero(cr, pose);
    return;
  }
}

void DrawHeroHead(cairo_t* cr, double cx, double cy, double radius, HeroFace face) {
  Saved saved(cr);
  cairo_translate(cr, cx, cy);
  const double s = radius / kHelmetRadius;
  cairo_scale(cr, s, s);
  DrawHelmet(cr, face);
}

}  // namespace assets::art
