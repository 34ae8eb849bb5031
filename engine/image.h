// Decoded pictures and the image codecs the engine reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace engine {

// 8-bit RGBA, straight (not premultiplied) alpha, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes
};

// Decodes PNG or DDS (uncompressed 32/24-bit, DXT1, DXT3, DXT5) recognised by
// content, not by name. nullopt for anything else, a truncated or corrupt file,
// or an empty span.
std::optional<Image> DecodeImage(std::span<const std::uint8_t> bytes);

// The picture's width and height with no pixels (rgba empty), for a program
// that never draws; the size is the one DecodeImage gives. A DDS file is checked
// as fully as DecodeImage checks it, a PNG file up to its first row: one whose
// compressed rows are damaged gives its size here and nullopt there.
std::optional<Image> ReadImageSize(std::span<const std::uint8_t> bytes);

// Whether the image holds its pixels (not only its size): only those are drawn.
inline bool HasPixels(const Image& image) {
  return image.width > 0 && image.height > 0 &&
         image.rgba.size() == static_cast<std::size_t>(image.width) * image.height * 4;
}

// PNG encoding, deterministic for the same pixels.
std::vector<std::uint8_t> EncodePng(const Image& image);
// Throws std::runtime_error naming the file when it cannot be written.
void WritePng(const std::filesystem::path& path, const Image& image);

}  // namespace engine
