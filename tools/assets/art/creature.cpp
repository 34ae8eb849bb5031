#include "tools/assets/art/creature.h"

#include <algorithm>
#include <cmath>

namespace assets::art {
void DrawEye(cairo_t* cr, const EyeShape& eye) {
  const double line = 1.5;
  const Point c = eye.centre;
  Saved saved(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (eye.state) {
    case EyeLook::kClosed:
    case EyeLook::kHappy: {
      // Closed: a lid line curving down; happy: an arch.
      const double bend = eye.state == EyeLook::kHappy ? -eye.ry * 0.9 : eye.ry * 0.5;
      cairo_new_path(cr);
      cairo_move_to(cr, c.x - eye.rx, c.y);
      cairo_curve_to(cr, c.x - eye.rx * 0.5, c.y + bend, c.x + eye.rx * 0.5, c.y + bend,
                     c.x + eye.rx, c.y);
      SetColor(cr, palette::kOutline);
      cairo_set_line_width(cr, std::max(1.6, eye.rx * 0.45));
      cairo_stroke(cr);
      return;
    }
    case EyeLook::kDizzy: {
      cairo_new_path(cr);
      EllipsePath(cr, c.x, c.y, eye.rx, eye.ry);
      FlatFill(cr, palette::kWhite, line);
      // A spiral.
      cairo_new_path(cr);
      const double turns = 2.2;
      for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0;
        const double a = t * turns * 2 * kPi;
        const double x = c.x + std::cos(a) * eye.rx * 0.8 * t;
        const double y = c.y + std::sin(a) * eye.ry * 0.8 * t;
        if (i == 0) {
          cairo_move_to(cr, x, y);
        } else {
          cairo_line_to(cr, x, y);
        }
      }
      SetColor(cr, palette::kOutline);
      cairo_set_line_width(cr, std::max(0.9, eye.rx * 0.22));
      cairo_stroke(cr);
      return;
    }
    case EyeLook::kOpen:
    case EyeLook::kAngry: {
      cairo_new_path(cr);
      EllipsePath(cr, c.x, c.y, eye.rx, eye.ry);
      FlatFill(cr, palette::kWhite, line);
      const double px = c.x + eye.look.x * eye.rx * 0.5;
      const double py = c.y + eye.look.y * eye.ry * 0.5 + eye.ry * 0.08;
      cairo_new_path(cr);
      EllipsePath(cr, px, py, eye.rx * 0.52, eye.ry * 0.56);
      SetColor(cr, palette::kOutline);
      cairo_fill(cr);
      Gloss(cr, px - eye.rx * 0.18, py - eye.ry * 0.22, eye.rx * 0.18, eye.rx * 0.18, 0.95);
      if (eye.state == EyeLook::kAngry) {
        cairo_new_path(cr);
        cairo_move_to(cr, c.x - eye.rx * 1.2, c.y - eye.ry * 1.25);
        cairo_line_to(cr, c.x + eye.rx * 1.1, c.y - eye.ry * 0.55);
        SetColor(cr, eye.lid);
        cairo_set_line_width(cr, std::max(1.8, eye.rx * 0.55));
        cairo_stroke(cr);
      }
      return;
    }
  }
}

void DrawMouth(cairo_t* cr, const MouthShape& m) {
  const double line = 1.5;
  Saved saved(cr);
  cairo_translate(cr, m.centre.x, m.centre.y);
  cairo_rotate(cr, m.tilt);
  const double hw = m.width / 2;
  if (m.open <= 0.02) {
    cairo_new_path(cr);
    cairo_move_to(cr, -hw, -m.height * 0.05);
    cairo_curve_to(cr, -hw * 0.4, m.height * 0.18, hw * 0.4, m.height * 0.18, hw, -m.height * 0.05);
    SetColor(cr, palette::kOutline);
    cairo_set_line_width(cr, line * 1.1);
    cairo_stroke(cr);
    if (m.teeth == Teeth::kBuck) {
      for (int side : {-1, 1}) {
        cairo_new_path(cr);
        RoundedRectPath(cr, side < 0 ? -m.width * 0.26 : 0.1, m.height * 0.08, m.width * 0.25,
                        m.height * 0.3, 0.6);
        FlatFill(cr, palette::kWhite, 1.0);
      }
    } else if (m.teeth == Teeth::kFangs) {
      for (int side : {-1, 1}) {
        cairo_new_path(cr);
        const double x = side * hw * 0.55;
        cairo_move_to(cr, x - m.width * 0.09, m.height * 0.08);
        cairo_line_to(cr, x + m.width * 0.09, m.height * 0.08);
        cairo_line_to(cr, x, m.height * 0.38);
        cairo_close_path(cr);
        FlatFill(cr, palette::kWhite, 1.0);
      }
    }
    return;
  }
  const double depth = m.height * m.open;
  auto cavity = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, -hw, 0);
    cairo_curve_to(cr, -hw * 0.5, -depth * 0.22, hw * 0.5, -depth * 0.22, hw, 0);
    cairo_curve_to(cr, hw * 0.85, depth * 0.9, -hw * 0.85, depth * 0.9, -hw, 0);
    cairo_close_path(cr);
  };
  cavity();
  SetColor(cr, palette::kMouthInside);
  cairo_fill_preserve(cr);
  {
    Saved clip(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    EllipsePath(cr, 0, depth * 0.72, hw * 0.62, depth * 0.32);
    SetColor(cr, palette::kTongue);
    cairo_fill(cr);
    // Teeth inside the cavity edge.
    SetColor(cr, palette::kWhite);
    if (m.teeth == Teeth::kBuck) {
      cairo_new_path(cr);
      RoundedRectPath(cr, -m.width * 0.24, -depth, m.width * 0.23, depth * 0.2 + m.height * 0.28,
                      0.6);
      RoundedRectPath(cr, 0.2, -depth, m.width * 0.23, depth * 0.2 + m.height * 0.28, 0.6);
      FlatFill(cr, palette::kWhite, 0.9);
    } else if (m.teeth == Teeth::kFangs) {
      for (int side : {-1, 1}) {
        const double x = side * hw * 0.55;
        cairo_new_path(cr);
        cairo_move_to(cr, x - m.width * 0.1, -depth);
        cairo_line_to(cr, x + m.width * 0.1, -depth);
        cairo_line_to(cr, x, depth * 0.05 + m.height * 0.25);
        cairo_close_path(cr);
        FlatFill(cr, palette::kWhite, 0.9);
      }
    } else if (m.teeth == Teeth::kRow) {
      const int count = std::max(3, static_cast<int>(m.width / 4.2));
      const double step = m.width / count;
      for (int i = 0; i < count; ++i) {
        const double x0 = -hw + i * step;
        cairo_new_path(cr);
        cairo_move_to(cr, x0, -depth);
        cairo_line_to(cr, x0 + step, -depth);
        cairo_line_to(cr, x0 + step / 2, -depth * 0.15 + m.height * 0.3);
        cairo_close_path(cr);
        FlatFill(cr, palette::kWhite, 0.9);
        cairo_new_path(cr);
        cairo_move_to(cr, x0 + step * 0.1, depth);
        cairo_line_to(cr, x0 + step * 0.9, depth);
        cairo_line_to(cr, x0 + step / 2, depth * 0.62 - m.height * 0.22);
        cairo_close_path(cr);
        FlatFill(cr, palette::kWhite, 0.9);
      }
    }
  }
  cavity();
  Outline(cr, line);
}

