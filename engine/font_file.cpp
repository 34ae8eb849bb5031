#include "engine/font_file.h"

#include <cstring>

#include "platform/little_endian.h"

namespace engine {
namespace {

constexpr char kMagic[4] = {'Z', 'W', 'I', 'D'};
constexpr std::size_t kHeaderSize = 20;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
  return platform::le::Read16(b.data() + at);
}

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return platform::le::Read32(b.data() + at);
}

}  // namespace

std::vector<std::uint8_t> EncodeFontFile(const FontFile& font) {
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  Put16(out, FontFile::kVersion);
  Put16(out, font.cellWidth);
  Put16(out, font.cellHeight);
  Put16(out, font.firstChar);
  Put16(out, static_cast<std::uint16_t>(font.glyphs.size()));
  Put16(out, 0);
  Put32(out, static_cast<std::uint32_t>(font.atlasPng.size()));
  for (const FontGlyph& g : font.glyphs) {
    Put16(out, g.x);
    Put16(out, g.y);
    Put16(out, g.w);
    Put16(out, g.h);
  }
  out.insert(out.end(), font.atlasPng.begin(), font.atlasPng.end());
  return out;
}

std::optional<FontFile> DecodeFontFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, 4) != 0 ||
      Get16(bytes, 4) != FontFile::kVersion) {
    return std::nullopt;
  }
  FontFile font;
  font.cellWidth = Get16(bytes, 6);
  font.cellHeight = Get16(bytes, 8);
  font.firstChar = Get16(bytes, 10);
  const std::size_t count = Get16(bytes, 12);
  const std::size_t atlasSize = Get32(bytes, 16);
  const std::size_t atlasAt = kHeaderSize + 8 * count;
  if (bytes.size() < atlasAt || bytes.size() - atlasAt < atlasSize) return std::nullopt;
  font.glyphs.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeaderSize + 8 * i;
    font.glyphs[i] = {Get16(bytes, at), Get16(bytes, at + 2), Get16(bytes, at + 4),
                      Get16(bytes, at + 6)};
  }
  font.atlasPng.assign(bytes.begin() + atlasAt, bytes.begin() + atlasAt + atlasSize);
  return font;
}

}  // namespace engine
