#include "tools/assets/art/scenery.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "tools/assets/art/canvas.h"

namespace assets::art {
namespace {

constexpr double kSceneryLine = 2.0;

// Block slab: the middle 76 % of the width and 25 % of the height.
constexpr double kSlabLeft = 21.25, kSlabRight = 158.75, kSlabTop = kBlockTopY, kSlabBottom = 62.5;
constexpr double kSlabWidth = kSlabRight - kSlabLeft, kSlabHeight = kSlabBottom - kSlabTop;

// A small fixed-seed generator for scattering stars, windows and specks: the
// same picture on every run.
class Scatter {
 public:
  explicit Scatter(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  std::uint32_t state_;
};

struct Stop {
  double at;
  Rgb colour;
};

void FillVertical(cairo_t* cr, double x, double y, double w, double h,
                  const std::vector<Stop>& stops) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  for (const Stop& s : stops) {
    cairo_pattern_add_color_stop_rgb(g, s.at, s.colour.r, s.colour.g, s.colour.b);
  }
  cairo_new_path(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Stars(cairo_t* cr, Scatter& rnd, double x0, double y0, double w, double h, int count,
           Rgb tint) {
  for (int i = 0; i < count; ++i) {
    const double x = x0 + rnd.Next() * w, y = y0 + rnd.Next() * h;
    const double r = 0.5 + std::pow(rnd.Next(), 3) * 1.8;
    const double a = rnd.Range(0.35, 1.0);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    SetColor(cr, Mix(palette::kWhite, tint, rnd.Next() * 0.4), a);
    cairo_fill(cr);
  }
}

// A band of hills: a smooth ridge from several sine waves, filled down to bottom.
void Ridge(cairo_t* cr, double x0, double x1, double baseY, double bottom,
           const std::vector<std::pair<double, double>>& waves, double phase, Rgb top, Rgb low) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, bottom);
  double minY = baseY;
  for (double x = x0; x <= x1 + 4; x += 4) {
    double y = baseY;
    for (const auto& [amplitude, wavelength] : waves) {
      y += amplitude * std::sin(x / wavelength * 2 * kPi + phase * wavelength);
    }
    minY = std::min(minY, y);
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, x1 + 4, bottom);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, minY, 0, bottom);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, low.r, low.g, low.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A jagged mountain range with optional snow caps.
void Mountains(cairo_t* cr, Scatter& rnd, double x0, double x1, double baseY, double peak,
               Rgb colour, bool snow) {
  std::vector<Point> tops;
  for (double x = x0 - 40; x < x1 + 80;) {
    const double w = rnd.Range(70, 150);
    tops.push_back({x + w / 2, baseY - rnd.Range(peak * 0.5, peak)});
    x += w * 0.75;
  }
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 40, baseY + 400);
  cairo_line_to(cr, x0 - 40, baseY);
  for (std::size_t i = 0; i < tops.size(); ++i) {
    cairo_line_to(cr, tops[i].x, tops[i].y);
    if (i + 1 < tops.size()) {
      cairo_line_to(cr, (tops[i].x + tops[i + 1].x) / 2,
                    baseY - std::min(baseY - tops[i].y, baseY - tops[i + 1].y) * 0.35);
    }
  }
  cairo_line_to(cr, x1 + 80, baseY);
  cairo_line_to(cr, x1 + 80, baseY + 400);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, baseY - peak, 0, baseY);
  const Rgb light = Lighter(colour, 0.15);
  cairo_pattern_add_color_stop_rgb(g, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(g, 1, colour.r, colour.g, colour.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  if (!snow) return;
  for (const Point& t : tops) {
    const double h = (baseY - t.y) * 0.28;
    cairo_new_path(cr);
    cairo_move_to(cr, t.x, t.y);
    cairo_line_to(cr, t.x + h * 0.9, t.y + h);
    cairo_line_to(cr, t.x + h * 0.35, t.y + h * 0.75);
    cairo_line_to(cr, t.x, t.y + h * 1.05);
    cairo_line_to(cr, t.x - h * 0.4, t.y + h * 0.7);
    cairo_line_to(cr, t.x - h * 0.9, t.y + h);
    cairo_close_path(cr);
    SetColor(cr, palette::kWhite, 0.9);
    cairo_fill(cr);
  }
}

void Crater(cairo_t* cr, double cx, double cy, double rx, Rgb ground) {
  const double ry = rx * 0.32;
  cairo_new_path(cr);
  EllipsePath(cr, cx, cy, rx, ry);
  SetColor(cr, Darker(ground, 0.3));
  cairo_fill(cr);
  cairo_new_path(cr);
  EllipsePath(cr, cx + rx * 0.06, cy + ry * 0.18, rx * 0.86, ry * 0.72);
  SetColor(cr, Darker(ground, 0.12));
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0.1 * kPi, 0.9 * kPi);
  cairo_restore(cr);
  SetColor(cr, Lighter(ground, 0.35), 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void CloudShape(cairo_t* cr, const std::vector<std::pair<Point, double>>& puffs) {
  cairo_new_path(cr);
  for (const auto& [c, r] : puffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * kPi);
  }
}

// ---- Blocks ---------------------------------------------------------------

void StoneBlock(cairo_t* cr) {
  const Rgb stone = palette::kStone;
  cairo_new_path(cr);
  RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 6);
  ShadedFill(cr, stone, 0);
  {
    Saved clip(cr);
    RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 6);
    cairo_clip(cr);
    // Two courses of bricks, each brick lightly shaded on its own.
    const double row = kSlabHeight / 2;
    Scatter rnd(7);
    for (int r = 0; r < 2; ++r) {
      const double offset = r == 0 ? 0 : 14;
      for (double x = kSlabLeft - offset; x < kSlabRight; x += 28) {
        cairo_new_path(cr);
        RoundedRectPath(cr, x + 1.2, kSlabTop + r * row + 1.2, 25.6, row - 2.4, 3);
        ShadedFill(
            cr,
            Mix(stone, rnd.Next() < 0.5 ? palette::kPurple : palette::kSky, rnd.Range(0.0, 0.12)),
            0);
      }
    }
    cairo_new_path(cr);
    cairo_move_to(cr, kSlabLeft, kSlabTop + 1.6);
    cairo_line_to(cr, kSlabRight, kSlabTop + 1.6);
    SetColor(cr, palette::kWhite, 0.45);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 6);
  Outline(cr, kSceneryLine);
}

