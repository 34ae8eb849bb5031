// The .wid font file: a monospaced bitmap font.
//
//   offset  size  field
//   0       4     magic "ZWID"
//   4       2     version (1)
//   6       2     cell width in atlas pixels
//   8       2     cell height in atlas pixels (twice the width: cells are 1:2)
//   10      2     code of the first glyph (32 for printable ASCII)
//   12      2     glyph count n
//   14      2     reserved, 0
//   16      4     atlas size in bytes
//   20      8n    glyph table: x, y, w, h of each glyph's cell in the atlas
//   20+8n   ...   atlas: a PNG, white glyphs on transparent
// All integers are little-endian. A glyph is drawn stretched over its text cell.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine {

struct FontGlyph {
  std::uint16_t x = 0;
  std::uint16_t y = 0;
  std::uint16_t w = 0;
  std::uint16_t h = 0;
};

struct FontFile {
  static constexpr std::uint16_t kVersion = 1;
  std::uint16_t cellWidth = 0;
  std::uint16_t cellHeight = 0;
  std::uint16_t firstChar = 32;
  std::vector<FontGlyph> glyphs;
  std::vector<std::uint8_t> atlasPng;
};

std::vector<std::uint8_t> EncodeFontFile(const FontFile& font);
// nullopt when the bytes are not a complete version-1 font file.
std::optional<FontFile> DecodeFontFile(std::span<const std::uint8_t> bytes);

}  // namespace engine
