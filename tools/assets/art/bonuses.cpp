#include "tools/assets/art/bonuses.h"

#include <array>
#include <cmath>
#include <vector>

#include "tools/assets/art/canvas.h"
#include "tools/assets/art/creature.h"
#include "tools/assets/art/hero.h"

namespace assets::art {
namespace {

constexpr double kBonusLine = 1.8;
constexpr Rgb kGem{0.30, 0.82, 1.0};
constexpr Rgb kWood{0.66, 0.42, 0.22};
constexpr Rgb kSand{0.98, 0.78, 0.32};

// A cut gem seen from the side: four crown facets over four pavilion facets.
// `light` picks the facet that catches the light; `scale` and `centre` place it
// (the unit gem is 32 wide, 21.5 tall, its tip at the bottom).
void DrawGem(cairo_t* cr, Point centre, double scale, int light, Rgb base) {
  Saved saved(cr);
  cairo_translate(cr, centre.x, centre.y);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -32, -44);
  constexpr std::array<double, 5> table{24, 28, 32, 36, 40};
  constexpr std::array<double, 5> girdle{16, 24, 32, 40, 48};
  constexpr double tableY = 33, girdleY = 40, tipY = 54.5 - 0.9;
  for (int i = 0; i < 4; ++i) {
    const double shade = i == light ? 0.85 : 0.25 + 0.12 * ((i + light) % 3);
    cairo_new_path(cr);
    PolygonPath(cr, {{table[i], tableY},
                     {table[i + 1], tableY},
                     {girdle[i + 1], girdleY},
                     {girdle[i], girdleY}});
    SetColor(cr, Lighter(base, shade));
    cairo_fill(cr);
    const double low = i == (light + 2) % 4 ? 0.55 : 0.1 + 0.1 * ((i + light + 1) % 3);
    cairo_new_path(cr);
    PolygonPath(cr, {{girdle[i], girdleY}, {girdle[i + 1], girdleY}, {32, tipY}});
    SetColor(cr, i == (light + 2) % 4 ? Lighter(base, low) : Darker(base, low));
    cairo_fill(cr);
  }
  // Facet edges, then the outline.
  cairo_new_path(cr);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, table[i], tableY);
    cairo_line_to(cr, girdle[i], girdleY);
    cairo_line_to(cr, 32, tipY);
  }
  cairo_move_to(cr, girdle[0], girdleY);
  cairo_line_to(cr, girdle[4], girdleY);
  SetColor(cr, Lighter(base, 0.7), 0.9);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  cairo_new_path(cr);
  PolygonPath(cr, {{table[0], tableY},
                   {table[4], tableY},
                   {girdle[4], girdleY},
                   {32, tipY},
                   {girdle[0], girdleY}});
  Outline(cr, kBonusLine);
}

void SnowArm(cairo_t* cr, double width) {
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -22);
  for (const double at : {-9.0, -15.5}) {
    const double len = at < -10 ? 5.0 : 6.5;
    cairo_move_to(cr, 0, at);
    cairo_line_to(cr, -len, at - len);
    cairo_move_to(cr, 0, at);
    cairo_line_to(cr, len, at - len);
  }
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Balloon(cairo_t* cr, Point c, double rx, double ry, Rgb colour, double popped) {
  if (popped <= 0) {
    cairo_new_path(cr);
    // A balloon is a little narrower at the bottom.
    SmoothClosedPath(cr, {{c.x, c.y - ry},
                          {c.x + rx * 0.86, c.y - ry * 0.62},
                          {c.x + rx, c.y},
                          {c.x + rx * 0.6, c.y + ry * 0.72},
                          {c.x, c.y + ry},
                          {c.x - rx * 0.6, c.y + ry * 0.72},
                          {c.x - rx, c.y},
                          {c.x - rx * 0.86, c.y - ry * 0.62}});
    ShadedFill(cr, colour, kBonusLine);
    Gloss(cr, c.x - rx * 0.4, c.y - ry * 0.45, rx * 0.22, ry * 0.18, 0.75);
    Gloss(cr, c.x - rx * 0.58, c.y - ry * 0.08, rx * 0.08, ry * 0.08, 0.6);
    // Knot.
    cairo_new_path(cr);
    PolygonPath(cr, {{c.x, c.y + ry - 1}, {c.x + 3.2, c.y + ry + 4}, {c.x - 3.2, c.y + ry + 4}});
    ShadedFill(cr, colour, 1.4);
    return;
  }
  // Bursting: a jagged star of rubber that grows and breaks into shreds.
  const int points = 9;
  cairo_new_path(cr);
  for (int i = 0; i < 2 * points; ++i) {
    const double a = i * kPi / points + popped;
    const double r = (i % 2 == 0 ? 1.15 : 0.45 + 0.25 * ((i / 2) % 2)) * (0.8 + 0.5 * popped);
    const double x = c.x + std::cos(a) * rx * r, y = c.y + std::sin(a) * ry * r;
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
  if (popped < 1.5) {
    ShadedFill(cr, colour, kBonusLine);
    return;
  }
  cairo_new_path(cr);
  // Shreds flying apart.
  for (int i = 0; i < 6; ++i) {
    const double a = i * kPi / 3 + 0.4;
    const double d = rx * 1.25;
    const double x = c.x + std::cos(a) * d, y = c.y + std::sin(a) * d;
    cairo_new_path(cr);
    PolygonPath(cr, {{x - 3, y - 2}, {x + 3, y - 3}, {x + 2, y + 3}, {x - 2, y + 2}});
    ShadedFill(cr, colour, 1.2);
  }
}

}  // namespace

