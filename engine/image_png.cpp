// PNG through libpng. libpng reports errors by longjmp, so every function that
// calls setjmp keeps only trivially destructible locals: buffers are owned by the
// caller, which also destroys the libpng structures.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

#include "engine/image_codecs.h"

namespace engine {
namespace {

constexpr int kCompressionLevel = 6;

// libpng reads an ancillary chunk whole into memory, as long as its length field
// says. Nothing a texture uses comes near this; a forged length is refused.
constexpr png_alloc_size_t kMaxChunkBytes = 1 << 20;
// Text, profiles and palettes of suggestions mean nothing to a texture: skipped
// unread, so their contents never take memory either.
constexpr png_byte kSkippedChunks[] = {'t', 'E', 'X', 't', 0, 'z', 'T', 'X', 't', 0,
                                       'i', 'T', 'X', 't', 0, 'i', 'C', 'C', 'P', 0,
                                       's', 'P', 'L', 'T', 0, 'e', 'X', 'I', 'f', 0};
// Deflate packs at most 1032 bytes into one: a file smaller than its image data
// divided by this cannot hold the picture, however big its header says it is.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

struct MemoryReader {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->position) png_error(png, "truncated");
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    out->insert(out->end(), data, data + length);
  } catch (...) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

class PngReadStruct {
 public:
  PngReadStruct() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngReadStruct() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  PngReadStruct(const PngReadStruct&) = delete;
  PngReadStruct& operator=(const PngReadStruct&) = delete;

  bool ok() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

class PngWriteStruct {
 public:
  PngWriteStruct() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngWriteStruct() { png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr); }
  PngWriteStruct(const PngWriteStruct&) = delete;
  PngWriteStruct& operator=(const PngWriteStruct&) = delete;

  bool ok() const { return png_ != nullptr && info_ != nullptr; }
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// Whether a file of `fileSize` bytes can hold the compressed pixels of the
// image whose header has been read (interlaced or not, the rows hold at least
// every pixel's bits).
bool CanHoldImageData(png_structp png, png_infop info, std::size_t fileSize) {
  const std::uint64_t pixelBits = std::uint64_t{png_get_image_width(png, info)} *
                                  png_get_image_height(png, info) * png_get_channels(png, info) *
                                  png_get_bit_depth(png, info);
  return std::uint64_t{fileSize} * kMaxDeflateRatio * 8 >= pixelBits;
}

// Reads the header and sets up the conversion of every colour type and bit depth
// to 8-bit RGBA. False for a file that cannot hold the picture its header
// describes, before any pixel memory is asked for.
bool ReadHeader(png_structp png, png_infop info, std::size_t fileSize, png_uint_32* width,
                png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, codecs::kMaxDimension, codecs::kMaxDimension);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                              sizeof kSkippedChunks / 5);
  png_read_info(png, info);
  if (!CanHoldImageData(png, info, fileSize)) return false;
  const int colorType = png_get_color_type(png, info);
  png_set_expand(png);  // palette -> RGB, gray below 8 bits -> 8, tRNS -> alpha
  png_set_strip_16(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && png_get_valid(png, info, PNG_INFO_tRNS) == 0) {
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  return png_get_channels(png, info) == 4 && png_get_bit_depth(png, info) == 8 &&
         png_get_rowbytes(png, info) == std::size_t{*width} * 4;
}

// Reads the header from `source` and checks the size: false for anything the
// decoder refuses before its first row.
bool StartReading(const PngReadStruct& reader, MemoryReader& source, png_uint_32* width,
                  png_uint_32* height) {
  if (!reader.ok()) return false;
  png_set_read_fn(reader.png(), &source, ReadFromMemory);
  return ReadHeader(reader.png(), reader.info(), source.size, width, height) &&
         codecs::AcceptableSize(*width, *height);
}

// Reads every row, then the chunks up to IEND so that a file cut short after its
// image data is still refused.
bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

bool WriteAll(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
              png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kCompressionLevel);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

namespace codecs {

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes) {
  PngReadStruct reader;
  MemoryReader source{bytes.data(), bytes.size(), 0};
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  if (!StartReading(reader, source, &width, &height)) return std::nullopt;

  Image image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgba.resize(std::size_t{width} * height * 4);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.rgba.data() + std::size_t{y} * width * 4;
  if (!ReadRows(reader.png(), reader.info(), rows.data())) return std::nullopt;
  return image;
}

std::optional<Image> ReadPngSize(std::span<const std::uint8_t> bytes) {
  PngReadStruct reader;
  MemoryReader source{bytes.data(), bytes.size(), 0};
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  if (!StartReading(reader, source, &width, &height)) return std::nullopt;
  return Image{static_cast<int>(width), static_cast<int>(height), {}};
}

}  // namespace codecs

std::vector<std::uint8_t> EncodePng(const Image& image) {
  if (!codecs::AcceptableSize(image.width > 0 ? image.width : 0,
                              image.height > 0 ? image.height : 0) ||
      image.rgba.size() != std::size_t(image.width) * std::size_t(image.height) * 4) {
    throw std::invalid_argument("EncodePng: image size does not match its pixels");
  }
  std::vector<std::uint8_t> out;
  {
    PngWriteStruct writer;
    if (!writer.ok()) throw std::runtime_error("EncodePng: out of memory");
    png_set_write_fn(writer.png(), &out, WriteToMemory, FlushNothing);
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    const std::size_t stride = std::size_t(image.width) * 4;
    for (std::size_t y = 0; y < rows.size(); ++y) {
      // libpng only reads the rows it is given.
      rows[y] = const_cast<png_bytep>(image.rgba.data() + y * stride);
    }
    if (!WriteAll(writer.png(), writer.info(), static_cast<png_uint_32>(image.width),
                  static_cast<png_uint_32>(image.height), rows.data())) {
      throw std::runtime_error("EncodePng: libpng failed");
    }
  }
  return out;
}

}  // namespace engine
