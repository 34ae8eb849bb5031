#include "tools/assets/art/sheets.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "tools/assets/art/canvas.h"
#include "tools/assets/art/catalog.h"
#include "tools/assets/art/parallel.h"
#include "tools/assets/art/text.h"

namespace assets::art {
namespace {

constexpr double kMaxSheetWidth = 1600;
constexpr double kGap = 12;
constexpr double kLabel = 20;
constexpr double kTitle = 36;

struct Entry {
  const PictureSet* set;
  std::size_t index;
  SurfacePtr surface;
};

// How much larger than drawn size a picture is shown: small sprites are enlarged.
double DisplayScale(const ImageRecipe& image) {
  const int size = std::max(image.width, image.height);
  if (size <= 64) return 2.0;
  if (size <= 128) return 1.5;
  if (size <= 320) return 1.0;
  if (size <= 640) return 0.75;
  return 0.5;
}

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  Saved saved(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  constexpr double kSquare = 8;
  for (int row = 0; row * kSquare < h; ++row) {
    for (int col = 0; col * kSquare < w; ++col) {
      const double shade = (row + col) % 2 == 0 ? 0.86 : 0.74;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x + col * kSquare, y + row * kSquare, kSquare, kSquare);
      cairo_fill(cr);
    }
  }
}

void DrawCell(cairo_t* cr, const Font& font, const Entry& entry, double x, double y) {
  const ImageRecipe& image = entry.set->images[entry.index];
  const double s = DisplayScale(image);
  const double w = image.width * s, h = image.height * s;
  std::string label = std::to_string(entry.index);
  if (!entry.set->packed) label = entry.set->file;
  DrawPlainText(cr, font, label, 14, x, y + 15, Align::kLeft, {0.1, 0.1, 0.15});
  const double top = y + kLabel;
  Checkerboard(cr, x, top, w, h);
  {
    Saved saved(cr);
    cairo_translate(cr, x, top);
    cairo_scale(cr, s / image.factor, s / image.factor);
    cairo_set_source_surface(cr, entry.surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
  }
  cairo_set_line_width(cr, 1);
  if (entry.set->standLine) {
    const double ly = top + *entry.set->standLine * s;
    cairo_move_to(cr, x, ly);
    cairo_line_to(cr, x + w, ly);
    cairo_set_source_rgba(cr, 0.0, 0.6, 0.1, 0.9);
    cairo_stroke(cr);
  }
  if (entry.set->box) {
    const Box& b = *entry.set->box;
    cairo_rectangle(cr, x + b.left * s, top + b.top * s, b.width * s, b.height * s);
    cairo_set_source_rgba(cr, 0.9, 0.0, 0.1, 0.9);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, x + 0.5, top + 0.5, w - 1, h - 1);
  cairo_set_source_rgba(cr, 0.3, 0.3, 0.4, 0.6);
  cairo_stroke(cr);
}

void WriteSheet(const Font& font, const std::string& name, const std::vector<Entry>& entries,
                const std::filesystem::path& file) {
  // Lay the cells out in rows of equal height per row.
  struct Placed {
    const Entry* entry;
    double x, y;
  };
  std::vector<Placed> placed;
  double x = kGap, y = kTitle, rowHeight = 0, width = 0;
  for (const Entry& entry : entries) {
    const ImageRecipe& image = entry.set->images[entry.index];
    const double s = DisplayScale(image);
    const double w = image.width * s, h = image.height * s + kLabel;
    if (x > kGap && x + w > kMaxSheetWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    placed.push_back({&entry, x, y});
    x += w + kGap;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, h);
  }
  const int sheetW = static_cast<int>(std::ceil(std::max(width, 300.0)));
  const int sheetH = static_cast<int>(std::ceil(y + rowHeight + kGap));
  SurfacePtr sheet = MakeSurface(sheetW, sheetH);
  ContextPtr cr = MakeContext(sheet.get());
  cairo_set_source_rgb(cr.get(), 0.97, 0.97, 0.95);
  cairo_paint(cr.get());
  DrawPlainText(cr.get(), font, name, 24, kGap, 27, Align::kLeft, {0.1, 0.1, 0.2});
  for (const Placed& p : placed) DrawCell(cr.get(), font, *p.entry, p.x, p.y);
  const std::vector<std::uint8_t> png = EncodePng(sheet.get());
  platform::WriteFileAtomically(file, png);
}

}  // namespace

void WriteContactSheets(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  const Font font;
  const std::vector<PictureSet> sets = Catalog(font);
  std::vector<Entry> all;
  for (const PictureSet& set : sets) {
    for (std::size_t i = 0; i < set.images.size(); ++i) all.push_back({&set, i, nullptr});
  }
  ParallelFor(all.size(),
              [&](std::size_t i) { all[i].surface = Render(all[i].set->images[all[i].index]); });
  std::map<std::string, std::vector<Entry>> sheets;
  std::vector<std::string> order;
  for (Entry& entry : all) {
    const std::string& name = entry.set->sheet;
    if (!sheets.count(name)) order.push_back(name);
    sheets[name].push_back(std::move(entry));
  }
  for (const std::string& name : order) {
    WriteSheet(font, name, sheets[name], dir / (name + ".png"));
  }
}

}  // namespace assets::art