void DrawDiamond(cairo_t* cr, int frame) {
  Glow(cr, 32, 44, 20, kGem, 0.35);
  DrawGem(cr, {32, 44}, 1.0, frame % 4, kGem);
  constexpr std::array<Point, 4> glint{Point{25, 34}, Point{42, 37}, Point{36, 47}, Point{20, 40}};
  constexpr std::array<double, 4> size{8, 10, 6.5, 8.5};
  Sparkle(cr, glint[frame % 4].x, glint[frame % 4].y, size[frame % 4], 0.95);
}

void DrawSnowflake(cairo_t* cr, int frame) {
  Glow(cr, 32, 32, 28, palette::kIce, 0.5);
  Saved saved(cr);
  cairo_translate(cr, 32, 32);
  // Six-fold symmetry: five steps of 12 degrees make a seamless spin.
  cairo_rotate(cr, frame * kPi / 3 / kSnowFrames);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    for (int arm = 0; arm < 6; ++arm) {
      Saved armSaved(cr);
      cairo_rotate(cr, arm * kPi / 3);
      cairo_new_path(cr);
      if (pass == 0) {
        SetColor(cr, palette::kDeepBlue);
        SnowArm(cr, 6.4);
      } else {
        SetColor(cr, Lighter(palette::kIce, 0.55));
        SnowArm(cr, 3.2);
      }
    }
  }
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = i * kPi / 3;
    if (i == 0) {
      cairo_move_to(cr, std::sin(a) * 6, -std::cos(a) * 6);
    } else {
      cairo_line_to(cr, std::sin(a) * 6, -std::cos(a) * 6);
    }
  }
  cairo_close_path(cr);
  ShadedFill(cr, palette::kIce, 1.6);
  Sparkle(cr, 0, -21, 5, 0.9);
}

void DrawBottle(cairo_t* cr, int frame) {
  auto glass = [&] {
    cairo_new_path(cr);
    RoundedRectPath(cr, 22, 31, 20, kBonusFloorY - 0.9 - 31, 7);
    cairo_rectangle(cr, 28, 21, 8, 12);
  };
  Glow(cr, 32, 40, 22, palette::kPink, 0.35);
  // Liquid, sloshing a little between the frames.
  {
    Saved clip(cr);
    glass();
    cairo_clip(cr);
    cairo_new_path(cr);
    const double level = frame == 0 ? 37 : 36;
    cairo_move_to(cr, 20, level + (frame == 0 ? 1.5 : -1));
    cairo_curve_to(cr, 28, level - 2, 36, level + 2, 44, level + (frame == 0 ? -1 : 1.5));
    cairo_line_to(cr, 44, 60);
    cairo_line_to(cr, 20, 60);
    cairo_close_path(cr);
    ShadedFill(cr, {0.95, 0.22, 0.42}, 0);
    for (int i = 0; i < 3; ++i) {
      const double y = 51 - i * 4.5 - frame * 2.2;
      Gloss(cr, 27 + i * 4.5 + frame * 2, y, 1.3, 1.3, 0.75);
    }
  }
  glass();
  SetColor(cr, Lighter(palette::kIce, 0.4), 0.35);
  cairo_fill_preserve(cr);
  Outline(cr, kBonusLine);
  // Lip, cork, label with a heart.
  cairo_new_path(cr);
  RoundedRectPath(cr, 26.5, 19.5, 11, 3.5, 1.5);
  FlatFill(cr, Lighter(palette::kIce, 0.5), 1.4);
  cairo_new_path(cr);
  RoundedRectPath(cr, 28.5, 13.5, 7, 7, 1.5);
  ShadedFill(cr, kWood, 1.5);
  cairo_new_path(cr);
  RoundedRectPath(cr, 24.5, 40.5, 15, 10, 2);
  FlatFill(cr, palette::kCream, 1.3);
  cairo_new_path(cr);
  cairo_move_to(cr, 32, 48.5);
  cairo_curve_to(cr, 26, 45, 28, 40.5, 32, 43.5);
  cairo_curve_to(cr, 36, 40.5, 38, 45, 32, 48.5);
  cairo_close_path(cr);
  FlatFill(cr, palette::kRed, 0.9);
  // Shine down the glass.
  cairo_new_path(cr);
  RoundedRectPath(cr, 24.5, 33, 2.5, 6, 1.2);
  SetColor(cr, palette::kWhite, 0.8);
  cairo_fill(cr);
  if (frame == 1) Sparkle(cr, 38, 24, 6, 0.9);
}

