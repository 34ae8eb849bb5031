// Cairo helpers shared by every picture: the palette, owned surfaces, shaded and
// outlined shapes, limbs drawn as thick outlined strokes, and PNG encoding.
// Drawing functions work in "drawn" pixels (the size the game shows a picture
// at); a surface made at k times that size is simply scaled by k first.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

namespace assets::art {

inline constexpr double kPi = std::numbers::pi;

struct Rgb {
  double r = 0;
  double g = 0;
  double b = 0;
};

struct Point {
  double x = 0;
  double y = 0;
};

// Mixes a toward b by t (0 = a, 1 = b).
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // toward white
Rgb Darker(Rgb c, double t);   // toward black

// One palette for the whole game: bright cartoon colours, dark purple outlines.
namespace palette {
inline constexpr Rgb kOutline{0.16, 0.10, 0.22};
inline constexpr Rgb kWhite{1.0, 1.0, 1.0};
inline constexpr Rgb kSuit{0.95, 0.94, 0.91};
inline constexpr Rgb kOrange{1.0, 0.55, 0.16};
inline constexpr Rgb kRed{0.91, 0.26, 0.25};
inline constexpr Rgb kYellow{1.0, 0.83, 0.25};
inline constexpr Rgb kGold{0.96, 0.70, 0.18};
inline constexpr Rgb kSky{0.43, 0.78, 0.94};
inline constexpr Rgb kDeepBlue{0.18, 0.30, 0.62};
inline constexpr Rgb kVisor{0.12, 0.22, 0.45};
inline constexpr Rgb kGreen{0.45, 0.78, 0.30};
inline constexpr Rgb kDarkGreen{0.22, 0.52, 0.20};
inline constexpr Rgb kToothy{0.49, 0.80, 0.27};
inline constexpr Rgb kBlue{0.29, 0.56, 0.93};
inline constexpr Rgb kMouse{0.66, 0.67, 0.72};
inline constexpr Rgb kPink{0.97, 0.62, 0.70};
inline constexpr Rgb kKangaroo{0.86, 0.55, 0.26};
inline constexpr Rgb kKangarooBelly{0.97, 0.82, 0.58};
inline constexpr Rgb kRaven{0.23, 0.21, 0.33};
inline constexpr Rgb kPurple{0.56, 0.36, 0.78};
inline constexpr Rgb kCream{1.0, 0.96, 0.86};
inline constexpr Rgb kBrown{0.62, 0.40, 0.22};
inline constexpr Rgb kStone{0.60, 0.60, 0.66};
inline constexpr Rgb kIce{0.70, 0.90, 1.0};
inline constexpr Rgb kMouthInside{0.45, 0.08, 0.14};
inline constexpr Rgb kTongue{0.96, 0.42, 0.50};
}  // namespace palette

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// A transparent ARGB32 surface of width x height pixels; throws on failure.
SurfacePtr MakeSurface(int width, int height);
ContextPtr MakeContext(cairo_surface_t* surface);

// Deterministic PNG bytes of an image surface (cairo's own PNG writer).
std::vector<std::uint8_t> EncodePng(cairo_surface_t* surface);

// Drawing state -------------------------------------------------------------

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Path builders (they start a new sub-path, they do not fill).
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
void PolygonPath(cairo_t* cr, const std::vector<Point>& points);
// A five-pointed star, points `outer` and notches `inner` from the centre,
// its first point up and turned by `turn` radians.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double turn);
// A closed smooth curve through the points (Catmull-Rom turned into Béziers).
void SmoothClosedPath(cairo_t* cr, const std::vector<Point>& points);
// An open smooth curve through the points.
void SmoothOpenPath(cairo_t* cr, const std::vector<Point>& points);

// Fills the current path with soft cartoon shading: light toward the top-left,
// the base colour in the middle and a darker rim, then outlines it. Keeps nothing.
void ShadedFill(cairo_t* cr, Rgb base, double line);
// Fills the current path (and keeps it) with a vertical gradient from `top` at
// y0 to `bottom` at y1.
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);
// Flat fill plus outline.
void FlatFill(cairo_t* cr, Rgb base, double line);
// Outline only, in the outline colour.
void Outline(cairo_t* cr, double line);

// A shaded ellipse with an outline.
void ShadedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb base, double line);

// A white glossy spot.
void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.7);

// A thick rounded stroke through the points with a dark outline around it: arms,
// legs, tails. The colour stroke carries a thin lighter highlight.
void Limb(cairo_t* cr, const std::vector<Point>& points, double width, Rgb colour, double line);

// A stroke of varying width (start to end) through the points, filled and outlined.
void TaperedStroke(cairo_t* cr, const std::vector<Point>& points, double startWidth,
                   double endWidth, Rgb colour, double line);

// A soft round glow (radial gradient to transparent).
void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha);

// A four-pointed sparkle star.
void Sparkle(cairo_t* cr, double cx, double cy, double radius, double alpha);

// Scoped cairo_save/cairo_restore.
class Saved {
 public:
  explicit Saved(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
  ~Saved() { cairo_restore(cr_); }
  Saved(const Saved&) = delete;
  Saved& operator=(const Saved&) = delete;

 private:
  cairo_t* cr_;
};

// Mirrors the x axis about x = centreX (a figure drawn facing right then faces left).
void MirrorX(cairo_t* cr, double centreX);

// Rotates about (cx, cy).
void RotateAbout(cairo_t* cr, double angle, double cx, double cy);

// The bounding box of everything `draw` puts down, in its user space (drawn on
// a recording surface, nothing is rasterised). Empty drawings give a zero box.
struct InkBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};
InkBox InkExtents(const std::function<void(cairo_t*)>& draw);

// Direction of a unit vector at angle a measured from straight down, toward +x.
Point FromDown(double angle, double length);

}  // namespace assets::art
