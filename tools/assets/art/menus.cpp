#include "tools/assets/art/menus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tools/assets/art/canvas.h"
#include "tools/assets/art/hero.h"
#include "tools/assets/art/scenery.h"
#include "tools/assets/art/text.h"

namespace assets::art {
namespace {

// Lettering styles shared by every title and label.
TextStyle TitleStyle(double outline) {
  return {.top = palette::kYellow,
          .bottom = palette::kOrange,
          .outline = outline,
          .outlineColour = palette::kOutline,
          .shadow = outline * 1.2};
}

TextStyle GlowStyle(double outline, double glow) {
  return {.top = palette::kWhite,
          .bottom = palette::kYellow,
          .outline = outline,
          .outlineColour = {0.45, 0.12, 0.45},
          .shadow = 0,
          .glow = glow,
          .glowColour = {1.0, 0.95, 0.6}};
}

void Star(cairo_t* cr, double cx, double cy, double outer, Rgb colour, double turn = 0) {
  StarPath(cr, cx, cy, outer, outer * 0.45, turn);
  ShadedFill(cr, colour, std::max(1.2, outer * 0.12));
}

// The size at which text is `width` wide, kept between lo and hi.
double FitSize(cairo_t* cr, const Font& font, std::string_view text, double width, double lo,
               double hi) {
  const double at100 = TextWidth(cr, font, text, 100);
  return std::clamp(100 * width / at100, lo, hi);
}

// A panel: a purple frame with a gold inner edge around a cream page.
void Panel(cairo_t* cr, double w, double h, double frame, double radius) {
  const double m = 4;
  cairo_new_path(cr);
  RoundedRectPath(cr, m, m, w - 2 * m, h - 2 * m, radius);
  FillVertical(cr, m, h - m, {0.62, 0.42, 0.86}, {0.30, 0.20, 0.58});
  Outline(cr, 4);
  // Frame gloss along the top.
  cairo_new_path(cr);
  RoundedRectPath(cr, m + 8, m + 3, w - 2 * m - 16, frame * 0.45, frame * 0.22);
  SetColor(cr, palette::kWhite, 0.25);
  cairo_fill(cr);
  const double in = m + frame;
  cairo_new_path(cr);
  RoundedRectPath(cr, in, in, w - 2 * in, h - 2 * in, std::max(4.0, radius - frame));
  FillVertical(cr, in, h - in, {1.0, 0.98, 0.92}, {0.98, 0.90, 0.76});
  SetColor(cr, palette::kGold);
  cairo_set_line_width(cr, 5);
  cairo_stroke_preserve(cr);
  Outline(cr, 1.5);
  // Rivets in the frame corners.
  for (const double x : {m + frame / 2, w - m - frame / 2}) {
    for (const double y : {m + frame / 2, h - m - frame / 2}) {
      ShadedEllipse(cr, x, y, frame * 0.22, frame * 0.22, palette::kGold, 1.5);
    }
  }
}

void PillButton(cairo_t* cr, double cx, double cy, double w, double h, bool lit) {
  if (lit) {
    for (int i = 0; i < 6; ++i) {
      cairo_new_path(cr);
      RoundedRectPath(cr, cx - w / 2 - 8 + i, cy - h / 2 - 8 + i, w + 16 - 2 * i, h + 16 - 2 * i,
                      h / 2 + 8 - i);
      SetColor(cr, {1.0, 0.95, 0.6}, 0.12);
      cairo_fill(cr);
    }
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - w / 2, cy - h / 2, w, h, h / 2);
  const Rgb top = lit ? Rgb{0.98, 0.55, 0.85} : Rgb{0.62, 0.42, 0.90};
  const Rgb low = lit ? Rgb{0.78, 0.25, 0.62} : Rgb{0.32, 0.20, 0.62};
  FillVertical(cr, cy - h / 2, cy + h / 2, top, low);
  Outline(cr, 2.5);
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - w / 2 + h * 0.3, cy - h / 2 + 3, w - h * 0.6, h * 0.3, h * 0.15);
  SetColor(cr, palette::kWhite, 0.35);
  cairo_fill(cr);
}

}  // namespace

std::string_view MenuItemLabel(int item) {
  constexpr std::array<std::string_view, kMenuItems> kLabels{
      "NEW GAME",     "OPTIONS", "HIGH SCORES",   "HELP",
      "OUR WEB SITE", "EXIT",    "TELL A FRIEND", "SUBSCRIBE"};
  return kLabels[static_cast<std::size_t>(std::clamp(item, 1, kMenuItems) - 1)];
}