void GrassBlock(cairo_t* cr) {
  const Rgb earth = palette::kBrown;
  cairo_new_path(cr);
  RoundedRectPath(cr, kSlabLeft + 2, kSlabTop + 2, kSlabWidth - 4, kSlabHeight - 2, 9);
  ShadedFill(cr, earth, kSceneryLine);
  Scatter rnd(11);
  for (int i = 0; i < 16; ++i) {
    cairo_new_path(cr);
    EllipsePath(cr, rnd.Range(kSlabLeft + 10, kSlabRight - 10), rnd.Range(kSlabTop + 12, 59),
                rnd.Range(1.2, 2.6), rnd.Range(1, 1.8));
    SetColor(cr, Darker(earth, 0.3), 0.7);
    cairo_fill(cr);
  }
  // Grass cap draping over the top with a wavy lower edge.
  cairo_new_path(cr);
  cairo_move_to(cr, kSlabLeft - 3, kSlabTop + 3);
  cairo_curve_to(cr, kSlabLeft - 3, kSlabTop - 1, kSlabLeft, kSlabTop - 1, kSlabLeft + 4,
                 kSlabTop - 1);
  cairo_line_to(cr, kSlabRight - 4, kSlabTop - 1);
  cairo_curve_to(cr, kSlabRight, kSlabTop - 1, kSlabRight + 3, kSlabTop - 1, kSlabRight + 3,
                 kSlabTop + 3);
  const int scallops = 9;
  const double step = (kSlabWidth + 6) / scallops;
  for (int i = 0; i < scallops; ++i) {
    const double x = kSlabRight + 3 - i * step;
    const double dip = i % 2 == 0 ? 11 : 8;
    cairo_curve_to(cr, x, kSlabTop + dip, x - step, kSlabTop + dip, x - step, kSlabTop + 4);
  }
  cairo_close_path(cr);
  ShadedFill(cr, palette::kGreen, kSceneryLine);
  // Tufts of blades on top.
  for (int i = 0; i < 12; ++i) {
    const double x = kSlabLeft + 6 + i * (kSlabWidth - 12) / 11 + rnd.Range(-2, 2);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 3, kSlabTop + 0.5);
    cairo_line_to(cr, x - 1.5, kSlabTop - rnd.Range(4, 7));
    cairo_line_to(cr, x, kSlabTop + 0.5);
    cairo_line_to(cr, x + 1.8, kSlabTop - rnd.Range(3, 6));
    cairo_line_to(cr, x + 3, kSlabTop + 0.5);
    cairo_close_path(cr);
    SetColor(cr, Lighter(palette::kGreen, 0.15));
    cairo_fill_preserve(cr);
    SetColor(cr, palette::kDarkGreen);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  // Two little flowers.
  for (const auto& [x, colour] :
       {std::pair{48.0, palette::kYellow}, std::pair{122.0, palette::kPink}}) {
    Limb(cr, {{x, kSlabTop + 1}, {x, kSlabTop - 6}}, 1.2, palette::kDarkGreen, 0.6);
    for (int p = 0; p < 5; ++p) {
      const double a = p * 2 * kPi / 5;
      ShadedEllipse(cr, x + std::cos(a) * 2.6, kSlabTop - 7 + std::sin(a) * 2.6, 1.9, 1.9, colour,
                    0.8);
    }
    ShadedEllipse(cr, x, kSlabTop - 7, 1.5, 1.5, palette::kOrange, 0.6);
  }
}

