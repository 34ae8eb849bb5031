#include "tools/assets/art/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace assets::art {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double t) {
  return Mix(c, palette::kWhite, t);
}
Rgb Darker(Rgb c, double t) {
  return Mix(c, Rgb{0, 0, 0}, t);
}

SurfacePtr MakeSurface(int width, int height) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot create a " + std::to_string(width) + "x" +
                             std::to_string(height) + " picture");
  }
  return surface;
}

ContextPtr MakeContext(cairo_surface_t* surface) {
  ContextPtr cr(cairo_create(surface));
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot draw on a picture");
  }
  cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GOOD);
  cairo_set_line_join(cr.get(), CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr.get(), CAIRO_LINE_CAP_ROUND);
  return cr;
}

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  std::vector<std::uint8_t> bytes;
  if (cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("PNG encoding failed");
  }
  return bytes;
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_new_sub_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, std::max(rx, 1e-3), std::max(ry, 1e-3));
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  cairo_close_path(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  const double pi = std::numbers::pi;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double turn) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = turn - std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
}

void PolygonPath(cairo_t* cr, const std::vector<Point>& points) {
  if (points.empty()) return;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, points[0].x, points[0].y);
  for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
  cairo_close_path(cr);
}

namespace {

void CatmullRomSegment(cairo_t* cr, Point p0, Point p1, Point p2, Point p3) {
  cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6, p2.x - (p3.x - p1.x) / 6,
                 p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
}

}  // namespace

void SmoothClosedPath(cairo_t* cr, const std::vector<Point>& points) {
  const std::size_t n = points.size();
  if (n < 3) return PolygonPath(cr, points);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, points[0].x, points[0].y);
  for (std::size_t i = 0; i < n; ++i) {
    CatmullRomSegment(cr, points[(i + n - 1) % n], points[i], points[(i + 1) % n],
                      points[(i + 2) % n]);
  }
  cairo_close_path(cr);
}

void SmoothOpenPath(cairo_t* cr, const std::vector<Point>& points) {
  const std::size_t n = points.size();
  if (n == 0) return;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, points[0].x, points[0].y);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    CatmullRomSegment(cr, points[i == 0 ? 0 : i - 1], points[i], points[i + 1],
                      points[std::min(i + 2, n - 1)]);
  }
}

void Outline(cairo_t* cr, double line) {
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
}

void ShadedFill(cairo_t* cr, Rgb base, double line) {
  double x0, y0, x1, y1;
  cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
  const double w = std::max(x1 - x0, 1.0);
  const double h = std::max(y1 - y0, 1.0);
  cairo_pattern_t* shade = cairo_pattern_create_radial(
      x0 + w * 0.36, y0 + h * 0.28, 0, x0 + w * 0.4, y0 + h * 0.35, std::hypot(w, h) * 0.72);
  const Rgb light = Lighter(base, 0.42);
  const Rgb dark = Darker(base, 0.28);
  cairo_pattern_add_color_stop_rgb(shade, 0.0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(shade, 0.45, base.r, base.g, base.b);
  cairo_pattern_add_color_stop_rgb(shade, 1.0, dark.r, dark.g, dark.b);
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  if (line > 0) {
    Outline(cr, line);
  } else {
    cairo_new_path(cr);
  }
}

void FlatFill(cairo_t* cr, Rgb base, double line) {
  SetColor(cr, base);
  cairo_fill_preserve(cr);
  if (line > 0) {
    Outline(cr, line);
  } else {
    cairo_new_path(cr);
  }
}

void ShadedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb base, double line) {
  cairo_new_path(cr);
  EllipsePath(cr, cx, cy, rx, ry);
  ShadedFill(cr, base, line);
}

void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_new_path(cr);
  EllipsePath(cr, cx, cy, rx, ry);
  SetColor(cr, palette::kWhite, alpha);
  cairo_fill(cr);
}

void Limb(cairo_t* cr, const std::vector<Point>& points, double width, Rgb colour, double line) {
  if (points.empty()) return;
  auto path = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
    if (points.size() == 1) cairo_line_to(cr, points[0].x + 0.01, points[0].y);
  };
  Saved saved(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  path();
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, width + 2 * line);
  cairo_stroke(cr);
  path();
  SetColor(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
  // A soft highlight streak on the upper-left side.
  cairo_translate(cr, -width * 0.16, -width * 0.16);
  path();
  SetColor(cr, Lighter(colour, 0.5), 0.55);
  cairo_set_line_width(cr, width * 0.32);
  cairo_stroke(cr);
}

