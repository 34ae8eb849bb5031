// The four enemy bodies, each built from the shared creature parts and posed by
// a CreaturePose. Coordinates are the kind's picture space, facing right.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assets/art/creature.h"
#include "tools/assets/art/enemy_pose.h"

namespace assets::art {
namespace {

Point Add(Point a, double dx, double dy) {
  return {a.x + dx, a.y + dy};
}

// The tail's points turned about its base toward the belly side.
std::vector<Point> Tucked(std::vector<Point> points, double tuck) {
  const double c = std::cos(-tuck), s = std::sin(-tuck);
  const Point base = points.front();
  for (Point& q : points) {
    const double dx = q.x - base.x, dy = q.y - base.y;
    q = {base.x + dx * c - dy * s, base.y + dx * s + dy * c};
  }
  return points;
}

}  // namespace

// Kangaroo: tall and upright, long ears, big hind feet, thick tail; it hops.
void DrawKangaroo(cairo_t* cr, const CreaturePose& p) {
  constexpr double G = 106.5;
  const Rgb fur = palette::kKangaroo;
  const Rgb furFar = Darker(fur, 0.18);
  const double u = p.up;
  const Point hip{57, G - 22 - u};

  DrawTail(cr,
           Tucked({{50, G - 26 - u},
                   {40, G - 16 - u * 0.7},
                   {29, G - 9 - u * 0.45 - p.tail * 3},
                   {16, std::min(G - 5.0, G - 5 - u * 0.3 - p.tail * 7)}},
                  p.tuck),
           12, 3.5, fur);

  auto hindLeg = [&](double dx, Rgb colour) {
    const Point legHip{hip.x + dx, hip.y};
    // Pointing the toes lifts the heel: the toe tip stays where the foot was.
    const double heel = std::max(0.0, std::sin(p.toe)) * 19;
    const Point ankle{55 + dx - p.reach * 9, G - 3.6 - p.feetUp - heel};
    DrawLeg(cr, {legHip, ankle, 13, 12, 1, 8, colour, 20, 3.6, p.toe, Darker(colour, 0.12)});
  };
  auto thigh = [&](double dx, Rgb colour) {
    DrawBody(cr, {.centre = {hip.x + dx + 2, hip.y - 1},
                  .rx = 8.5,
                  .ry = 11.5,
                  .angle = -0.55 + p.reach * 0.3,
                  .colour = colour});
  };

  hindLeg(-5, furFar);
  thigh(-5, furFar);

  Saved upper(cr);
  RotateAbout(cr, p.lean, hip.x, hip.y);
  // Far arm behind the body.
  Limb(cr, {{66, G - 42 - u}, {70, G - 36 - u}, {74, G - 39 - u - p.arms * 7}}, 4.2, furFar,
       kCreatureLine);
  DrawBody(
      cr,
      {{60, G - 34 - u}, 13.5, 17.5, 0.32, fur, true, palette::kKangarooBelly, {0.42, 0.2}, 0.6});
  // Pouch line.
  cairo_new_path(cr);
  cairo_arc(cr, 66, G - 30 - u, 6, 0.2, kPi - 0.6);
  SetColor(cr, Darker(palette::kKangarooBelly, 0.3));
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  {
    Saved restoreLean(cr);
    RotateAbout(cr, -p.lean, hip.x, hip.y);
    hindLeg(0, fur);
  }
  thigh(0, fur);
  Limb(cr, {{69, G - 41 - u}, {73, G - 34 - u}, {78, G - 37 - u - p.arms * 7}}, 4.6, fur,
       kCreatureLine);
  ShadedEllipse(cr, 78.5, G - 37.5 - u - p.arms * 7, 2.8, 2.6, furFar, 1.5);

  // Head, turned about the neck.
  const Point neck{68, G - 47 - u};
  Saved head(cr);
  cairo_translate(cr, neck.x, neck.y);
  cairo_rotate(cr, -p.head);
  const Rgb earInside = Mix(palette::kKangarooBelly, palette::kPink, 0.45);
  DrawEar(cr, {{-1, -13}, -0.55 - p.ears * 0.5, 14, 8.5, furFar, earInside, false});
  DrawEar(cr, {{3, -14}, -0.25 - p.ears * 0.5, 15, 9, fur, earInside, false});
  DrawBlob(cr, {{5, -8, 9.5, 8.5}, {13, -5, 8.5, 5.8, 0.18}}, fur);
  ShadedEllipse(cr, 20.5, -6, 2.7, 2.1, palette::kOutline, 0);
  Gloss(cr, 19.8, -6.8, 0.9, 0.6, 0.8);
  DrawEye(cr, {{7.5, -10.5}, 3.1, 3.9, {0.55, 0}, p.eyes, palette::kOutline});
  DrawMouth(cr, {{15, -1}, 10, 12, p.mouth, Teeth::kNone, 0.25});
  DrawBlush(cr, {10, -4}, 2.6, 1.6);
}

// Mouse: low and long on four short legs, big round ears, pink nose, thin tail.
void DrawMouse(cairo_t* cr, const CreaturePose& p) {
  constexpr double G = 104;
  const Rgb fur = palette::kMouse;
  const Rgb furFar = Darker(fur, 0.18);
  const double u = p.up;
  const Rgb tail = Mix(palette::kPink, fur, 0.35);

  DrawTail(cr,
           Tucked({{42, G - 17 - u},
                   {31, G - 12 - u},
                   {21, G - 19 - u - p.tail * 3},
                   {14, G - 30 - u - p.tail * 4},
                   {18, G - 40 - u - p.tail * 3}},
                  p.tuck),
           4.4, 1.4, tail);

  // Legs trot in diagonal pairs; in the air they stretch back and forward.
  auto leg = [&](double hipX, double phase, double reachSign, Rgb colour, Rgb foot) {
    const double dx = 4.5 * p.stride * std::sin(phase) + reachSign * p.reach * 7;
    const double lift = p.stride * 3 * std::max(0.0, std::cos(phase)) + p.feetUp;
    const Point legHip{hipX, G - 13 - u};
    const Point ankle{hipX + dx, G - 2.6 - lift};
    DrawLeg(cr, {legHip, ankle, 6.5, 6.5, -1, 5, colour, 7, 2.6, p.toe, foot});
  };
  const Rgb footFar = Darker(palette::kPink, 0.15);
  leg(47, p.step + kPi, -1, furFar, footFar);
  leg(73, p.step, 1, furFar, footFar);

  Saved lean(cr);
  RotateAbout(cr, p.lean, 60, G - 10);
  DrawBody(cr,
           {{60, G - 17 - u}, 20, 12.5, -0.06, fur, true, Lighter(fur, 0.45), {0.2, 0.45}, 0.62});
  {
    Saved restoreLean(cr);
    RotateAbout(cr, -p.lean, 60, G - 10);
    leg(51, p.step, -1, fur, palette::kPink);
    leg(77, p.step + kPi, 1, fur, palette::kPink);
  }

  const Point neck{75, G - 22 - u};
  Saved head(cr);
  cairo_translate(cr, neck.x, neck.y);
  cairo_rotate(cr, -p.head);
  DrawEar(cr, {{6, -9}, 0.25 + p.ears * 0.3, 16, 14, furFar, palette::kPink, true});
  DrawEar(cr, {{-1, -8}, -0.35 - p.ears * 0.4, 18, 16, fur, palette::kPink, true});
  DrawBlob(cr, {{7, -3, 11, 10}, {16, 0, 8.5, 5.8, 0.12}}, fur);
  ShadedEllipse(cr, 24.3, -0.6, 3.1, 2.9, palette::kPink, 1.5);
  Gloss(cr, 23.6, -1.6, 1.0, 0.7, 0.8);
  DrawWhiskers(cr, {20.5, 1.5}, 9);
  DrawEye(cr, {{10.5, -6}, 3.0, 3.7, {0.55, 0}, p.eyes, palette::kOutline});
  DrawMouth(cr, {{17.5, 5}, 9, 11, p.mouth, Teeth::kBuck, 0.15});
  DrawBlush(cr, {12.5, 1.5}, 2.4, 1.5);
}

// Blue: a round ball of fur with big eyes, a tuft on top and two little feet.
void DrawBlue(cairo_t* cr, const CreaturePose& p) {
  constexpr double G = 91.5;
  const Rgb fur = palette::kBlue;
  const Rgb furFar = Darker(fur, 0.2);
  const double u = p.up;
  const Point c{64, G - 25 - u};
  const double nearLift = p.stride * 3.5 * std::max(0.0, std::sin(p.step)) + p.feetUp;
  const double farLift = p.stride * 3.5 * std::max(0.0, -std::sin(p.step)) + p.feetUp;
  const double swing = p.stride * 3 * std::cos(p.step);

  ShadedEllipse(cr, 56 - swing - p.reach * 3, G - 4 - farLift, 7.5, 4, furFar, kCreatureLine);

  Saved lean(cr);
  RotateAbout(cr, p.lean, c.x, G);
  Limb(cr, {Add(c, -15, 7), Add(c, -21, 13 - p.arms * 14)}, 5.5, furFar, kCreatureLine);
  // Tuft of hair.
  DrawTail(cr, {Add(c, -2, -17), Add(c, -5, -25), Add(c, -1, -30)}, 5, 1.5, fur);
  DrawTail(cr, {Add(c, 3, -17), Add(c, 4, -26), Add(c, 9, -29)}, 5, 1.5, fur);
  DrawBody(cr, {c, 21, 21, 0, fur, true, Lighter(fur, 0.5), {0.22, 0.5}, 0.58});
  DrawEye(cr, {Add(c, 2, -7), 4.8, 6.4, {0.6, 0.1}, p.eyes, palette::kOutline});
  DrawEye(cr, {Add(c, 12.5, -6), 5.6, 7.2, {0.6, 0.1}, p.eyes, palette::kOutline});
  DrawBlush(cr, Add(c, 18, 3), 3.2, 1.9);
  DrawMouth(cr, {Add(c, 9.5, 8), 14, 15, p.mouth, Teeth::kFangs, -0.05});
  Limb(cr, {Add(c, 16, 9), Add(c, 22, 15 - p.arms * 14)}, 5.5, fur, kCreatureLine);
  {
    Saved restoreLean(cr);
    RotateAbout(cr, -p.lean, c.x, G);
    ShadedEllipse(cr, 72 + swing + p.reach * 3, G - 4 - nearLift, 8, 4.2, fur, kCreatureLine);
  }
}

// Toothy: a wide green creature whose whole front is a mouth full of teeth, with
// eyes on bumps, spikes on its back and stubby legs. The upper jaw hinges open.
void DrawToothy(cairo_t* cr, const CreaturePose& p) {
  constexpr double G = 90;
  const Rgb skin = palette::kToothy;
  const Rgb skinFar = palette::kDarkGreen;
  const double u = p.up;
  const Point c{48, G - 19 - u};
  const Point hinge{c.x - 8, c.y + 2};
  const double front = c.x + 25;
  const double jaw = p.mouth * 0.6;

  auto leg = [&](double hipX, double phase, Rgb colour) {
    const double dx = 3.5 * p.stride * std::sin(phase) - p.reach * 5;
    const double lift = p.stride * 3 * std::max(0.0, std::cos(phase)) + p.feetUp;
    DrawLeg(cr, {{hipX, c.y + 10},
                 {hipX + dx, G - 3.6 - lift},
                 6,
                 6,
                 1,
                 7.5,
                 colour,
                 10,
                 3.6,
                 p.toe,
                 Darker(colour, 0.1)});
  };

  DrawTail(
      cr,
      Tucked({Add(c, -19, 6), {17, G - 9 - u * 0.5}, {7, G - 14 - u * 0.4 - p.tail * 3}}, p.tuck),
      11, 2.5, skin);
  leg(41, p.step + kPi, skinFar);

  Saved lean(cr);
  RotateAbout(cr, p.lean, c.x, G);

  // Inside of the mouth, seen through the open jaws.
  if (jaw > 0.01) {
    cairo_new_path(cr);
    cairo_move_to(cr, hinge.x, hinge.y);
    cairo_line_to(cr, front + 2, hinge.y);
    const double a = -jaw;
    cairo_line_to(cr, hinge.x + std::cos(a) * (front + 2 - hinge.x),
                  hinge.y + std::sin(a) * (front + 2 - hinge.x));
    cairo_close_path(cr);
    FlatFill(cr, palette::kMouthInside, kCreatureLine);
    ShadedEllipse(cr, front - 9, hinge.y - 2, 8, 3.5 * p.mouth + 1, palette::kTongue, 0);
  }

  auto teeth = [&](double y, double dir) {
    // Triangles along the jaw line pointing up (dir -1) or down (dir +1).
    const double step = 4.2;
    for (double x = hinge.x + 7 + (dir < 0 ? step / 2 : 0); x + step <= front + 0.5; x += step) {
      cairo_new_path(cr);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + step, y);
      cairo_line_to(cr, x + step / 2, y + dir * 4.6);
      cairo_close_path(cr);
      FlatFill(cr, palette::kWhite, 1.1);
    }
  };
  auto lipLine = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, hinge.x - 1, hinge.y);
    cairo_line_to(cr, front + 0.5, hinge.y);
    Outline(cr, kCreatureLine);
  };

  // Lower jaw.
  {
    Saved clip(cr);
    cairo_rectangle(cr, 0, hinge.y, 100, 100);
    cairo_clip(cr);
    DrawBody(cr,
             {c, 25, 16, -0.04, skin, true, Mix(skin, palette::kYellow, 0.55), {0.25, 0.55}, 0.7});
  }
  teeth(hinge.y, -1);
  lipLine();

  // Upper jaw: back spikes, the head with its eye bumps, the upper teeth.
  {
    Saved upper(cr);
    RotateAbout(cr, -jaw, hinge.x, hinge.y);
    for (int i = 0; i < 4; ++i) {
      const double t = kPi * (1.08 + 0.12 * i);
      const double bx = c.x + std::cos(t) * 23, by = c.y + std::sin(t) * 15;
      const double nx = std::cos(t), ny = std::sin(t) * 1.4;
      const double nl = std::hypot(nx, ny);
      cairo_new_path(cr);
      cairo_move_to(cr, bx - ny / nl * 4.5, by + nx / nl * 4.5);
      cairo_line_to(cr, bx + nx / nl * 8.5, by + ny / nl * 8.5);
      cairo_line_to(cr, bx + ny / nl * 4.5, by - nx / nl * 4.5);
      cairo_close_path(cr);
      ShadedFill(cr, skinFar, kCreatureLine);
    }
    {
      Saved clip(cr);
      cairo_rectangle(cr, 0, 0, 100, hinge.y);
      cairo_clip(cr);
      DrawBlob(
          cr,
          {{c.x, c.y, 25, 16, -0.04}, {c.x - 1, c.y - 14, 7.5, 7.5}, {c.x + 11, c.y - 13, 8, 8}},
          skin);
    }
    DrawEye(cr, {Add(c, -1, -15), 4.0, 5.0, {0.55, 0}, p.eyes, skinFar});
    DrawEye(cr, {Add(c, 11.5, -14), 4.4, 5.4, {0.55, 0}, p.eyes, skinFar});
    // Nostrils.
    ShadedEllipse(cr, front - 5, c.y - 5, 1.3, 0.9, palette::kOutline, 0);
    teeth(hinge.y, 1);
    lipLine();
  }
  {
    Saved restoreLean(cr);
    RotateAbout(cr, -p.lean, c.x, G);
    leg(55, p.step, skin);
  }
}

}  // namespace assets::art