void IceBlock(cairo_t* cr) {
  // Icicles hang below the slab.
  Scatter rnd(5);
  for (int i = 0; i < 9; ++i) {
    const double x = kSlabLeft + 10 + i * (kSlabWidth - 20) / 8 + rnd.Range(-3, 3);
    const double len = rnd.Range(7, 20);
    const double w = rnd.Range(3.5, 6);
    cairo_new_path(cr);
    cairo_move_to(cr, x - w, kSlabBottom - 3);
    cairo_curve_to(cr, x - w * 0.6, kSlabBottom + len * 0.5, x - 0.8, kSlabBottom + len, x,
                   kSlabBottom + len);
    cairo_curve_to(cr, x + 0.8, kSlabBottom + len, x + w * 0.6, kSlabBottom + len * 0.5, x + w,
                   kSlabBottom - 3);
    cairo_close_path(cr);
    ShadedFill(cr, Lighter(palette::kIce, 0.25), 1.4);
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 7);
  ShadedFill(cr, palette::kIce, 0);
  {
    Saved clip(cr);
    RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 7);
    cairo_clip(cr);
    // Glassy streaks.
    for (const double x : {40.0, 52.0, 98.0, 136.0}) {
      cairo_new_path(cr);
      cairo_move_to(cr, x, kSlabBottom);
      cairo_line_to(cr, x + 14, kSlabTop);
      SetColor(cr, palette::kWhite, 0.5);
      cairo_set_line_width(cr, x == 52.0 ? 2 : 4.5);
      cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, kSlabLeft, kSlabBottom - 3);
    cairo_line_to(cr, kSlabRight, kSlabBottom - 3);
    SetColor(cr, palette::kDeepBlue, 0.25);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, kSlabLeft, kSlabTop, kSlabWidth, kSlabHeight, 7);
  Outline(cr, kSceneryLine);
  // Snow cap along the top.
  cairo_new_path(cr);
  cairo_move_to(cr, kSlabLeft + 1, kSlabTop + 4);
  cairo_curve_to(cr, kSlabLeft - 1, kSlabTop - 2, kSlabLeft + 6, kSlabTop - 2.5, kSlabLeft + 12,
                 kSlabTop - 2);
  cairo_line_to(cr, kSlabRight - 12, kSlabTop - 2);
  cairo_curve_to(cr, kSlabRight - 6, kSlabTop - 2.5, kSlabRight + 1, kSlabTop - 2, kSlabRight - 1,
                 kSlabTop + 4);
  for (int i = 0; i < 7; ++i) {
    const double x = kSlabRight - 1 - i * (kSlabWidth - 2) / 7;
    const double nx = x - (kSlabWidth - 2) / 7;
    cairo_curve_to(cr, x - 4, kSlabTop + (i % 2 ? 10 : 6), nx + 4, kSlabTop + (i % 2 ? 10 : 6), nx,
                   kSlabTop + 4);
  }
  cairo_close_path(cr);
  ShadedFill(cr, palette::kWhite, 1.6);
}

void WoodBlock(cairo_t* cr) {
  const Rgb wood{0.76, 0.50, 0.27};
  const double half = kSlabHeight / 2;
  for (int board = 0; board < 2; ++board) {
    const double y = kSlabTop + board * half;
    const double inset = board == 0 ? 0 : 5;
    cairo_new_path(cr);
    RoundedRectPath(cr, kSlabLeft + inset, y, kSlabWidth - 2 * inset, half, 4);
    ShadedFill(cr, board == 0 ? wood : Darker(wood, 0.12), kSceneryLine);
    // Grain.
    Saved clip(cr);
    RoundedRectPath(cr, kSlabLeft + inset, y, kSlabWidth - 2 * inset, half, 4);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int g = 0; g < 3; ++g) {
      const double gy = y + 3 + g * 3.3;
      cairo_move_to(cr, kSlabLeft, gy);
      for (double x = kSlabLeft; x <= kSlabRight; x += 10) {
        cairo_line_to(cr, x, gy + std::sin(x * 0.07 + g * 1.7 + board) * 1.1);
      }
    }
    SetColor(cr, Darker(wood, 0.35), 0.55);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_new_path(cr);
    EllipsePath(cr, 70 + board * 40, y + half / 2, 3.2, 1.8);
    Outline(cr, 1.1);
  }
  // Nails.
  for (const double x : {kSlabLeft + 8, kSlabRight - 8}) {
    for (int board = 0; board < 2; ++board) {
      const double nx = x + (board == 0 ? 0 : (x < 90 ? 4 : -4));
      ShadedEllipse(cr, nx, kSlabTop + board * half + half / 2, 1.8, 1.8, palette::kStone, 0.9);
    }
  }
}