void DrawLogo(cairo_t* cr, const Font& font) {
  // Only the top-left 225 x 112 is on screen; the rest is left empty.
  Glow(cr, 112, 56, 110, palette::kWhite, 0.35);
  const TextStyle style = TitleStyle(3.2);
  const double size1 = FitSize(cr, font, "Zorbelline", 196, 20, 52);
  DrawText(cr, font, "Zorbelline", size1, 108, 50, Align::kCentre, style);
  const double size2 = FitSize(cr, font, "Quester", 150, 20, 56);
  TextStyle second = style;
  second.top = {0.55, 0.95, 1.0};
  second.bottom = palette::kBlue;
  DrawText(cr, font, "Quester", size2, 118, 97, Align::kCentre, second);
  Star(cr, 24, 78, 11, palette::kYellow, 0.2);
  Star(cr, 207, 70, 8, palette::kPink, -0.3);
  Sparkle(cr, 199, 16, 9, 0.95);
}

void DrawMenuLabel(cairo_t* cr, const Font& font, int index) {
  const int item = index / 2 + 1;
  const bool lit = index % 2 == 1;
  const std::string_view text = MenuItemLabel(item);
  if (item >= 7) {
    // Small buttons in a 256 x 128 picture, placed to match their pointer areas.
    const double cy = item == 7 ? 67.75 : 61.5;
    const double h = item == 7 ? 40 : 30;
    PillButton(cr, 128, cy, 175, h, lit);
    const double size = FitSize(cr, font, text, 150, 12, 22);
    TextStyle style = lit ? GlowStyle(1.6, 0) : TitleStyle(1.6);
    style.shadow = 0;
    DrawText(cr, font, text, size, 128, cy + size * 0.36, Align::kCentre, style);
    return;
  }
  // The labels are as wide as the pointer areas: items 1, 3, 5 about 300 px,
  // item 2 about 200, items 4 and 6 about 150. One letter size for all of them
  // where it fits; short words are spaced out instead of enlarged.
  constexpr std::array<double, 6> kWidths{300, 200, 300, 150, 300, 150};
  constexpr double kSize = 52;
  const double target = kWidths[item - 1];
  const double size = std::min(kSize, FitSize(cr, font, text, target, 40, kSize));
  const double gaps = double(text.size() - 1);
  const double tracking = std::clamp((target - TextWidth(cr, font, text, size)) / gaps, 0.0, 12.0);
  const double baseline = 40 + size * 0.36;
  TextStyle style = lit ? GlowStyle(3, 12) : TitleStyle(3);
  style.tracking = tracking;
  DrawText(cr, font, text, size, 200, baseline, Align::kCentre, style);
}

void DrawForm(cairo_t* cr, const Font& font, int index) {
  if (index == 3) {
    Panel(cr, 400, 320, 20, 30);
    return;
  }
  Panel(cr, 640, 480, 26, 40);
  // The high-score panel is also stretched to a square for the name entry, so it
  // carries no lettering.
  if (index == 0) DrawText(cr, font, "OPTIONS", 46, 320, 80, Align::kCentre, TitleStyle(3));
  if (index == 1) DrawText(cr, font, "HELP", 54, 320, 90, Align::kCentre, TitleStyle(3));
  if (index == 2) {
    for (const double x : {180.0, 460.0}) Star(cr, x, 60, 14, palette::kYellow);
    Star(cr, 320, 56, 20, palette::kGold);
  }
}

void DrawHudPanel(cairo_t* cr, const Font& font) {
  // Only the lower 55 px are on screen.
  cairo_new_path(cr);
  RoundedRectPath(cr, 2, -30, 796, 128, 22);
  FillVertical(cr, 40, 100, {0.30, 0.20, 0.52}, {0.12, 0.08, 0.26});
  SetColor(cr, palette::kGold);
  cairo_set_line_width(cr, 5);
  cairo_stroke_preserve(cr);
  Outline(cr, 1.5);
  cairo_new_path(cr);
  RoundedRectPath(cr, 14, 47, 772, 9, 4.5);
  SetColor(cr, palette::kWhite, 0.18);
  cairo_fill(cr);
  // Labels in front of the numbers the game prints at x 200 and 475.
  const TextStyle label{.top = {0.85, 0.80, 1.0},
                        .bottom = {0.62, 0.55, 0.95},
                        .outline = 1.5,
                        .outlineColour = palette::kOutline};
  DrawText(cr, font, "LEVEL", 22, 188, 81, Align::kRight, label);
  DrawText(cr, font, "SCORE", 22, 463, 81, Align::kRight, label);
  // One well under the life icons (centred at x 625, 662.5, 700) and the
  // sand-clock (x 750), split by a thin line.
  cairo_new_path(cr);
  RoundedRectPath(cr, 596, 52, 182, 45, 12);
  SetColor(cr, {0.06, 0.04, 0.14}, 0.55);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kWhite, 0.15);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 726, 58);
  cairo_line_to(cr, 726, 91);
  SetColor(cr, palette::kWhite, 0.2);
  cairo_stroke(cr);
}

