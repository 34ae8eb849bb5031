#include "tools/assets/art/raven.h"

#include <cmath>
#include <vector>

#include "tools/assets/art/canvas.h"
#include "tools/assets/art/creature.h"

namespace assets::art {
namespace {

constexpr Rgb kFeathers{0.30, 0.28, 0.43};
constexpr Rgb kBeak{1.0, 0.72, 0.18};

// A wing pointing up from its shoulder at the origin, leading edge toward +x.
void WingPath(cairo_t* cr) {
  const std::vector<Point> outline{{0, 0},     {7, -12},   {6, -27},   {-2, -39},
                                   {-7, -32},  {-11, -35}, {-13, -27}, {-17, -28},
                                   {-17, -19}, {-20, -18}, {-16, -9},  {-14, 2}};
  SmoothClosedPath(cr, outline);
}

void DrawWing(cairo_t* cr, Point shoulder, double angle, Rgb colour) {
  Saved saved(cr);
  cairo_translate(cr, shoulder.x, shoulder.y);
  cairo_rotate(cr, angle);
  WingPath(cr);
  ShadedFill(cr, colour, kCreatureLine);
  // Feather lines.
  cairo_new_path(cr);
  for (const Point& tip : {Point{-7, -30}, Point{-12, -24}, Point{-15, -15}}) {
    cairo_move_to(cr, -1, -4);
    cairo_line_to(cr, tip.x, tip.y);
  }
  SetColor(cr, Lighter(colour, 0.35), 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void DrawRaven(cairo_t* cr, int frame) {
  // Wings beat from up-and-back to down-and-back over six frames; the body bobs.
  const double beat = std::cos(2 * kPi * frame / 6);
  const double wing = -1.45 + 0.95 * beat;
  const double bob = 2.5 * beat;
  const Point body{61, 59 + bob};

  DrawWing(cr, {body.x + 4, body.y - 8}, wing + 0.25, Darker(kFeathers, 0.25));
  // Tail fan.
  for (const double a : {-0.3, 0.0, 0.3}) {
    DrawTail(cr,
             {{body.x - 12, body.y + 2},
              {body.x - 26, body.y + 3 + a * 14},
              {body.x - 35, body.y + 4 + a * 26}},
             9, 6, Darker(kFeathers, 0.1));
  }
  // Legs with claws holding the parcel's string.
  Limb(cr, {{body.x - 1, body.y + 8}, {body.x - 4, body.y + 13.5}}, 2.4, kBeak, 1.3);
  Limb(cr, {{body.x + 3, body.y + 8}, {body.x - 1, body.y + 14}}, 2.4, kBeak, 1.3);
  DrawBody(cr, {.centre = body,
                .rx = 20,
                .ry = 12.5,
                .angle = -0.2,
                .colour = kFeathers,
                .belly = true,
                .bellyColour = Lighter(kFeathers, 0.2),
                .bellyOffset = {0.2, 0.45},
                .bellyScale = 0.6});
  // Head with a tuft, a big beak and a cheeky eye.
  const Point head{body.x + 19, body.y - 10};
  DrawTail(cr, {{head.x - 4, head.y - 8}, {head.x - 9, head.y - 15}, {head.x - 6, head.y - 19}}, 4,
           1.5, kFeathers);
  ShadedEllipse(cr, head.x, head.y, 10.5, 10, kFeathers, kCreatureLine);
  cairo_new_path(cr);
  cairo_move_to(cr, head.x + 7, head.y - 5);
  cairo_curve_to(cr, head.x + 14, head.y - 4, head.x + 19, head.y, head.x + 22, head.y + 3);
  cairo_curve_to(cr, head.x + 17, head.y + 4, head.x + 12, head.y + 5, head.x + 7, head.y + 4);
  cairo_close_path(cr);
  ShadedFill(cr, kBeak, kCreatureLine);
  cairo_new_path(cr);
  cairo_move_to(cr, head.x + 8, head.y + 0.5);
  cairo_line_to(cr, head.x + 18, head.y + 2);
  Outline(cr, 1.1);
  DrawEye(cr, {.centre = {head.x + 2.5, head.y - 3},
               .rx = 3.6,
               .ry = 4.2,
               .look = {0.6, 0.1},
               .state = EyeLook::kAngry,
               .lid = palette::kOutline});
  DrawWing(cr, {body.x, body.y - 6}, wing, kFeathers);
}

void DrawParcel(cairo_t* cr, int frame) {
  const Point pivot{32, 22};
  Saved saved(cr);
  RotateAbout(cr, 0.28 * std::sin(2 * kPi * frame / kParcelFrames), pivot.x, pivot.y);
  // String loop the raven holds.
  cairo_new_path(cr);
  cairo_arc(cr, pivot.x, pivot.y + 3, 3.2, 0, 2 * kPi);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 3.2);
  cairo_stroke_preserve(cr);
  SetColor(cr, palette::kCream);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  // The box, wrapped in paper with a red ribbon and a bow.
  cairo_new_path(cr);
  RoundedRectPath(cr, 18, 31, 28, 21, 3);
  ShadedFill(cr, Mix(palette::kBrown, palette::kYellow, 0.45), 1.8);
  cairo_new_path(cr);
  cairo_rectangle(cr, 29.5, 31, 5, 21);
  cairo_rectangle(cr, 18, 39, 28, 4.5);
  FlatFill(cr, palette::kRed, 0);
  cairo_new_path(cr);
  RoundedRectPath(cr, 18, 31, 28, 21, 3);
  Outline(cr, 1.8);
  for (const int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_move_to(cr, 32, 30);
    cairo_curve_to(cr, 32 + side * 3, 23, 32 + side * 10, 25, 32 + side * 8, 30);
    cairo_close_path(cr);
    ShadedFill(cr, palette::kRed, 1.5);
  }
  ShadedEllipse(cr, 32, 29.5, 2.4, 2.2, palette::kRed, 1.4);
  Gloss(cr, 22.5, 34.5, 2.8, 1.3, 0.5);
}

}  // namespace

void DrawRavenFrame(cairo_t* cr, int index) {
  Saved saved(cr);
  if (index < kRavenFrames / 2) MirrorX(cr, 64);
  DrawRaven(cr, index % (kRavenFrames / 2));
}

void DrawParcelFrame(cairo_t* cr, int index) {
  DrawParcel(cr, index);
}

}  // namespace assets::art