void DrawBalloons(cairo_t* cr, int frame) {
  // A bunch of three: red and blue behind, yellow in front, tied at the bottom.
  const bool popping = frame >= 3;
  const double sway = popping ? 0 : 0.06 * (frame - 1);
  const double popped = popping ? 0.6 + 0.7 * (frame - 3) : 0;
  const Point tie{64, 124};
  struct One {
    Point centre;
    double rx, ry;
    Rgb colour;
  };
  const std::array<One, 3> bunch{{{{49, 71}, 16, 19, palette::kRed},
                                  {{79, 69}, 16, 19, palette::kBlue},
                                  {{64, 84}, 18, 21.5, palette::kYellow}}};
  Saved saved(cr);
  RotateAbout(cr, sway, tie.x, tie.y);
  // Strings.
  cairo_new_path(cr);
  for (const One& b : bunch) {
    const double knotY = b.centre.y + b.ry + 4;
    cairo_move_to(cr, b.centre.x, knotY);
    cairo_curve_to(cr, b.centre.x + 4, knotY + 10, tie.x - 3, tie.y - 8, tie.x, tie.y);
  }
  SetColor(cr, palette::kOutline, popping ? 0.6 : 0.9);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  if (frame == 5) {
    // Only a few shreds are left.
    for (const One& b : bunch) Balloon(cr, b.centre, b.rx * 0.7, b.ry * 0.7, b.colour, 2.0);
    return;
  }
  for (const One& b : bunch) Balloon(cr, b.centre, b.rx, b.ry, b.colour, popped);
  if (frame == 4) {
    for (const One& b : bunch) Sparkle(cr, b.centre.x, b.centre.y, b.rx * 0.9, 0.85);
  }
}

void DrawBanana(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 13, 33);
  cairo_curve_to(cr, 16, 54, 44, 58, 51, 31);
  cairo_curve_to(cr, 43, 46, 24, 48, 13, 33);
  cairo_close_path(cr);
  ShadedFill(cr, palette::kYellow, kBonusLine);
  cairo_new_path(cr);
  cairo_move_to(cr, 17, 39);
  cairo_curve_to(cr, 24, 50, 40, 52, 48, 38);
  SetColor(cr, Darker(palette::kYellow, 0.25), 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Stem and tip.
  Limb(cr, {{50, 32}, {52.5, 26}}, 3.2, palette::kBrown, 1.3);
  ShadedEllipse(cr, 13.5, 33.5, 1.8, 1.8, palette::kBrown, 1.0);
  Gloss(cr, 26, 47, 5, 1.4, 0.5);
}

void DrawPear(cairo_t* cr) {
  const Rgb pear{0.72, 0.86, 0.26};
  Limb(cr, {{32, 27}, {33, 22}, {36, 18}}, 2.4, palette::kBrown, 1.2);
  DrawBlob(cr, {{32, 45, 11.5, 9.8}, {31.5, 33.5, 7, 8.5}}, pear);
  DrawBlush(cr, {37.5, 46}, 3.5, 2.5);
  Gloss(cr, 27, 40, 2, 3, 0.55);
  // Leaf.
  Saved saved(cr);
  cairo_translate(cr, 35, 21);
  cairo_rotate(cr, -0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, 4, -5, 11, -5, 14, 0);
  cairo_curve_to(cr, 11, 4, 4, 4, 0, 0);
  cairo_close_path(cr);
  ShadedFill(cr, palette::kGreen, 1.3);
}

