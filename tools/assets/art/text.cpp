#include "tools/assets/art/text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <sstream>
#include <stdexcept>

namespace assets::art {
namespace {

// The FreeType library and face live as long as cairo keeps the font face,
// which may be longer than the Font object (cairo caches faces).
struct FaceOwner {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

void ReleaseFace(void* data) {
  auto* owner = static_cast<FaceOwner*>(data);
  FT_Done_Face(owner->face);
  FT_Done_FreeType(owner->library);
  delete owner;
}

const cairo_user_data_key_t kFaceOwnerKey{};

void UseFont(cairo_t* cr, const Font& font, double size) {
  cairo_set_font_face(cr, font.face());
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

}  // namespace

Font::Font(const std::filesystem::path& file) {
  auto owner = std::make_unique<FaceOwner>();
  if (FT_Init_FreeType(&owner->library) != 0) throw std::runtime_error("FreeType failed to start");
  if (FT_New_Face(owner->library, file.c_str(), 0, &owner->face) != 0) {
    FT_Done_FreeType(owner->library);
    throw std::runtime_error("cannot open the font " + file.string());
  }
  face_ = cairo_ft_font_face_create_for_ft_face(owner->face, FT_LOAD_NO_HINTING);
  if (cairo_font_face_set_user_data(face_, &kFaceOwnerKey, owner.get(), ReleaseFace) !=
      CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face_);
    FT_Done_Face(owner->face);
    FT_Done_FreeType(owner->library);
    throw std::runtime_error("cannot use the font " + file.string());
  }
  owner.release();
}

Font::~Font() {
  cairo_font_face_destroy(face_);
}

// The ink extents of the text laid out letter by letter with extra tracking.
cairo_text_extents_t Measure(cairo_t* cr, const std::string& s, double tracking) {
  cairo_text_extents_t ext;
  cairo_text_extents(cr, s.c_str(), &ext);
  if (tracking != 0 && s.size() > 1) ext.width += tracking * double(s.size() - 1);
  return ext;
}

double TextWidth(cairo_t* cr, const Font& font, std::string_view text, double size,
                 double tracking) {
  Saved saved(cr);
  UseFont(cr, font, size);
  return Measure(cr, std::string(text), tracking).width;
}

void TextPath(cairo_t* cr, const Font& font, std::string_view text, double size, double x, double y,
              Align align, double tracking) {
  const std::string s(text);
  cairo_save(cr);
  UseFont(cr, font, size);
  const cairo_text_extents_t ext = Measure(cr, s, tracking);
  double left = x - ext.x_bearing;
  if (align == Align::kCentre) left = x - ext.width / 2 - ext.x_bearing;
  if (align == Align::kRight) left = x - ext.width - ext.x_bearing;
  if (tracking == 0) {
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, s.c_str());
  } else {
    double pen = left;
    for (const char c : s) {
      const char letter[2] = {c, 0};
      cairo_move_to(cr, pen, y);
      cairo_text_path(cr, letter);
      cairo_text_extents_t one;
      cairo_text_extents(cr, letter, &one);
      pen += one.x_advance + tracking;
    }
  }
  cairo_restore(cr);  // the path survives save/restore
}

void DrawText(cairo_t* cr, const Font& font, std::string_view text, double size, double x, double y,
              Align align, const TextStyle& style) {
  Saved saved(cr);
  if (style.shadow > 0) {
    cairo_new_path(cr);
    TextPath(cr, font, text, size, x + style.shadow, y + style.shadow, align, style.tracking);
    SetColor(cr, palette::kOutline, 0.45);
    cairo_fill_preserve(cr);
    if (style.outline > 0) {
      cairo_set_line_width(cr, style.outline * 2);
      cairo_stroke(cr);
    }
    cairo_new_path(cr);
  }
  if (style.glow > 0) {
    // A halo built from wide, faint strokes: wider ones are fainter.
    constexpr int kRings = 8;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < kRings; ++i) {
      cairo_new_path(cr);
      TextPath(cr, font, text, size, x, y, align, style.tracking);
      SetColor(cr, style.glowColour, 0.11);
      cairo_set_line_width(cr, 2 * (style.outline + style.glow * (kRings - i) / kRings));
      cairo_stroke(cr);
    }
  }
  cairo_new_path(cr);
  TextPath(cr, font, text, size, x, y, align, style.tracking);
  if (style.outline > 0) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, style.outlineColour);
    cairo_set_line_width(cr, style.outline * 2);
    cairo_stroke_preserve(cr);
  }
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, y - size * 0.75, 0, y);
  cairo_pattern_add_color_stop_rgb(fill, 0, style.top.r, style.top.g, style.top.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, style.bottom.r, style.bottom.g, style.bottom.b);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
}

void DrawPlainText(cairo_t* cr, const Font& font, std::string_view text, double size, double x,
                   double y, Align align, Rgb colour) {
  Saved saved(cr);
  cairo_new_path(cr);
  TextPath(cr, font, text, size, x, y, align);
  SetColor(cr, colour);
  cairo_fill(cr);
}

std::vector<std::string> WrapText(cairo_t* cr, const Font& font, std::string_view text, double size,
                                  double width) {
  std::vector<std::string> lines;
  std::istringstream words{std::string(text)};
  std::string word, line;
  while (words >> word) {
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(cr, font, candidate, size) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

double DrawWrapped(cairo_t* cr, const Font& font, std::string_view text, double size, double x,
                   double y, double width, double lineHeight, Rgb colour) {
  for (const std::string& line : WrapText(cr, font, text, size, width)) {
    DrawPlainText(cr, font, line, size, x, y, Align::kLeft, colour);
    y += lineHeight;
  }
  return y;
}

}  // namespace assets::art
