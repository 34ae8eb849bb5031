// Decoded pictures and the image codecs the engine reads.
#pragma once

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

// PNG encoding, deterministic for the same pixels.
std::vector<std::uint8_t> EncodePng(const Image& image);
// Throws std::runtime_error naming the file when it cannot be written.
void WritePng(const std::filesystem::path& path, const Image& image);

}  // namespace engine
