#include "tools/assets/font_and_particles.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/image.h"
#include "platform/atomic_file.h"
#include "tools/assets/art/text.h"

namespace assets {
namespace {

constexpr int kAtlasColumns = 16;
constexpr int kAtlasRows = (kFontGlyphCount + kAtlasColumns - 1) / kAtlasColumns;
constexpr double kCellMargin = 4.0;  // clear pixels around every glyph's ink
constexpr double kMeasureSize = 100.0;

std::string GlyphText(int index) {
  return std::string(1, static_cast<char>(kFontFirstChar + index));
}

// Unhinted outlines with grey anti-aliasing: smooth edges, and the same pixels
// on every run.
void UseFace(cairo_t* cr, const art::Font& font, double size) {
  cairo_set_font_face(cr, font.face());
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

cairo_text_extents_t Extents(cairo_t* cr, int index) {
  cairo_text_extents_t ext;
  cairo_text_extents(cr, GlyphText(index).c_str(), &ext);
  return ext;
}

// Draws every glyph into its cell of an A8 surface. All glyphs share one size
// and one baseline, chosen so the tallest ascender and the deepest descender
// fit the cell height; a glyph wider than its cell is narrowed to fit.
void DrawGlyphs(cairo_t* cr, const art::Font& font) {
  UseFace(cr, font, kMeasureSize);
  double top = 0.0;
  double bottom = 0.0;
  for (int i = 0; i < kFontGlyphCount; ++i) {
    const cairo_text_extents_t ext = Extents(cr, i);
    if (ext.width <= 0.0) continue;
    top = std::min(top, ext.y_bearing);
    bottom = std::max(bottom, ext.y_bearing + ext.height);
  }
  const double size = kMeasureSize * (kFontCellHeight - 2 * kCellMargin) / (bottom - top);
  const double baseline = kCellMargin - top * size / kMeasureSize;
  const double roomWidth = kFontCellWidth - 2 * kCellMargin;

  UseFace(cr, font, size);
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  for (int i = 0; i < kFontGlyphCount; ++i) {
    const cairo_text_extents_t ext = Extents(cr, i);
    if (ext.width <= 0.0) continue;
    const double squeeze = std::min(1.0, roomWidth / ext.width);
    const double cellX = (i % kAtlasColumns) * kFontCellWidth;
    const double cellY = (i / kAtlasColumns) * kFontCellHeight;
    // The underscore goes down to the descender line, so the game's
    // underlined fields keep full stops and commas readable above it.
    const double drop =
        GlyphText(i) == "_"
            ? std::max(0.0, kFontCellHeight - kCellMargin - (baseline + ext.y_bearing + ext.height))
            : 0.0;
    cairo_save(cr);
    cairo_translate(cr, cellX + kFontCellWidth / 2.0, cellY + baseline + drop);
    cairo_scale(cr, squeeze, 1.0);
    cairo_move_to(cr, -(ext.x_bearing + ext.width / 2.0), 0.0);
    cairo_show_text(cr, GlyphText(i).c_str());
    cairo_restore(cr);
  }
}

// White everywhere, the coverage as alpha.
engine::Image CoverageToImage(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  engine::Image image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  image.rgba.assign(static_cast<std::size_t>(image.width) * image.height * 4, 255);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3] = data[y * stride + x];
    }
  }
  return image;
}

// Alpha of the glow at distance r from the centre (1 = the texture's edge): a
// wide soft halo that reaches 0 smoothly at the edge plus a bright core.
double GlowAlpha(double r) {
  if (r >= 1.0) return 0.0;
  const double halo = (1.0 - r * r) * (1.0 - r * r);
  const double core = std::exp(-r * r / (2.0 * 0.18 * 0.18));
  return std::min(1.0, 0.55 * halo + 0.45 * core);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

engine::FontFile BakeFont() {
  const art::Font font;
  const int width = kAtlasColumns * kFontCellWidth;
  const int height = kAtlasRows * kFontCellHeight;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
  cairo_t* cr = cairo_create(surface);
  DrawGlyphs(cr, font);
  const cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::runtime_error(std::string("font atlas: ") + cairo_status_to_string(status));
  }
  const engine::Image atlas = CoverageToImage(surface);
  cairo_surface_destroy(surface);

  engine::FontFile file;
  file.cellWidth = kFontCellWidth;
  file.cellHeight = kFontCellHeight;
  file.firstChar = kFontFirstChar;
  for (int i = 0; i < kFontGlyphCount; ++i) {
    file.glyphs.push_back({static_cast<std::uint16_t>((i % kAtlasColumns) * kFontCellWidth),
                           static_cast<std::uint16_t>((i / kAtlasColumns) * kFontCellHeight),
                           kFontCellWidth, kFontCellHeight});
  }
  file.atlasPng = engine::EncodePng(atlas);
  return file;
}

void WriteFont(const std::filesystem::path& dataDir) {
  const std::filesystem::path dir = dataDir / "_font";
  std::filesystem::create_directories(dir);
  platform::WriteFileAtomically(dir / "BubbleGum.wid", engine::EncodeFontFile(BakeFont()));
}

std::vector<std::uint8_t> ParticleTextureDds() {
  constexpr std::uint32_t kSize = kParticleSize;
  std::vector<std::uint8_t> out = {'D', 'D', 'S', ' '};
  Put32(out, 124);                             // header size
  Put32(out, 0x100F);                          // caps, height, width, pitch, pixel format present
  Put32(out, kSize);                           // height
  Put32(out, kSize);                           // width
  Put32(out, kSize * 4);                       // pitch
  for (int i = 0; i < 13; ++i) Put32(out, 0);  // depth, mipmaps, reserved
  Put32(out, 32);                              // pixel format size
  Put32(out, 0x41);                            // RGB with alpha
  Put32(out, 0);                               // no FourCC
  Put32(out, 32);                              // bits per pixel
  Put32(out, 0x00FF0000);                      // red mask
  Put32(out, 0x0000FF00);                      // green mask
  Put32(out, 0x000000FF);                      // blue mask
  Put32(out, 0xFF000000);                      // alpha mask
  Put32(out, 0x1000);                          // a texture
  for (int i = 0; i < 4; ++i) Put32(out, 0);   // caps 2..4, reserved
  const double centre = kSize / 2.0;
  for (std::uint32_t y = 0; y < kSize; ++y) {
    for (std::uint32_t x = 0; x < kSize; ++x) {
      const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre) / centre;
      const auto alpha = static_cast<std::uint8_t>(std::lround(255.0 * GlowAlpha(r)));
      out.insert(out.end(), {255, 255, 255, alpha});  // B, G, R, A
    }
  }
  return out;
}

void WriteParticleTexture(const std::filesystem::path& dataDir) {
  std::filesystem::create_directories(dataDir);
  platform::WriteFileAtomically(dataDir / "particle_clot.dds", ParticleTextureDds());
}

}  // namespace assets