// ---- Level backgrounds ------------------------------------------------------

void MoonBackground(cairo_t* cr) {
  FillVertical(cr, 0, 0, 1024, 1024,
               {{0, {0.02, 0.02, 0.08}}, {0.55, {0.09, 0.07, 0.22}}, {0.75, {0.18, 0.11, 0.32}}});
  // A faint band of the galaxy.
  {
    Saved saved(cr);
    cairo_translate(cr, 512, 420);
    cairo_rotate(cr, -0.45);
    cairo_scale(cr, 1, 0.22);
    Glow(cr, 0, 0, 520, {0.55, 0.45, 0.85}, 0.22);
  }
  Scatter rnd(3);
  Stars(cr, rnd, 0, 0, 1024, 760, 320, palette::kSky);
  for (int i = 0; i < 6; ++i) {
    Sparkle(cr, rnd.Range(130, 900), rnd.Range(230, 600), rnd.Range(5, 9), 0.8);
  }
  // A blue planet with continents, lit from the left.
  const Point planet{790, 340};
  Glow(cr, planet.x, planet.y, 110, palette::kSky, 0.35);
  {
    Saved clip(cr);
    cairo_new_path(cr);
    cairo_arc(cr, planet.x, planet.y, 72, 0, 2 * kPi);
    cairo_clip_preserve(cr);
    ShadedFill(cr, {0.22, 0.45, 0.85}, 0);
    for (const auto& [c, r] : std::vector<std::pair<Point, double>>{{{760, 310}, 24},
                                                                    {{778, 330}, 18},
                                                                    {{810, 380}, 20},
                                                                    {{830, 300}, 12},
                                                                    {{745, 370}, 10}}) {
      cairo_new_path(cr);
      EllipsePath(cr, c.x, c.y, r * 1.3, r);
      SetColor(cr, {0.35, 0.70, 0.35});
      cairo_fill(cr);
    }
    for (const double y : {300.0, 350.0, 390.0}) {
      cairo_new_path(cr);
      EllipsePath(cr, planet.x - 10 + (y - 340) * 0.5, y, 40, 4);
      SetColor(cr, palette::kWhite, 0.55);
      cairo_fill(cr);
    }
    cairo_pattern_t* shade = cairo_pattern_create_linear(planet.x - 72, 0, planet.x + 72, 0);
    cairo_pattern_add_color_stop_rgba(shade, 0.45, 0, 0, 0.05, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0.05, 0.7);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
  }
  // A small ringed planet.
  {
    const Point ringed{250, 300};
    Saved saved(cr);
    RotateAbout(cr, -0.35, ringed.x, ringed.y);
    cairo_new_path(cr);
    EllipsePath(cr, ringed.x, ringed.y, 50, 11);
    SetColor(cr, {0.95, 0.80, 0.55}, 0.75);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    ShadedEllipse(cr, ringed.x, ringed.y, 26, 26, {0.92, 0.58, 0.35}, 0);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, ringed.x, ringed.y);
    cairo_scale(cr, 50, 11);
    cairo_arc(cr, 0, 0, 1, 0.02 * kPi, 0.98 * kPi);
    cairo_restore(cr);
    SetColor(cr, {0.95, 0.80, 0.55}, 0.9);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
  }
  Mountains(cr, rnd, 0, 1024, 700, 150, {0.24, 0.22, 0.38}, false);
  const Rgb ground{0.55, 0.54, 0.64};
  Ridge(cr, 0, 1024, 735, 1024, {{14, 330}, {8, 150}}, 0.3, Lighter(ground, 0.1),
        Darker(ground, 0.35));
  for (int i = 0; i < 9; ++i) {
    Crater(cr, rnd.Range(60, 960), rnd.Range(770, 820), rnd.Range(20, 48), ground);
  }
  Ridge(cr, 0, 1024, 850, 1024, {{10, 260}, {5, 90}}, 1.1, Darker(ground, 0.05),
        Darker(ground, 0.45));
  for (int i = 0; i < 6; ++i) {
    Crater(cr, rnd.Range(60, 960), rnd.Range(880, 960), rnd.Range(30, 60), Darker(ground, 0.15));
  }
}

