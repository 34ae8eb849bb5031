// DDS: the top-level surface of uncompressed RGB(A) files described by channel
// masks (16, 24 or 32 bits per pixel) and of DXT1/DXT3/DXT5 files.
//
//   offset  size  field
//   0       4     "DDS "
//   4       4     header size (124)
//   12      4     height
//   16      4     width
//   76      4     pixel format size (32)
//   80      4     pixel format flags
//   84      4     FourCC
//   88      4     bits per pixel
//   92      16    red, green, blue, alpha masks
//   128     ...   pixel data, rows top to bottom, no padding
#include <squish.h>

#include <bit>
#include <cstring>

#include "engine/image_codecs.h"
#include "platform/little_endian.h"

namespace engine::codecs {
namespace {

constexpr std::size_t kHeaderEnd = 128;
constexpr std::uint32_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;
constexpr std::uint32_t kFlagFourCC = 0x4;
constexpr std::uint32_t kFlagRgb = 0x40;

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return platform::le::Read32(b.data() + at);
}

constexpr std::uint32_t FourCC(const char (&code)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

// One colour channel taken from a pixel by its mask and scaled to 0..255.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask), shift_(mask != 0 ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}
  std::uint8_t Extract(std::uint32_t pixel, std::uint8_t absent) const {
    if (mask_ == 0) return absent;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t max_;
};

// What the header says the surface is, once the data is known to hold all of it.
struct Layout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool compressed = false;
  int squishFlags = 0;            // compressed: which DXT
  std::size_t bytesPerPixel = 0;  // uncompressed
};

// Uncompressed: nullopt for another depth, no colour channel, or too few bytes.
std::optional<Layout> MaskedLayout(std::span<const std::uint8_t> header, std::size_t dataSize,
                                   std::uint32_t width, std::uint32_t height) {
  const std::uint32_t bits = Get32(header, 88);
  if (bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  if (Get32(header, 92) == 0 && Get32(header, 96) == 0 && Get32(header, 100) == 0) {
    return std::nullopt;
  }
  const std::size_t bytesPerPixel = bits / 8;
  if (dataSize < std::size_t{width} * height * bytesPerPixel) return std::nullopt;
  return Layout{width, height, false, 0, bytesPerPixel};
}

// DXT1/3/5: nullopt for another FourCC or too few blocks.
std::optional<Layout> DxtLayout(std::uint32_t fourCC, std::size_t dataSize, std::uint32_t width,
                                std::uint32_t height) {
  int flags = 0;
  std::size_t blockBytes = 16;
  if (fourCC == FourCC("DXT1")) {
    flags = squish::kDxt1;
    blockBytes = 8;
  } else if (fourCC == FourCC("DXT3")) {
    flags = squish::kDxt3;
  } else if (fourCC == FourCC("DXT5")) {
    flags = squish::kDxt5;
  } else {
    return std::nullopt;
  }
  const std::size_t blocks = std::size_t{(width + 3) / 4} * ((height + 3) / 4);
  if (dataSize < blocks * blockBytes) return std::nullopt;
  return Layout{width, height, true, flags, 0};
}

// Every check the decoder makes: a file with a layout decodes.
std::optional<Layout> ReadLayout(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderEnd || std::memcmp(bytes.data(), "DDS ", 4) != 0 ||
      Get32(bytes, 4) != kHeaderSize || Get32(bytes, 76) != kPixelFormatSize) {
    return std::nullopt;
  }
  const std::uint32_t height = Get32(bytes, 12);
  const std::uint32_t width = Get32(bytes, 16);
  if (!AcceptableSize(width, height)) return std::nullopt;

  const std::uint32_t formatFlags = Get32(bytes, 80);
  const std::size_t dataSize = bytes.size() - kHeaderEnd;
  if ((formatFlags & kFlagFourCC) != 0) return DxtLayout(Get32(bytes, 84), dataSize, width, height);
  if ((formatFlags & kFlagRgb) != 0) return MaskedLayout(bytes, dataSize, width, height);
  return std::nullopt;
}

void FillMasked(std::span<const std::uint8_t> header, std::span<const std::uint8_t> data,
                std::size_t bytesPerPixel, Image& image) {
  const Channel red(Get32(header, 92));
  const Channel green(Get32(header, 96));
  const Channel blue(Get32(header, 100));
  // An alpha mask is taken as meaning alpha even when the alpha-pixels flag is
  // missing, as common loaders do; files without alpha leave the mask 0.
  const Channel alpha(Get32(header, 104));
  const std::size_t pixels = image.rgba.size() / 4;
  for (std::size_t i = 0; i < pixels; ++i) {
    std::uint32_t pixel = 0;
    for (std::size_t k = 0; k < bytesPerPixel; ++k) {
      pixel |= static_cast<std::uint32_t>(data[i * bytesPerPixel + k]) << (8 * k);
    }
    std::uint8_t* out = &image.rgba[i * 4];
    out[0] = red.Extract(pixel, 0);
    out[1] = green.Extract(pixel, 0);
    out[2] = blue.Extract(pixel, 0);
    out[3] = alpha.Extract(pixel, 255);
  }
}

}  // namespace

std::optional<Image> DecodeDds(std::span<const std::uint8_t> bytes) {
  const std::optional<Layout> layout = ReadLayout(bytes);
  if (!layout) return std::nullopt;
  Image image;
  image.width = static_cast<int>(layout->width);
  image.height = static_cast<int>(layout->height);
  image.rgba.resize(std::size_t{layout->width} * layout->height * 4);
  const auto data = bytes.subspan(kHeaderEnd);
  if (layout->compressed) {
    squish::DecompressImage(image.rgba.data(), image.width, image.height, data.data(),
                            layout->squishFlags);
  } else {
    FillMasked(bytes, data, layout->bytesPerPixel, image);
  }
  return image;
}

std::optional<Image> ReadDdsSize(std::span<const std::uint8_t> bytes) {
  const std::optional<Layout> layout = ReadLayout(bytes);
  if (!layout) return std::nullopt;
  return Image{static_cast<int>(layout->width), static_cast<int>(layout->height), {}};
}

}  // namespace engine::codecs