namespace {

Point CatmullRom(Point p0, Point p1, Point p2, Point p3, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  auto f = [&](double a, double b, double c, double d) {
    return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                  (-a + 3 * b - 3 * c + d) * t3);
  };
  return {f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)};
}

}  // namespace

void TaperedStroke(cairo_t* cr, const std::vector<Point>& points, double startWidth,
                   double endWidth, Rgb colour, double line) {
  const std::size_t n = points.size();
  if (n < 2) return;
  constexpr int kSteps = 12;
  std::vector<Point> centre;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Point p0 = points[i == 0 ? 0 : i - 1];
    const Point p3 = points[std::min(i + 2, n - 1)];
    for (int s = 0; s < kSteps; ++s) {
      centre.push_back(CatmullRom(p0, points[i], points[i + 1], p3, double(s) / kSteps));
    }
  }
  centre.push_back(points[n - 1]);
  std::vector<Point> left, right;
  for (std::size_t i = 0; i < centre.size(); ++i) {
    const Point a = centre[i == 0 ? 0 : i - 1];
    const Point b = centre[std::min(i + 1, centre.size() - 1)];
    double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::max(std::hypot(dx, dy), 1e-6);
    dx /= len;
    dy /= len;
    const double t = double(i) / double(centre.size() - 1);
    const double half = (startWidth + (endWidth - startWidth) * t) / 2;
    left.push_back({centre[i].x - dy * half, centre[i].y + dx * half});
    right.push_back({centre[i].x + dy * half, centre[i].y - dx * half});
  }
  cairo_new_path(cr);
  cairo_move_to(cr, left[0].x, left[0].y);
  for (const Point& p : left) cairo_line_to(cr, p.x, p.y);
  // Round the far end.
  const Point end = centre.back();
  const double endHalf = std::max(endWidth / 2, 0.01);
  const Point lastDir{left.back().x - end.x, left.back().y - end.y};
  const double a0 = std::atan2(lastDir.y, lastDir.x);
  cairo_arc_negative(cr, end.x, end.y, endHalf, a0, a0 - std::numbers::pi);
  for (std::size_t i = right.size(); i-- > 0;) cairo_line_to(cr, right[i].x, right[i].y);
  cairo_close_path(cr);
  ShadedFill(cr, colour, line);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(glow, 0.4, c.r, c.g, c.b, alpha * 0.45);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, c.r, c.g, c.b, 0.0);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

void Sparkle(cairo_t* cr, double cx, double cy, double radius, double alpha) {
  if (radius <= 0 || alpha <= 0) return;
  Glow(cr, cx, cy, radius * 0.9, palette::kWhite, alpha * 0.6);
  cairo_new_path(cr);
  const double inner = radius * 0.16;
  for (int i = 0; i < 4; ++i) {
    const double a = i * std::numbers::pi / 2;
    const double b = a + std::numbers::pi / 4;
    const double tipX = cx + std::cos(a) * radius, tipY = cy + std::sin(a) * radius;
    const double inX = cx + std::cos(b) * inner, inY = cy + std::sin(b) * inner;
    if (i == 0) cairo_move_to(cr, tipX, tipY);
    cairo_line_to(cr, tipX, tipY);
    cairo_line_to(cr, inX, inY);
  }
  cairo_close_path(cr);
  SetColor(cr, palette::kWhite, alpha);
  cairo_fill(cr);
}

void MirrorX(cairo_t* cr, double centreX) {
  cairo_translate(cr, 2 * centreX, 0);
  cairo_scale(cr, -1, 1);
}

void RotateAbout(cairo_t* cr, double angle, double cx, double cy) {
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_translate(cr, -cx, -cy);
}

InkBox InkExtents(const std::function<void(cairo_t*)>& draw) {
  SurfacePtr recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
  {
    ContextPtr cr = MakeContext(recording.get());
    draw(cr.get());
  }
  double x, y, w, h;
  cairo_recording_surface_ink_extents(recording.get(), &x, &y, &w, &h);
  return {x, y, x + w, y + h};
}

Point FromDown(double angle, double length) {
  return {std::sin(angle) * length, std::cos(angle) * length};
}

}  // namespace assets::art