void AlienTree(cairo_t* cr, Point root, double height, double lean, Rgb crown, double glow) {
  const Rgb trunk{0.12, 0.22, 0.30};
  TaperedStroke(
      cr, {root, {root.x + lean * 0.4, root.y - height * 0.5}, {root.x + lean, root.y - height}},
      height * 0.09, height * 0.04, trunk, 0);
  const Point top{root.x + lean, root.y - height};
  Glow(cr, top.x, top.y, height * 0.38, crown, glow);
  const double r = height * 0.2;
  cairo_new_path(cr);
  for (int i = 0; i < 7; ++i) {
    const double a = i * 2 * kPi / 7;
    cairo_new_sub_path(cr);
    cairo_arc(cr, top.x + std::cos(a) * r * 0.75, top.y + std::sin(a) * r * 0.5, r * 0.6, 0,
              2 * kPi);
  }
  ShadedFill(cr, Darker(crown, 0.25), 0);
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 + 0.3;
    Gloss(cr, top.x + std::cos(a) * r * 0.7, top.y + std::sin(a) * r * 0.45, r * 0.12, r * 0.12,
          0.5);
  }
}

void ForestBackground(cairo_t* cr) {
  FillVertical(cr, 0, 0, 1024, 1024,
               {{0, {0.06, 0.04, 0.16}},
                {0.35, {0.16, 0.08, 0.30}},
                {0.62, {0.42, 0.20, 0.42}},
                {0.72, {0.62, 0.36, 0.45}}});
  Scatter rnd(17);
  Stars(cr, rnd, 0, 0, 1024, 520, 160, palette::kPink);
  Glow(cr, 330, 340, 120, {0.75, 1.0, 0.8}, 0.3);
  ShadedEllipse(cr, 330, 340, 52, 52, {0.78, 0.95, 0.75}, 0);
  Crater(cr, 318, 330, 12, {0.78, 0.95, 0.75});
  Crater(cr, 346, 356, 8, {0.78, 0.95, 0.75});
  ShadedEllipse(cr, 450, 290, 16, 16, {0.98, 0.65, 0.75}, 0);
  Mountains(cr, rnd, 0, 1024, 640, 170, {0.28, 0.16, 0.36}, false);
  Ridge(cr, 0, 1024, 665, 1024, {{18, 280}, {9, 120}}, 0.4, {0.20, 0.18, 0.34}, {0.10, 0.10, 0.2});
  // Far row of small trees, then big glowing ones.
  for (int i = 0; i < 14; ++i) {
    AlienTree(cr, {40.0 + i * 72 + rnd.Range(-15, 15), 700 + rnd.Range(-10, 10)},
              rnd.Range(70, 110), rnd.Range(-15, 15),
              i % 2 ? Rgb{0.35, 0.7, 0.8} : Rgb{0.7, 0.4, 0.8}, 0.18);
  }
  Ridge(cr, 0, 1024, 770, 1024, {{12, 300}, {6, 110}}, 2.0, {0.12, 0.26, 0.30}, {0.04, 0.10, 0.14});
  const std::vector<std::pair<double, Rgb>> big{{90, palette::kPink},
                                                {300, {0.4, 0.85, 0.9}},
                                                {560, {0.95, 0.6, 0.3}},
                                                {760, palette::kPink},
                                                {950, {0.5, 0.9, 0.6}}};
  for (const auto& [x, colour] : big) {
    AlienTree(cr, {x, 800}, rnd.Range(180, 260), rnd.Range(-40, 40), colour, 0.28);
  }
  Ridge(cr, 0, 1024, 860, 1024, {{8, 240}, {4, 70}}, 0.7, {0.10, 0.30, 0.28}, {0.03, 0.08, 0.1});
  // Glowing mushrooms and fireflies.
  for (int i = 0; i < 10; ++i) {
    const double x = rnd.Range(40, 990), y = rnd.Range(860, 900), s = rnd.Range(8, 16);
    const Rgb cap = i % 2 ? Rgb{0.5, 0.95, 0.9} : Rgb{0.95, 0.5, 0.8};
    Glow(cr, x, y - s, s * 2.2, cap, 0.35);
    Limb(cr, {{x, y}, {x, y - s}}, s * 0.35, {0.85, 0.85, 0.75}, 0);
    cairo_new_path(cr);
    cairo_arc(cr, x, y - s, s * 0.7, kPi, 2 * kPi);
    cairo_close_path(cr);
    ShadedFill(cr, cap, 0);
  }
  for (int i = 0; i < 40; ++i) {
    const double x = rnd.Range(0, 1024), y = rnd.Range(420, 860);
    Glow(cr, x, y, 6, {1.0, 0.95, 0.5}, 0.6);
  }
}

