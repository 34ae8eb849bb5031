// Body parts shared by every creature (the four enemies, the raven, the help
// pages): one parameterised function per part, so the enemies differ by their
// parameters and proportions, not by copies of the drawing code.
#pragma once

#include <cairo.h>

#include <vector>

#include "tools/assets/art/canvas.h"

namespace assets::art {

inline constexpr double kCreatureLine = 2.0;

enum class EyeLook { kOpen, kClosed, kDizzy, kHappy, kAngry };

struct EyeShape {
  Point centre{};
  double rx = 3;
  double ry = 3.5;
  Point look{0.35, 0};  // pupil offset as a fraction of the eye radius
  EyeLook state = EyeLook::kOpen;
  Rgb lid = palette::kOutline;  // brow/lid colour for angry eyes
};
void DrawEye(cairo_t* cr, const EyeShape& eye);

enum class Teeth { kNone, kBuck, kFangs, kRow };

// A mouth seen from the side or front: `open` 0 is a closed smile line, 1 a
// wide-open mouth of height `height`.
struct MouthShape {
  Point centre{};
  double width = 8;
  double height = 8;
  double open = 0;
  Teeth teeth = Teeth::kNone;
  double tilt = 0;  // radians
};
void DrawMouth(cairo_t* cr, const MouthShape& mouth);

// A pointed or rounded ear growing from base at `angle` (radians from straight
// up, toward +x), with an inner colour.
struct EarShape {
  Point base{};
  double angle = 0;
  double length = 12;
  double width = 7;
  Rgb colour{};
  Rgb inner = palette::kPink;
  bool round = false;
};
void DrawEar(cairo_t* cr, const EarShape& ear);

// Two-bone leg from hip to ankle with the knee bent toward `kneeSide` (+1 = +x);
// the knee is found from the bone lengths (the leg straightens if too short).
Point KneeFor(Point hip, Point ankle, double upper, double lower, double kneeSide);

struct LegShape {
  Point hip{};
  Point ankle{};
  double upper = 10;
  double lower = 10;
  double kneeSide = 1;
  double width = 7;
  Rgb colour{};
  double footLength = 8;  // foot reaches this far forward of the ankle
  double footHeight = 3.5;
  double footTilt = 0;  // toe down (+) or up (-)
  Rgb footColour{};
};
void DrawLeg(cairo_t* cr, const LegShape& leg);

// A shaded body ellipse, optionally with a lighter belly patch toward the front.
struct BodyShape {
  Point centre{};
  double rx = 10;
  double ry = 10;
  double angle = 0;
  Rgb colour{};
  bool belly = false;
  Rgb bellyColour{};
  Point bellyOffset{0.35, 0.3};  // fraction of the radii
  double bellyScale = 0.62;
};
void DrawBody(cairo_t* cr, const BodyShape& body);

// Several overlapping ovals drawn as one shape: one shading across all of them
// and an outline around their union only (a head with its snout, a body with
// bumps).
struct Oval {
  double cx = 0;
  double cy = 0;
  double rx = 1;
  double ry = 1;
  double angle = 0;
};
void DrawBlob(cairo_t* cr, const std::vector<Oval>& parts, Rgb colour);

// A tapered tail through the points.
void DrawTail(cairo_t* cr, const std::vector<Point>& points, double baseWidth, double tipWidth,
              Rgb colour);

// Whiskers fanning out from a point toward +x.
void DrawWhiskers(cairo_t* cr, Point from, double length);

// Little stars circling over a dizzy head; phase turns them.
void DrawDizzyStars(cairo_t* cr, Point centre, double radius, double phase);

// Rosy cheek.
void DrawBlush(cairo_t* cr, Point centre, double rx, double ry);

}  // namespace assets::art