void DrawEar(cairo_t* cr, const EarShape& ear) {
  Saved saved(cr);
  cairo_translate(cr, ear.base.x, ear.base.y);
  cairo_rotate(cr, ear.angle);
  const double hw = ear.width / 2;
  auto shape = [&](double s) {
    cairo_new_path(cr);
    if (ear.round) {
      EllipsePath(cr, 0, -ear.length * 0.5, hw * s, ear.length * 0.5 * s);
    } else {
      cairo_move_to(cr, -hw * s, 0);
      cairo_curve_to(cr, -hw * 1.25 * s, -ear.length * 0.55, -hw * 0.25 * s, -ear.length * 0.95, 0,
                     -ear.length * (s < 1 ? 0.9 : 1.0));
      cairo_curve_to(cr, hw * 0.25 * s, -ear.length * 0.95, hw * 1.25 * s, -ear.length * 0.55,
                     hw * s, 0);
      cairo_close_path(cr);
    }
  };
  shape(1.0);
  ShadedFill(cr, ear.colour, kCreatureLine);
  if (ear.round) {
    cairo_new_path(cr);
    EllipsePath(cr, 0, -ear.length * 0.5, hw * 0.62, ear.length * 0.5 * 0.62);
  } else {
    cairo_translate(cr, 0, -ear.length * 0.08);
    shape(0.5);
  }
  SetColor(cr, ear.inner);
  cairo_fill(cr);
}

Point KneeFor(Point hip, Point ankle, double upper, double lower, double kneeSide) {
  const double dx = ankle.x - hip.x, dy = ankle.y - hip.y;
  const double d = std::hypot(dx, dy);
  if (d < 1e-6) return {hip.x + kneeSide * upper, hip.y};
  if (d >= upper + lower) return {hip.x + dx * upper / d, hip.y + dy * upper / d};
  const double dc = std::max(d, std::abs(upper - lower) + 1e-3);
  const double a = (upper * upper - lower * lower + dc * dc) / (2 * dc);
  const double h = std::sqrt(std::max(0.0, upper * upper - a * a));
  const double ux = dx / d, uy = dy / d;
  const Point mid{hip.x + ux * a, hip.y + uy * a};
  // The perpendicular (-uy, ux) points to +x for a leg going down.
  Point knee{mid.x - uy * h, mid.y + ux * h};
  Point other{mid.x + uy * h, mid.y - ux * h};
  if ((knee.x - mid.x) * kneeSide < (other.x - mid.x) * kneeSide) std::swap(knee, other);
  return knee;
}