void Building(cairo_t* cr, Scatter& rnd, double x, double w, double top, double bottom, Rgb body,
              double lit) {
  cairo_new_path(cr);
  cairo_rectangle(cr, x, top, w, bottom - top);
  SetColor(cr, body);
  cairo_fill(cr);
  // Rooftop details.
  if (rnd.Next() < 0.4) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x + w * 0.3, top - 14, w * 0.25, 14);
    SetColor(cr, body);
    cairo_fill(cr);
  }
  for (double wy = top + 10; wy < bottom - 10; wy += 16) {
    for (double wx = x + 7; wx < x + w - 10; wx += 13) {
      const bool on = rnd.Next() < lit;
      cairo_new_path(cr);
      cairo_rectangle(cr, wx, wy, 6, 8);
      if (on) {
        SetColor(cr, Mix(palette::kYellow, palette::kOrange, rnd.Next() * 0.5), 0.9);
      } else {
        SetColor(cr, Lighter(body, 0.08));
      }
      cairo_fill(cr);
    }
  }
}

void CityBackground(cairo_t* cr) {
  FillVertical(cr, 0, 0, 1024, 1024,
               {{0, {0.03, 0.04, 0.14}},
                {0.45, {0.10, 0.09, 0.28}},
                {0.72, {0.30, 0.18, 0.42}},
                {0.85, {0.55, 0.30, 0.45}}});
  Scatter rnd(23);
  Stars(cr, rnd, 0, 0, 1024, 560, 220, palette::kYellow);
  const Point moon{770, 330};
  Glow(cr, moon.x, moon.y, 150, {1.0, 0.95, 0.7}, 0.35);
  ShadedEllipse(cr, moon.x, moon.y, 62, 62, {1.0, 0.95, 0.75}, 0);
  Crater(cr, moon.x - 20, moon.y - 12, 14, {1.0, 0.95, 0.75});
  Crater(cr, moon.x + 18, moon.y + 20, 10, {1.0, 0.95, 0.75});
  Crater(cr, moon.x + 10, moon.y - 28, 7, {1.0, 0.95, 0.75});
  // Far skyline, then the near one.
  for (double x = -20; x < 1040;) {
    const double w = rnd.Range(40, 90);
    Building(cr, rnd, x, w, rnd.Range(560, 690), 1024, {0.17, 0.16, 0.34}, 0.18);
    x += w + rnd.Range(-8, 6);
  }
  // A tall tower with a blinking light.
  Building(cr, rnd, 420, 56, 470, 1024, {0.12, 0.12, 0.27}, 0.25);
  Limb(cr, {{448, 470}, {448, 420}}, 3, {0.12, 0.12, 0.27}, 0);
  Glow(cr, 448, 418, 14, palette::kRed, 0.9);
  for (double x = -30; x < 1040;) {
    const double w = rnd.Range(60, 120);
    Building(cr, rnd, x, w, rnd.Range(650, 770), 1024, {0.08, 0.08, 0.19}, 0.3);
    x += w + rnd.Range(-6, 10);
  }
  // Street glow.
  FillVertical(cr, 0, 860, 1024, 164, {{0, {0.06, 0.06, 0.14}}, {1, {0.03, 0.03, 0.08}}});
  for (double x = 30; x < 1024; x += 110) {
    Limb(cr, {{x, 860}, {x, 820}}, 2.5, {0.25, 0.25, 0.35}, 0);
    Glow(cr, x, 818, 26, palette::kYellow, 0.5);
  }
}

}  // namespace

void DrawBlock(cairo_t* cr, int style) {
  switch (style) {
    case 0:
      return StoneBlock(cr);
    case 1:
      return GrassBlock(cr);
    case 2:
      return IceBlock(cr);
    default:
      return WoodBlock(cr);
  }
}

void DrawLevelBackground(cairo_t* cr, int which) {
  switch (which) {
    case 0:
      return MoonBackground(cr);
    case 1:
      return ForestBackground(cr);
    default:
      return CityBackground(cr);
  }
}

