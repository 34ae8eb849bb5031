#include "engine/image_format.h"

#include <algorithm>
#include <array>

namespace engine {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::array<std::uint8_t, 4> kDdsMagic = {'D', 'D', 'S', ' '};

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& prefix) {
  return bytes.size() >= N && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

}  // namespace

ImageFormat SniffImageFormat(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, kPngSignature)) return ImageFormat::kPng;
  if (StartsWith(bytes, kDdsMagic)) return ImageFormat::kDds;
  return ImageFormat::kUnknown;
}

const char* ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::kPng:
      return "png";
    case ImageFormat::kDds:
      return "dds";
    case ImageFormat::kUnknown:
      break;
  }
  return "unknown";
}

}  // namespace engine
