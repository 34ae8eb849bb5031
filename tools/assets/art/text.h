// Lettering for pictures: the game's face (Comic Neue Bold) opened with FreeType
// straight from its file, so no font lookup can pick another face, and drawn as
// unhinted outlines so every run gives the same pixels.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/assets/art/canvas.h"

namespace assets::art {

inline constexpr const char* kLetteringFontFile =
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";

class Font {
 public:
  // Throws std::runtime_error naming the file when it cannot be opened.
  explicit Font(const std::filesystem::path& file = kLetteringFontFile);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  cairo_font_face_t* face() const { return face_; }

 private:
  cairo_font_face_t* face_ = nullptr;
};

enum class Align { kLeft, kCentre, kRight };

// Width of the text's ink at this size (pixels in the current user space), with
// `tracking` extra pixels between letters.
double TextWidth(cairo_t* cr, const Font& font, std::string_view text, double size,
                 double tracking = 0);

// Adds the outline of the text to the current path: the baseline at y, the
// anchor x at the left end, the middle or the right end of the ink.
void TextPath(cairo_t* cr, const Font& font, std::string_view text, double size, double x, double y,
              Align align, double tracking = 0);

struct TextStyle {
  Rgb top = palette::kYellow;     // fill colour at the top of the letters
  Rgb bottom = palette::kOrange;  // and at the baseline
  double outline = 0;             // dark outline width (0: none)
  Rgb outlineColour = palette::kOutline;
  double shadow = 0;    // drop-shadow offset (0: none)
  double glow = 0;      // width of a soft halo around the letters (0: none)
  double tracking = 0;  // extra space between letters
  Rgb glowColour = palette::kWhite;
};

// Fills (and outlines) the text, with a vertical gradient from top to bottom.
void DrawText(cairo_t* cr, const Font& font, std::string_view text, double size, double x, double y,
              Align align, const TextStyle& style);

// Plain one-colour text.
void DrawPlainText(cairo_t* cr, const Font& font, std::string_view text, double size, double x,
                   double y, Align align, Rgb colour);

// Splits text into lines no wider than width at this size (words are kept whole).
std::vector<std::string> WrapText(cairo_t* cr, const Font& font, std::string_view text, double size,
                                  double width);

// Draws wrapped text from the top line's baseline y, lines lineHeight apart;
// returns the baseline y below the last line.
double DrawWrapped(cairo_t* cr, const Font& font, std::string_view text, double size, double x,
                   double y, double width, double lineHeight, Rgb colour);

}  // namespace assets::art