void DrawMenuBackdrop(cairo_t* cr) {
  FillVertical(cr, 0, 0, 800, 600,
               {{0, {0.36, 0.66, 0.96}}, {0.6, {0.70, 0.88, 1.0}}, {0.75, {0.86, 0.95, 1.0}}});
  Scatter rnd(29);
  // A pale ringed planet in the day sky and a few small clouds.
  {
    Saved saved(cr);
    RotateAbout(cr, -0.3, 660, 120);
    ShadedEllipse(cr, 660, 120, 26, 26, {0.95, 0.75, 0.85}, 0);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 660, 120);
    cairo_scale(cr, 46, 9);
    cairo_arc(cr, 0, 0, 1, 0, kPi);
    cairo_restore(cr);
    SetColor(cr, palette::kWhite, 0.8);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
  }
  for (const auto& [c, s] : {std::pair{Point{620, 230}, 1.0}, std::pair{Point{140, 260}, 0.8},
                             std::pair{Point{720, 300}, 0.6}}) {
    CloudShape(cr, {{{c.x - 30 * s, c.y}, 18 * s},
                    {{c.x, c.y - 10 * s}, 24 * s},
                    {{c.x + 30 * s, c.y}, 18 * s},
                    {{c.x, c.y + 6 * s}, 18 * s}});
    SetColor(cr, palette::kWhite, 0.75);
    cairo_fill(cr);
  }
  Mountains(cr, rnd, 0, 800, 420, 130, {0.55, 0.58, 0.85}, true);
  Ridge(cr, 0, 800, 440, 600, {{16, 260}, {7, 110}}, 0.2, {0.55, 0.82, 0.45}, {0.40, 0.70, 0.35});
  // Round trees on the far hills.
  for (int i = 0; i < 9; ++i) {
    const double x = rnd.Range(20, 780), y = 452 + rnd.Range(-10, 14), s = rnd.Range(9, 15);
    Limb(cr, {{x, y + s}, {x, y}}, s * 0.3, palette::kBrown, 1.2);
    ShadedEllipse(cr, x, y - s * 0.4, s, s * 1.1, palette::kDarkGreen, 1.5);
  }
  Ridge(cr, 0, 800, 500, 600, {{12, 330}, {6, 140}}, 1.3, {0.45, 0.78, 0.32}, {0.33, 0.62, 0.25});
  // Grass along the bottom where the characters run.
  Ridge(cr, 0, 800, 556, 600, {{3, 90}, {2, 37}}, 0.5, palette::kGreen, palette::kDarkGreen);
  for (int i = 0; i < 22; ++i) {
    const double x = rnd.Range(10, 790), y = rnd.Range(515, 548);
    const Rgb colour =
        i % 3 == 0 ? palette::kYellow : (i % 3 == 1 ? palette::kPink : palette::kWhite);
    for (int p = 0; p < 5; ++p) {
      const double a = p * 2 * kPi / 5;
      cairo_new_path(cr);
      cairo_arc(cr, x + std::cos(a) * 2.4, y + std::sin(a) * 2.4, 1.9, 0, 2 * kPi);
      SetColor(cr, colour);
      cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y, 1.4, 0, 2 * kPi);
    SetColor(cr, palette::kOrange);
    cairo_fill(cr);
  }
}

void DrawSun(cairo_t* cr) {
  const Point c{128, 128};
  Glow(cr, c.x, c.y, 126, palette::kYellow, 0.45);
  // Rays, long and short in turn.
  for (int i = 0; i < 16; ++i) {
    const double a = i * kPi / 8;
    const double len = i % 2 == 0 ? 118 : 100;
    const double half = i % 2 == 0 ? 0.13 : 0.1;
    cairo_new_path(cr);
    cairo_move_to(cr, c.x + std::cos(a - half) * 70, c.y + std::sin(a - half) * 70);
    cairo_line_to(cr, c.x + std::cos(a) * len, c.y + std::sin(a) * len);
    cairo_line_to(cr, c.x + std::cos(a + half) * 70, c.y + std::sin(a + half) * 70);
    cairo_close_path(cr);
    ShadedFill(cr, i % 2 == 0 ? palette::kOrange : palette::kGold, 3);
  }
  ShadedEllipse(cr, c.x, c.y, 76, 76, palette::kYellow, 3.5);
  // Face: happy closed eyes, rosy cheeks, a wide smile.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (const int side : {-1, 1}) {
    const double ex = c.x + side * 24, ey = c.y - 12;
    cairo_new_path(cr);
    cairo_move_to(cr, ex - 11, ey + 4);
    cairo_curve_to(cr, ex - 7, ey - 9, ex + 7, ey - 9, ex + 11, ey + 4);
    SetColor(cr, palette::kOutline);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    EllipsePath(cr, c.x + side * 40, c.y + 12, 11, 7);
    SetColor(cr, palette::kRed, 0.35);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, c.x - 30, c.y + 14);
  cairo_curve_to(cr, c.x - 20, c.y + 44, c.x + 20, c.y + 44, c.x + 30, c.y + 14);
  cairo_curve_to(cr, c.x + 12, c.y + 22, c.x - 12, c.y + 22, c.x - 30, c.y + 14);
  cairo_close_path(cr);
  FlatFill(cr, palette::kMouthInside, 3.5);
  cairo_new_path(cr);
  EllipsePath(cr, c.x, c.y + 32, 11, 5);
  SetColor(cr, palette::kTongue);
  cairo_fill(cr);
  Gloss(cr, c.x - 32, c.y - 40, 16, 9, 0.5);
}