void DrawClock(cairo_t* cr) {
  const Point c{32, 39.5};
  // Legs and bells behind the body.
  Limb(cr, {{c.x - 8, c.y + 9}, {c.x - 11, kBonusFloorY - 1.5}}, 2.6, palette::kGold, 1.2);
  Limb(cr, {{c.x + 8, c.y + 9}, {c.x + 11, kBonusFloorY - 1.5}}, 2.6, palette::kGold, 1.2);
  for (const int side : {-1, 1}) {
    Saved saved(cr);
    RotateAbout(cr, side * 0.55, c.x, c.y);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y - 13.5, 6, kPi, 2 * kPi);
    cairo_close_path(cr);
    ShadedFill(cr, palette::kGold, 1.4);
  }
  Limb(cr, {{c.x, c.y - 13}, {c.x, c.y - 16}}, 2.5, palette::kGold, 1.1);
  ShadedEllipse(cr, c.x, c.y, 13, 13, palette::kRed, kBonusLine);
  ShadedEllipse(cr, c.x, c.y, 10, 10, palette::kWhite, 1.2);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    const double r0 = i % 3 == 0 ? 7 : 8.2;
    cairo_move_to(cr, c.x + std::sin(a) * r0, c.y - std::cos(a) * r0);
    cairo_line_to(cr, c.x + std::sin(a) * 9, c.y - std::cos(a) * 9);
  }
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
  Limb(cr, {{c.x, c.y}, {c.x - 3.5, c.y - 3}}, 1.6, palette::kOutline, 0);
  Limb(cr, {{c.x, c.y}, {c.x + 1.5, c.y - 7}}, 1.3, palette::kOutline, 0);
  ShadedEllipse(cr, c.x, c.y, 1.4, 1.4, palette::kRed, 0);
  Gloss(cr, c.x - 4, c.y - 5, 2.5, 1.4, 0.6);
}

void DrawSandclock(cairo_t* cr, int frame) {
  const double top = (frame + 1) / 7.0;  // share of the sand still in the top bulb
  auto bulbs = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 14, 10);
    cairo_curve_to(cr, 13, 19, 23, 21, 23.5, 25);
    cairo_curve_to(cr, 23, 29, 13, 31, 14, 40);
    cairo_line_to(cr, 36, 40);
    cairo_curve_to(cr, 37, 31, 27, 29, 26.5, 25);
    cairo_curve_to(cr, 27, 21, 37, 19, 36, 10);
    cairo_close_path(cr);
  };
  {
    Saved clip(cr);
    bulbs();
    SetColor(cr, Lighter(palette::kIce, 0.3), 0.45);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // Sand in the top bulb sinks toward the neck.
    const double level = 25 - 14 * top;
    cairo_new_path(cr);
    cairo_move_to(cr, 10, level + 1);
    cairo_curve_to(cr, 18, level - 0.8, 32, level - 0.8, 40, level + 1);
    cairo_line_to(cr, 40, 25);
    cairo_line_to(cr, 10, 25);
    cairo_close_path(cr);
    SetColor(cr, kSand);
    cairo_fill(cr);
    // The heap in the bottom bulb.
    const double heap = 13.5 * (1 - top);
    if (heap > 0.2) {
      cairo_new_path(cr);
      cairo_move_to(cr, 10, 40);
      cairo_line_to(cr, 10, 40 - heap * 0.55);
      cairo_curve_to(cr, 18, 40 - heap * 0.7, 22, 40 - heap, 25, 40 - heap);
      cairo_curve_to(cr, 28, 40 - heap, 32, 40 - heap * 0.7, 40, 40 - heap * 0.55);
      cairo_line_to(cr, 40, 40);
      cairo_close_path(cr);
      SetColor(cr, Darker(kSand, 0.08));
      cairo_fill(cr);
    }
    // The thin stream through the neck.
    cairo_new_path(cr);
    cairo_rectangle(cr, 24.4, 24, 1.2, 16 - heap);
    SetColor(cr, kSand);
    cairo_fill(cr);
  }
  bulbs();
  Outline(cr, 1.5);
  Gloss(cr, 17.5, 15, 1.2, 3, 0.75);
  Gloss(cr, 17.5, 35, 1.2, 2.6, 0.6);
  // Wooden frame.
  for (const double x : {10.5, 39.5}) {
    cairo_new_path(cr);
    RoundedRectPath(cr, x - 1.6, 8, 3.2, 34, 1.2);
    ShadedFill(cr, kWood, 1.2);
  }
  for (const double y : {4.5, 40.5}) {
    cairo_new_path(cr);
    RoundedRectPath(cr, 7, y, 36, 5.5, 2.2);
    ShadedFill(cr, kWood, 1.5);
  }
}

void DrawLifeIcon(cairo_t* cr) {
  DrawHeroHead(cr, 26, 29, 16, HeroFace::kHappy);
}

void DrawSpareIcon(cairo_t* cr) {
  DrawGem(cr, {25, 22}, 1.1, 1, kGem);
  Sparkle(cr, 18, 14, 6, 0.9);
}

}  // namespace assets::art