void DrawLeg(cairo_t* cr, const LegShape& leg) {
  const Point knee = KneeFor(leg.hip, leg.ankle, leg.upper, leg.lower, leg.kneeSide);
  Limb(cr, {leg.hip, knee, leg.ankle}, leg.width, leg.colour, kCreatureLine);
  Saved saved(cr);
  cairo_translate(cr, leg.ankle.x, leg.ankle.y);
  cairo_rotate(cr, leg.footTilt);
  cairo_new_path(cr);
  EllipsePath(cr, leg.footLength * 0.35, 0, leg.footLength * 0.65, leg.footHeight);
  ShadedFill(cr, leg.footColour, kCreatureLine);
}

void DrawBody(cairo_t* cr, const BodyShape& body) {
  Saved saved(cr);
  cairo_translate(cr, body.centre.x, body.centre.y);
  cairo_rotate(cr, body.angle);
  cairo_new_path(cr);
  EllipsePath(cr, 0, 0, body.rx, body.ry);
  ShadedFill(cr, body.colour, 0);
  if (body.belly) {
    Saved clip(cr);
    cairo_new_path(cr);
    EllipsePath(cr, 0, 0, body.rx, body.ry);
    cairo_clip(cr);
    cairo_new_path(cr);
    EllipsePath(cr, body.bellyOffset.x * body.rx, body.bellyOffset.y * body.ry,
                body.rx * body.bellyScale, body.ry * body.bellyScale);
    ShadedFill(cr, body.bellyColour, 0);
  }
  cairo_new_path(cr);
  EllipsePath(cr, 0, 0, body.rx, body.ry);
  Outline(cr, kCreatureLine);
  Gloss(cr, -body.rx * 0.35, -body.ry * 0.55, body.rx * 0.22, body.ry * 0.12, 0.45);
}

void DrawBlob(cairo_t* cr, const std::vector<Oval>& parts, Rgb colour) {
  auto path = [&](const Oval& o) {
    cairo_new_path(cr);
    Saved saved(cr);
    cairo_translate(cr, o.cx, o.cy);
    cairo_rotate(cr, o.angle);
    EllipsePath(cr, 0, 0, o.rx, o.ry);
  };
  for (const Oval& o : parts) {
    path(o);
    Outline(cr, kCreatureLine * 2);
  }
  // One gradient over the whole shape.
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const Oval& o : parts) {
    const double r = std::max(o.rx, o.ry);
    x0 = std::min(x0, o.cx - r);
    y0 = std::min(y0, o.cy - r);
    x1 = std::max(x1, o.cx + r);
    y1 = std::max(y1, o.cy + r);
  }
  cairo_new_path(cr);
  for (const Oval& o : parts) {
    Saved saved(cr);
    cairo_translate(cr, o.cx, o.cy);
    cairo_rotate(cr, o.angle);
    EllipsePath(cr, 0, 0, o.rx, o.ry);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  const double w = x1 - x0, h = y1 - y0;
  cairo_pattern_t* shade = cairo_pattern_create_radial(
      x0 + w * 0.36, y0 + h * 0.28, 0, x0 + w * 0.4, y0 + h * 0.35, std::hypot(w, h) * 0.72);
  const Rgb light = Lighter(colour, 0.42), dark = Darker(colour, 0.28);
  cairo_pattern_add_color_stop_rgb(shade, 0.0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(shade, 0.45, colour.r, colour.g, colour.b);
  cairo_pattern_add_color_stop_rgb(shade, 1.0, dark.r, dark.g, dark.b);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

void DrawTail(cairo_t* cr, const std::vector<Point>& points, double baseWidth, double tipWidth,
              Rgb colour) {
  // Thin tails get a thinner outline, or they would be all outline.
  TaperedStroke(cr, points, baseWidth, tipWidth, colour, std::min(kCreatureLine, baseWidth * 0.3));
}

void DrawWhiskers(cairo_t* cr, Point from, double length) {
  Saved saved(cr);
  cairo_new_path(cr);
  for (double a : {-0.28, 0.0, 0.28}) {
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, from.x + std::cos(a) * length, from.y + std::sin(a) * length);
  }
  SetColor(cr, palette::kOutline, 0.85);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

void DrawDizzyStars(cairo_t* cr, Point centre, double radius, double phase) {
  for (int i = 0; i < 3; ++i) {
    const double a = phase + i * 2 * kPi / 3;
    const double x = centre.x + std::cos(a) * radius;
    const double y = centre.y + std::sin(a) * radius * 0.35;
    StarPath(cr, x, y, 3.6, 1.6, a);
    FlatFill(cr, palette::kYellow, 1.0);
  }
}

void DrawBlush(cairo_t* cr, Point centre, double rx, double ry) {
  cairo_new_path(cr);
  EllipsePath(cr, centre.x, centre.y, rx, ry);
  SetColor(cr, palette::kPink, 0.55);
  cairo_fill(cr);
}

}  // namespace assets::art
