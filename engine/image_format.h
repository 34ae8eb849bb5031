// Recognises the picture formats the engine decodes by their first bytes.
#pragma once

#include <cstdint>
#include <span>

namespace engine {

enum class ImageFormat { kUnknown, kPng, kDds };

ImageFormat SniffImageFormat(std::span<const std::uint8_t> bytes);

// "png", "dds" or "unknown".
const char* ImageFormatName(ImageFormat format);

}  // namespace engine