void DrawMenuCloud(cairo_t* cr) {
  const std::vector<std::pair<Point, double>> puffs{
      {{120, 160}, 62}, {{200, 112}, 78}, {{300, 100}, 80}, {{385, 140}, 66},
      {{250, 170}, 66}, {{170, 178}, 54}, {{340, 180}, 52}, {{440, 175}, 44}};
  const Rgb edge{0.46, 0.56, 0.78};
  CloudShape(cr, puffs);
  SetColor(cr, edge);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  CloudShape(cr, puffs);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 30, 0, 230);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(g, 0.6, 0.96, 0.98, 1);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.78, 0.86, 0.98);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Gloss(cr, 190, 80, 34, 14, 0.7);
  Gloss(cr, 300, 62, 26, 10, 0.6);
}

void DrawLevelCloud(cairo_t* cr, int which) {
  // Soft and see-through, no outline: they drift over the top of the level.
  const std::vector<std::pair<Point, double>> puffs =
      which == 0 ? std::vector<std::pair<Point, double>>{{{130, 120}, 48}, {{210, 90}, 62},
                                                         {{310, 82}, 66},  {{400, 105}, 54},
                                                         {{480, 125}, 40}, {{300, 135}, 50}}
                 : std::vector<std::pair<Point, double>>{
                       {{100, 130}, 40}, {{170, 110}, 52}, {{250, 95}, 48}, {{330, 118}, 56},
                       {{420, 100}, 60}, {{500, 130}, 42}, {{300, 145}, 40}};
  // Layers of growing puffs, each faint: the edge fades out softly.
  constexpr int kLayers = 6;
  for (int layer = 0; layer < kLayers; ++layer) {
    const double grow = 14 - layer * 4;
    cairo_new_path(cr);
    for (const auto& [c, r] : puffs) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, c.x, c.y + layer * 1.5, std::max(4.0, r + grow - layer * 2), 0, 2 * kPi);
    }
    SetColor(cr, palette::kWhite, 0.07);
    cairo_fill(cr);
  }
}

void DrawUfo(cairo_t* cr) {
  const Point c{128, 128};
  const Rgb metal{0.72, 0.74, 0.82};
  // Glass dome with a small antenna.
  Limb(cr, {{c.x, c.y - 52}, {c.x, c.y - 70}}, 3, metal, 1.8);
  ShadedEllipse(cr, c.x, c.y - 72, 5, 5, palette::kRed, 1.8);
  {
    Saved saved(cr);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y - 6, 50, kPi, 2 * kPi);
    cairo_close_path(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, c.y - 56, 0, c.y);
    cairo_pattern_add_color_stop_rgba(glass, 0, 0.75, 0.95, 1.0, 0.9);
    cairo_pattern_add_color_stop_rgba(glass, 1, 0.30, 0.60, 0.90, 0.9);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    Outline(cr, 3);
    Gloss(cr, c.x - 22, c.y - 34, 12, 7, 0.7);
  }
  // Lower hull, rim and lights.
  ShadedEllipse(cr, c.x, c.y + 18, 62, 20, Darker(metal, 0.25), 3);
  ShadedEllipse(cr, c.x, c.y + 4, 112, 26, metal, 3);
  cairo_new_path(cr);
  EllipsePath(cr, c.x, c.y - 2, 96, 13);
  SetColor(cr, palette::kWhite, 0.35);
  cairo_fill(cr);
  const Rgb lights[] = {palette::kYellow, palette::kRed, palette::kGreen};
  for (int i = 0; i < 7; ++i) {
    const double t = (i - 3) / 3.5;
    const double x = c.x + t * 92;
    const double y = c.y + 12 + (1 - t * t) * 8;
    Glow(cr, x, y, 12, lights[i % 3], 0.6);
    ShadedEllipse(cr, x, y, 5.5, 4.5, lights[i % 3], 1.8);
  }
  // Thruster underneath, where the flame comes out.
  cairo_new_path(cr);
  RoundedRectPath(cr, c.x - 16, c.y + 32, 32, 12, 4);
  ShadedFill(cr, Darker(metal, 0.4), 2.5);
  Glow(cr, c.x, c.y + 46, 22, palette::kOrange, 0.7);
}

}  // namespace assets::art
