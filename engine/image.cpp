#include "engine/image.h"

#include <stdexcept>
#include <string>

#include "engine/image_codecs.h"
#include "engine/image_format.h"
#include "platform/atomic_file.h"

namespace engine {

std::optional<Image> DecodeImage(std::span<const std::uint8_t> bytes) {
  switch (SniffImageFormat(bytes)) {
    case ImageFormat::kPng:
      return codecs::DecodePng(bytes);
    case ImageFormat::kDds:
      return codecs::DecodeDds(bytes);
    case ImageFormat::kUnknown:
      break;
  }
  return std::nullopt;
}

std::optional<Image> ReadImageSize(std::span<const std::uint8_t> bytes) {
  switch (SniffImageFormat(bytes)) {
    case ImageFormat::kPng:
      return codecs::ReadPngSize(bytes);
    case ImageFormat::kDds:
      return codecs::ReadDdsSize(bytes);
    case ImageFormat::kUnknown:
      break;
  }
  return std::nullopt;
}

void WritePng(const std::filesystem::path& path, const Image& image) {
  const std::vector<std::uint8_t> bytes = EncodePng(image);
  try {
    platform::WriteFileAtomically(path, bytes);
  } catch (const std::runtime_error&) {
    throw;  // already names the file
  } catch (const std::exception& e) {
    throw std::runtime_error(path.string() + ": " + e.what());
  }
}

}  // namespace engine
