#include "tools/assets/art/help_pages.h"

#include <functional>
#include <string_view>

#include "tools/assets/art/bonuses.h"
#include "tools/assets/art/canvas.h"
#include "tools/assets/art/enemies.h"
#include "tools/assets/art/hero.h"
#include "tools/assets/art/raven.h"
#include "tools/assets/art/scenery.h"
#include "tools/assets/art/text.h"

namespace assets::art {
namespace {

constexpr double kTextSize = 15;
constexpr Rgb kInk{0.22, 0.12, 0.32};

// Draws a picture of `pictureSize` drawn pixels centred at (cx, cy), scaled.
void Sprite(cairo_t* cr, double cx, double cy, double pictureSize, double scale,
            const std::function<void(cairo_t*)>& draw) {
  Saved saved(cr);
  cairo_translate(cr, cx - pictureSize * scale / 2, cy - pictureSize * scale / 2);
  cairo_scale(cr, scale, scale);
  draw(cr);
}

double Say(cairo_t* cr, const Font& font, std::string_view text, double x, double y, double width,
           double size = kTextSize) {
  return DrawWrapped(cr, font, text, size, x, y, width, size * 1.22, kInk);
}

void Card(cairo_t* cr, const Font& font, std::string_view title) {
  cairo_new_path(cr);
  RoundedRectPath(cr, 3, 3, 394, 274, 18);
  FillVertical(cr, 0, 280, {0.90, 0.96, 1.0}, {0.78, 0.87, 1.0});
  SetColor(cr, palette::kDeepBlue);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  DrawText(cr, font, title, 27, 200, 36, Align::kCentre,
           {.top = palette::kYellow, .bottom = palette::kOrange, .outline = 2.2, .shadow = 2});
}

// A glowing missile with a short trail behind it (to its left).
void MissileGlow(cairo_t* cr, double x, double y, double r) {
  for (int i = 3; i >= 1; --i) {
    Glow(cr, x - i * r * 1.6, y, r * (1.6 - 0.3 * i), {0.5, 0.9, 1.0}, 0.5 - 0.1 * i);
  }
  Glow(cr, x, y, r * 2.6, {0.5, 0.9, 1.0}, 0.9);
  Glow(cr, x, y, r * 1.1, palette::kWhite, 1.0);
}

enum class Arrow { kNone, kLeft, kRight, kUp, kDown };

// A key cap with a label or an arrow; returns its right edge.
double Key(cairo_t* cr, const Font& font, double x, double y, std::string_view label,
           Arrow arrow = Arrow::kNone) {
  const double h = 26;
  const double w = arrow != Arrow::kNone ? 28 : std::max(28.0, TextWidth(cr, font, label, 13) + 16);
  cairo_new_path(cr);
  RoundedRectPath(cr, x, y - h / 2 + 2, w, h, 6);
  SetColor(cr, {0.55, 0.55, 0.66});
  cairo_fill(cr);
  cairo_new_path(cr);
  RoundedRectPath(cr, x, y - h / 2 - 1, w, h - 2, 6);
  FillVertical(cr, y - h / 2, y + h / 2, {1, 1, 1}, {0.84, 0.85, 0.92});
  Outline(cr, 1.6);
  const double cx = x + w / 2, cy = y - 2;
  if (arrow == Arrow::kNone) {
    DrawPlainText(cr, font, label, 13, cx, cy + 4.5, Align::kCentre, kInk);
    return x + w;
  }
  Saved saved(cr);
  cairo_translate(cr, cx, cy);
  const double turn[] = {0, 3.14159265358979, 0, -1.5707963267949, 1.5707963267949};
  cairo_rotate(cr, turn[static_cast<int>(arrow)]);
  cairo_new_path(cr);
  PolygonPath(cr, {{8, 0}, {1, -6.5}, {1, -2.5}, {-7, -2.5}, {-7, 2.5}, {1, 2.5}, {1, 6.5}});
  SetColor(cr, kInk);
  cairo_fill(cr);
  return x + w;
}

void StoryPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "The Story");
  // A beam of light from the saucer down to the spaceman.
  cairo_new_path(cr);
  PolygonPath(cr, {{80, 110}, {96, 110}, {122, 236}, {40, 236}});
  cairo_pattern_t* beam = cairo_pattern_create_linear(0, 110, 0, 236);
  cairo_pattern_add_color_stop_rgba(beam, 0, 1.0, 0.95, 0.6, 0.75);
  cairo_pattern_add_color_stop_rgba(beam, 1, 1.0, 0.95, 0.6, 0.0);
  cairo_set_source(cr, beam);
  cairo_fill(cr);
  cairo_pattern_destroy(beam);
  Sprite(cr, 88, 92, 256, 0.42, DrawUfo);
  Sprite(cr, 78, 196, 128, 0.85, [](cairo_t* c) { DrawHeroFrame(c, 31); });
  Sprite(cr, 140, 226, 64, 0.7, [](cairo_t* c) { DrawDiamond(c, 0); });
  Sprite(cr, 30, 226, 64, 0.7, [](cairo_t* c) { DrawDiamond(c, 2); });
  double y = Say(cr, font, "A UFO has left our little spaceman on a strange planet.", 172, 76, 212);
  y = Say(cr, font, "Take every diamond to finish a level, before the time runs out.", 172, y + 8,
          212);
  Say(cr, font, "Every fifth level, pop all the balloons instead!", 172, y + 8, 212);
}

void ControlsPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "Controls");
  const double keys = 24, words = 150;
  double y = 72;
  double x = Key(cr, font, keys, y, "", Arrow::kLeft);
  Key(cr, font, x + 6, y, "", Arrow::kRight);
  Say(cr, font, "walk", words, y + 5, 150);
  y += 34;
  Key(cr, font, keys, y, "", Arrow::kUp);
  Say(cr, font, "jump", words, y + 5, 150);
  y += 34;
  Key(cr, font, keys, y, "", Arrow::kDown);
  Say(cr, font, "drop faster", words, y + 5, 150);
  y += 34;
  Key(cr, font, keys, y, "Ctrl");
  Say(cr, font, "throw a missile", words, y + 5, 150);
  y += 34;
  x = Key(cr, font, keys, y, "P");
  DrawPlainText(cr, font, "or", 13, x + 14, y + 4, Align::kCentre, kInk);
  Key(cr, font, x + 28, y, "Pause");
  Say(cr, font, "pause", words, y + 5, 150);
  y += 34;
  Key(cr, font, keys, y, "Esc");
  Say(cr, font, "leave the game", words, y + 5, 150);
  Sprite(cr, 330, 150, 128, 0.95, [](cairo_t* c) { DrawHeroFrame(c, 23); });
  MissileGlow(cr, 376, 128, 5);
}

void DiamondsPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "Diamonds and Time");
  Sprite(cr, 38, 84, 64, 0.9, [](cairo_t* c) { DrawDiamond(c, 0); });
  Sprite(cr, 74, 92, 64, 0.9, [](cairo_t* c) { DrawDiamond(c, 1); });
  double y =
      Say(cr, font, "Take all the diamonds to finish the level: 50 points each.", 112, 72, 272);
  Say(cr, font, "An enemy can push a diamond into the ground for a while.", 112, y + 4, 272);
  for (int i = 0; i < 3; ++i) {
    const int picture = 6 - 3 * i;
    Sprite(cr, 36 + i * 44, 192, 50, 0.85, [picture](cairo_t* c) { DrawSandclock(c, picture); });
  }
  y = Say(cr, font, "The sand-clock shows the time left.", 170, 170, 214);
  Say(cr, font, "When it runs out, you lose a life!", 170, y + 4, 214);
}

void EnemiesPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "Enemies");
  const struct {
    EnemyKind kind;
    double x;
  } lineUp[] = {{EnemyKind::kCangoroo, 58},
                {EnemyKind::kMouse, 150},
                {EnemyKind::kBlue, 245},
                {EnemyKind::kToothy, 338}};
  for (const auto& e : lineUp) {
    const EnemyLayout layout = LayoutOf(e.kind);
    const double scale = 0.78 * 128 / layout.size * (e.kind == EnemyKind::kToothy ? 0.8 : 1.0);
    // Stand them all on one line.
    const double cy = 126 - (layout.feetY - layout.size / 2) * scale;
    Sprite(cr, e.x, cy, layout.size, scale,
           [&](cairo_t* c) { DrawEnemyFrame(c, e.kind, LayoutOf(e.kind).walk); });
  }
  double y = Say(cr, font, "They walk the platforms, jump after you and catch you.", 22, 158, 356);
  MissileGlow(cr, 38, y + 10, 4.5);
  Say(cr, font, "Throw missiles with Ctrl: a hit knocks an enemy down for a while.", 56, y + 14,
      326);
}

void RavenPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "The Raven");
  Sprite(cr, 70, 104, 64, 0.8 * 0.5 * 2, [](cairo_t* c) { DrawParcelFrame(c, 0); });
  Sprite(cr, 76, 86, 128, 0.8, [](cairo_t* c) { DrawRavenFrame(c, 6); });
  Say(cr, font, "The raven brings one special bonus at a time:", 150, 72, 234);
  const struct {
    std::function<void(cairo_t*)> draw;
    const char* text;
    double x, y;
  } bonuses[] = {
      {[](cairo_t* c) { DrawSnowflake(c, 0); }, "freezes the enemies", 40, 150},
      {DrawClock, "stops the time", 218, 150},
      {[](cairo_t* c) { DrawBottle(c, 0); }, "one more life", 40, 196},
      {DrawBanana, "20 points", 218, 196},
      {DrawPear, "20 points", 40, 242},
  };
  for (const auto& b : bonuses) {
    Sprite(cr, b.x, b.y - 6, 64, 0.72, b.draw);
    Say(cr, font, b.text, b.x + 28, b.y + 2, 150);
  }
}

void BonusLevelPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "Bonus Levels");
  double y = Say(cr, font, "Every fifth level is a bonus level.", 22, 74, 190);
  y = Say(cr, font, "Pop all the balloons by touching them, even in the air.", 22, y + 6, 190);
  Say(cr, font, "Each one gives 10 points.", 22, y + 6, 190);
  Sprite(cr, 318, 118, 128, 0.95, [](cairo_t* c) { DrawBalloons(c, 1); });
  Sprite(cr, 270, 192, 128, 0.8, [](cairo_t* c) { DrawHeroFrame(c, 23); });
  Sprite(cr, 356, 214, 128, 0.55, [](cairo_t* c) { DrawBalloons(c, 4); });
}

void ScoringPage(cairo_t* cr, const Font& font) {
  Card(cr, font, "Score and Lives");
  const struct {
    std::function<void(cairo_t*)> draw;
    double size;
    const char* points;
  } scores[] = {{[](cairo_t* c) { DrawDiamond(c, 0); }, 64, "50"},
                {DrawBanana, 64, "20"},
                {DrawPear, 64, "20"},
                {[](cairo_t* c) { DrawBalloons(c, 0); }, 128, "10"}};
  double x = 34;
  for (const auto& s : scores) {
    Sprite(cr, x, s.size == 64 ? 70 : 66, s.size, s.size == 64 ? 0.75 : 0.38, s.draw);
    DrawText(cr, font, s.points, 18, x + 24, 82, Align::kLeft,
             {.top = palette::kYellow, .bottom = palette::kOrange, .outline = 1.6});
    x += 92;
  }
  for (int i = 0; i < 3; ++i) Sprite(cr, 28 + i * 30, 128, 50, 0.6, DrawLifeIcon);
  Say(cr, font, "Three lives. The drink bottle gives one back.", 122, 124, 264);
  Say(cr, font, "The ten best scores go into the high-score table.", 22, 178, 360);
  Say(cr, font, "Boss key: choose it in Options. It hides the game at once!", 22, 222, 360);
}

}  // namespace

void DrawHelpPage(cairo_t* cr, const Font& font, int page) {
  switch (page) {
    case 1:
      return StoryPage(cr, font);
    case 2:
      return ControlsPage(cr, font);
    case 3:
      return DiamondsPage(cr, font);
    case 4:
      return EnemiesPage(cr, font);
    case 5:
      return RavenPage(cr, font);
    case 6:
      return BonusLevelPage(cr, font);
    default:
      return ScoringPage(cr, font);
  }
}

}  // namespace assets::art
