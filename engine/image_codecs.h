// The individual decoders behind engine::DecodeImage. Each expects the bytes of
// its own format and returns nullopt for anything it cannot fully decode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/image.h"

namespace engine::codecs {

// Pictures larger than this are refused before any pixel memory is allocated,
// so a forged header cannot make the decoder ask for gigabytes.
inline constexpr std::uint32_t kMaxDimension = 16384;
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

inline bool AcceptableSize(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxDimension && height <= kMaxDimension &&
         width * height <= kMaxPixels;
}

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes);
std::optional<Image> DecodeDds(std::span<const std::uint8_t> bytes);
// The size alone, with no pixels (see ReadImageSize).
std::optional<Image> ReadPngSize(std::span<const std::uint8_t> bytes);
std::optional<Image> ReadDdsSize(std::span<const std::uint8_t> bytes);

}  // namespace engine::codecs