void DrawLevelComplete(cairo_t* cr, const Font& font) {
  Glow(cr, 400, 270, 330, palette::kYellow, 0.35);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6 + 0.2;
    const double r = i % 2 == 0 ? 235 : 200;
    Star(cr, 400 + std::cos(a) * r * 1.25, 270 + std::sin(a) * r * 0.6, i % 2 == 0 ? 16 : 11,
         i % 3 == 0 ? palette::kYellow : (i % 3 == 1 ? palette::kPink : palette::kSky), a);
  }
  DrawText(cr, font, "LEVEL", 84, 400, 245, Align::kCentre, TitleStyle(5));
  TextStyle second = TitleStyle(5);
  second.top = {0.6, 1.0, 0.6};
  second.bottom = palette::kDarkGreen;
  DrawText(cr, font, "COMPLETE!", 92, 400, 340, Align::kCentre, second);
}

void DrawPause(cairo_t* cr, const Font& font) {
  cairo_new_path(cr);
  RoundedRectPath(cr, 150, 205, 500, 190, 40);
  SetColor(cr, {0.08, 0.05, 0.2}, 0.55);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kWhite, 0.5);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  // Pause sign.
  for (const double x : {224.0, 252.0}) {
    cairo_new_path(cr);
    RoundedRectPath(cr, x, 255, 18, 60, 6);
    ShadedFill(cr, palette::kYellow, 3);
  }
  TextStyle style = TitleStyle(4);
  style.top = {0.6, 0.95, 1.0};
  style.bottom = palette::kBlue;
  DrawText(cr, font, "PAUSE", 88, 440, 318, Align::kCentre, style);
  DrawPlainText(cr, font, "press P to play on", 24, 400, 368, Align::kCentre, palette::kCream);
}

void DrawGameOver(cairo_t* cr, const Font& font) {
  Glow(cr, 300, 300, 270, {0.2, 0.05, 0.3}, 0.45);
  TextStyle style = TitleStyle(6);
  style.top = {1.0, 0.6, 0.4};
  style.bottom = {0.85, 0.12, 0.2};
  DrawText(cr, font, "GAME", 150, 300, 270, Align::kCentre, style);
  DrawText(cr, font, "OVER", 150, 300, 420, Align::kCentre, style);
  // A few falling stars under the lettering.
  for (int i = 0; i < 5; ++i) {
    const double x = 150 + i * 75, y = 470 + (i % 2) * 30;
    Star(cr, x, y, 10, palette::kYellow, i * 0.4);
  }
}

void DrawLoading(cairo_t* cr, const Font& font) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 600);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.05, 0.04, 0.16);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.24, 0.14, 0.40);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  // Stars on a fixed pattern.
  for (int i = 0; i < 140; ++i) {
    const double x = std::fmod(i * 137.508 + 31, 800), y = std::fmod(i * 71.13 + 17, 600);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, 0.6 + (i % 5) * 0.35, 0, 2 * kPi);
    SetColor(cr, palette::kWhite, 0.4 + (i % 4) * 0.15);
    cairo_fill(cr);
  }
  Glow(cr, 400, 330, 260, palette::kPurple, 0.35);
  TextStyle first = TitleStyle(4.5);
  first.glow = 10;
  first.glowColour = palette::kPurple;
  DrawText(cr, font, "Zorbelline", 78, 400, 120, Align::kCentre, first);
  TextStyle second = first;
  second.top = {0.55, 0.95, 1.0};
  second.bottom = palette::kBlue;
  DrawText(cr, font, "Quester", 86, 400, 205, Align::kCentre, second);
  {
    Saved saved(cr);
    cairo_translate(cr, 470, 240);
    cairo_scale(cr, 0.8, 0.8);
    DrawUfo(cr);
  }
  {
    Saved saved(cr);
    cairo_translate(cr, 230, 250);
    cairo_scale(cr, 1.7, 1.7);
    DrawHeroFrame(cr, 33);  // joy jump at its top, facing right
  }
  DrawText(cr, font, "Loading...", 44, 400, 555, Align::kCentre,
           {.top = palette::kWhite, .bottom = palette::kSky, .outline = 2.5});
}

void DrawCursor(cairo_t* cr) {
  // An arrow whose tip is the middle of the picture.
  Glow(cr, 24, 26, 14, palette::kWhite, 0.35);
  cairo_new_path(cr);
  cairo_move_to(cr, 20, 20);
  cairo_line_to(cr, 20.5, 36.5);
  cairo_line_to(cr, 24.6, 32.4);
  cairo_line_to(cr, 28.2, 39);
  cairo_line_to(cr, 31.6, 37.2);
  cairo_line_to(cr, 28.2, 30.8);
  cairo_line_to(cr, 34, 30.2);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_pattern_t* g = cairo_pattern_create_linear(20, 20, 32, 38);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 0.85);
  cairo_pattern_add_color_stop_rgb(g, 1, palette::kOrange.r, palette::kOrange.g,
                                   palette::kOrange.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  Outline(cr, 1.8);
}

}  // namespace assets::art
