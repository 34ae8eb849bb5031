#include "engine/image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <squish.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<std::uint8_t, 4>;

std::vector<Pixel> Pixels(const engine::Image& image) {
  std::vector<Pixel> pixels(image.rgba.size() / 4);
  std::memcpy(pixels.data(), image.rgba.data(), pixels.size() * 4);
  return pixels;
}

// --- PNG files written with libpng itself, in any colour type -----------------

struct PngFile {
  int width = 1;
  int height = 1;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  Bytes rows;  // packed rows, each (width * channels * bitDepth + 7) / 8 bytes
  std::vector<png_color> palette;
  Bytes paletteAlpha;                       // tRNS for palette images
  std::optional<png_color_16> transparent;  // tRNS for gray and RGB images
  bool headerOnly = false;

  PngFile& WithPalette(std::vector<png_color> colours, Bytes alpha = {}) {
    palette = std::move(colours);
    paletteAlpha = std::move(alpha);
    return *this;
  }
  PngFile& WithTransparentGray(std::uint16_t gray) {
    transparent = png_color_16{0, 0, 0, 0, gray};
    return *this;
  }
  PngFile& Interlaced() {
    interlaced = true;
    return *this;
  }
};

PngFile Png(int width, int height, int colorType, int bitDepth, Bytes rows) {
  PngFile file;
  file.width = width;
  file.height = height;
  file.colorType = colorType;
  file.bitDepth = bitDepth;
  file.rows = std::move(rows);
  return file;
}

PngFile PngHeaderOnly(int width, int height) {
  PngFile file = Png(width, height, PNG_COLOR_TYPE_RGB, 8, {});
  file.headerOnly = true;
  return file;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

bool WritePngFile(png_structp png, png_infop info, const PngFile* file, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, file->width, file->height, file->bitDepth, file->colorType,
               file->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!file->palette.empty()) {
    png_set_PLTE(png, info, file->palette.data(), static_cast<int>(file->palette.size()));
  }
  if (!file->paletteAlpha.empty()) {
    png_set_tRNS(png, info, file->paletteAlpha.data(), static_cast<int>(file->paletteAlpha.size()),
                 nullptr);
  }
  if (file->transparent) png_set_tRNS(png, info, nullptr, 0, &*file->transparent);
  png_write_info(png, info);
  if (file->headerOnly) {
    png_write_flush(png);
    return true;
  }
  if (file->interlaced) png_set_interlace_handling(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

Bytes EncodeWithLibpng(const PngFile& file) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  const std::size_t rowBytes = file.headerOnly ? 0 : file.rows.size() / file.height;
  std::vector<png_bytep> rows(file.height);
  for (int y = 0; y < file.height && !file.headerOnly; ++y) {
    rows[y] = const_cast<png_bytep>(file.rows.data() + y * rowBytes);
  }
  const bool written = WritePngFile(png, info, &file, rows.data());
  png_destroy_write_struct(&png, &info);
  EXPECT_TRUE(written);
  return out;
}

engine::Image Gradient(int width, int height) {
  engine::Image image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgba.insert(
          image.rgba.end(),
          {static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 60),
           static_cast<std::uint8_t>(x * y * 7 + 3), static_cast<std::uint8_t>(255 - x * 30)});
    }
  }
  return image;
}

TEST(PngCodec, EncodeThenDecodeGivesTheSamePixelsAndStableBytes) {
  for (auto [w, h] : {std::pair{1, 1}, {5, 3}, {3, 7}, {64, 2}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const engine::Image image = Gradient(w, h);
    const Bytes png = engine::EncodePng(image);
    EXPECT_EQ(engine::EncodePng(image), png);
    auto decoded = engine::DecodeImage(png);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, w);
    EXPECT_EQ(decoded->height, h);
    EXPECT_EQ(decoded->rgba, image.rgba);
  }
}

TEST(PngCodec, EncodingRefusesAnImageWhosePixelsDoNotMatchItsSize) {
  EXPECT_THROW(engine::EncodePng(engine::Image{2, 2, Bytes(12)}), std::invalid_argument);
  EXPECT_THROW(engine::EncodePng(engine::Image{0, 0, {}}), std::invalid_argument);
  EXPECT_THROW(engine::EncodePng(engine::Image{-1, 4, Bytes(16)}), std::invalid_argument);
}

TEST(PngCodec, EveryColourTypeAndBitDepthDecodesToRgba8) {
  struct Case {
    const char* name;
    PngFile file;
    std::vector<Pixel> expected;
  };
  const std::vector<Case> cases = {
      {"gray 1-bit",
       Png(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0xa0}),
       {{255, 255, 255, 255}, {0, 0, 0, 255}, {255, 255, 255, 255}}},
      {"gray 4-bit",
       Png(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x3f}),
       {{0x33, 0x33, 0x33, 255}, {255, 255, 255, 255}}},
      {"gray 8-bit with transparent value",
       Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x00, 0x80}).WithTransparentGray(0),
       {{0, 0, 0, 0}, {0x80, 0x80, 0x80, 255}}},
      {"gray 16-bit", Png(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0xab, 0xcd}), {{0xab, 0xab, 0xab, 255}}},
      {"gray + alpha 8-bit",
       Png(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x40}),
       {{0x80, 0x80, 0x80, 0x40}}},
      {"rgb 8-bit",
       Png(2, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 40, 50, 60}),
       {{10, 20, 30, 255}, {40, 50, 60, 255}}},
      {"rgb 16-bit",
       Png(1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc}),
       {{0x12, 0x56, 0x9a, 255}}},
      {"rgba 16-bit",
       Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0xff, 0, 0x00, 0, 0x7f, 0, 0x80, 0}),
       {{0xff, 0x00, 0x7f, 0x80}}},
      {"palette 2-bit with alpha",
       Png(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18})
           .WithPalette({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {255, 0}),
       {{255, 0, 0, 255}, {0, 255, 0, 0}, {0, 0, 255, 255}}},
      {"palette 8-bit",
       Png(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 0}).WithPalette({{1, 2, 3}, {4, 5, 6}}),
       {{4, 5, 6, 255}, {1, 2, 3, 255}}},
      {"rgb 8-bit interlaced",
       Png(3, 3, PNG_COLOR_TYPE_RGB, 8, {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                         15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27})
           .Interlaced(),
       {{1, 2, 3, 255},
        {4, 5, 6, 255},
        {7, 8, 9, 255},
        {10, 11, 12, 255},
        {13, 14, 15, 255},
        {16, 17, 18, 255},
        {19, 20, 21, 255},
        {22, 23, 24, 255},
        {25, 26, 27, 255}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = engine::DecodeImage(EncodeWithLibpng(c.file));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, c.file.width);
    EXPECT_EQ(decoded->height, c.file.height);
    EXPECT_EQ(Pixels(*decoded), c.expected);
  }
}

using NamedFiles = std::vector<std::pair<std::string, Bytes>>;

// PNG files the decoder refuses before their first row, and those it refuses
// only on reading the rows.
NamedFiles PngRefusedByHeader() {
  const Bytes png = engine::EncodePng(Gradient(16, 16));
  Bytes badSignature = png;
  badSignature[1] = 'Q';
  return {
      {"signature only", Bytes(png.begin(), png.begin() + 8)},
      {"header cut", Bytes(png.begin(), png.begin() + 20)},
      {"after the header", Bytes(png.begin(), png.begin() + 33)},
      {"damaged signature", badSignature},
      {"wider than any texture", EncodeWithLibpng(PngHeaderOnly(20000, 1))},
      {"more pixels than any texture", EncodeWithLibpng(PngHeaderOnly(16384, 16384))},
  };
}

NamedFiles PngRefusedByRows() {
  const Bytes png = engine::EncodePng(Gradient(16, 16));
  Bytes badCrc = png;
  badCrc[png.size() / 2] ^= 0x55;  // inside the image data
  return {
      {"half the image data", Bytes(png.begin(), png.begin() + png.size() / 2)},
      {"end chunk cut", Bytes(png.begin(), png.end() - 1)},
      {"damaged image data", badCrc},
  };
}

TEST(PngCodec, TruncatedCorruptOrOversizedFilesAreRefused) {
  for (const NamedFiles& files : {PngRefusedByHeader(), PngRefusedByRows()}) {
    for (const auto& [name, bytes] : files) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(engine::DecodeImage(bytes).has_value());
    }
  }
}

// A PNG chunk with its length and CRC, to splice into a file.
Bytes Chunk(const char (&type)[5], const Bytes& body, std::optional<std::uint32_t> length = {}) {
  // Sized once and filled by index: GCC 12 at -O3 misreads growing inserts here.
  Bytes out(4 + 4 + body.size() + 4);
  const auto putBigEndian = [&out](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
  };
  putBigEndian(0, length.value_or(static_cast<std::uint32_t>(body.size())));
  std::copy(type, type + 4, out.begin() + 4);
  std::copy(body.begin(), body.end(), out.begin() + 8);
  std::uint32_t crc = 0xffffffff;
  for (std::size_t i = 4; i < out.size() - 4; ++i) {
    crc ^= out[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
  }
  putBigEndian(out.size() - 4, ~crc);
  return out;
}

// `png` with `chunk` put right after its header chunk.
Bytes AfterHeader(Bytes png, const Bytes& chunk) {
  constexpr std::size_t kHeaderEnd = 8 + 25;
  png.insert(png.begin() + kHeaderEnd, chunk.begin(), chunk.end());
  return png;
}

long ResidentKib() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// How far the memory in use rose while `work` ran, in KiB: it runs in a child
// process, whose peak is compared with what this process holds.
long PeakGrowthKib(const std::function<void()>& work) {
  const long before = ResidentKib();
  const pid_t pid = fork();
  if (pid == 0) {
    work();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  EXPECT_EQ(wait4(pid, &status, 0, &usage), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return usage.ru_maxrss - before;
}

TEST(PngCodec, ForgedSizesAreRefusedWithoutTakingTheirMemory) {
  const Bytes small = engine::EncodePng(Gradient(4, 4));
  Bytes bigHeader = EncodeWithLibpng(PngHeaderOnly(16384, 4096));
  const Bytes tinyData = Chunk("IDAT", {0x78, 0x9c, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  bigHeader.insert(bigHeader.end(), tinyData.begin(), tinyData.end());
  const Bytes end = Chunk("IEND", {});
  bigHeader.insert(bigHeader.end(), end.begin(), end.end());

  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"text chunk claiming 1.8 GB", AfterHeader(small, Chunk("iTXt", {'k', 0}, 0x6e6b6b6b))},
      {"profile chunk claiming 1 GB", AfterHeader(small, Chunk("iCCP", {'p', 0}, 0x40000000))},
      {"unknown chunk claiming 1 GB", AfterHeader(small, Chunk("zqXx", {1}, 0x40000000))},
      {"256 MB of pixels in 100 bytes", bigHeader},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(engine::DecodeImage(bytes).has_value());
    EXPECT_LT(PeakGrowthKib([&bytes = bytes] { (void)engine::DecodeImage(bytes); }), 64 * 1024);
  }
}

TEST(PngCodec, LargeTextAndProfileChunksAreSkipped) {
  const engine::Image image = Gradient(4, 4);
  const Bytes png = engine::EncodePng(image);
  for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP"}) {
    SCOPED_TRACE(type);
    char name[5] = {};
    std::memcpy(name, type, 4);
    const auto decoded = engine::DecodeImage(AfterHeader(png, Chunk(name, Bytes(3 << 20, 'x'))));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->rgba, image.rgba);
  }
}

// --- DDS ----------------------------------------------------------------------

constexpr std::uint32_t kDdpfAlphaPixels = 0x1;
constexpr std::uint32_t kDdpfFourCC = 0x4;
constexpr std::uint32_t kDdpfRgb = 0x40;

struct DdsHeader {
  std::uint32_t width = 1;
  std::uint32_t height = 1;
  std::uint32_t formatFlags = kDdpfRgb;
  const char* fourCC = "\0\0\0\0";
  std::uint32_t bits = 32;
  std::array<std::uint32_t, 4> masks{};  // r, g, b, a
  std::uint32_t headerSize = 124;
};

DdsHeader RgbHeader(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                    std::array<std::uint32_t, 4> masks) {
  DdsHeader h;
  h.width = width;
  h.height = height;
  h.formatFlags = kDdpfRgb | (masks[3] != 0 ? kDdpfAlphaPixels : 0);
  h.bits = bits;
  h.masks = masks;
  return h;
}

DdsHeader FourCCHeader(std::uint32_t width, std::uint32_t height, const char* fourCC) {
  DdsHeader h;
  h.width = width;
  h.height = height;
  h.formatFlags = kDdpfFourCC;
  h.fourCC = fourCC;
  h.bits = 0;
  return h;
}

void Put32(Bytes& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes MakeDds(const DdsHeader& h, const Bytes& data) {
  // Sized once and filled in place: growing the header with insert() trips a
  // false -Warray-bounds inside libstdc++ at -O3 with GCC 12.
  Bytes out(128 + data.size(), 0);
  std::memcpy(out.data(), "DDS ", 4);
  Put32(out, 4, h.headerSize);
  Put32(out, 8, 0x1007);  // caps, height, width, pixel format
  Put32(out, 12, h.height);
  Put32(out, 16, h.width);
  Put32(out, 76, 32);
  Put32(out, 80, h.formatFlags);
  std::memcpy(out.data() + 84, h.fourCC, 4);
  Put32(out, 88, h.bits);
  for (int i = 0; i < 4; ++i) Put32(out, 92 + 4 * i, h.masks[i]);
  Put32(out, 108, 0x1000);
  std::copy(data.begin(), data.end(), out.begin() + 128);
  return out;
}

struct MaskedCase {
  const char* name;
  std::uint32_t bits;
  std::array<std::uint32_t, 4> masks;
  Bytes data;  // two pixels
  std::vector<Pixel> expected;
};

const std::vector<MaskedCase>& MaskedCases() {
  static const std::vector<MaskedCase> cases = {
      {"32-bit BGRA",
       32,
       {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000},
       {0x33, 0x22, 0x11, 0x44, 0xcc, 0xbb, 0xaa, 0xdd},
       {{0x11, 0x22, 0x33, 0x44}, {0xaa, 0xbb, 0xcc, 0xdd}}},
      {"32-bit RGBA",
       32,
       {0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000},
       {0x11, 0x22, 0x33, 0x44, 0xaa, 0xbb, 0xcc, 0xdd},
       {{0x11, 0x22, 0x33, 0x44}, {0xaa, 0xbb, 0xcc, 0xdd}}},
      {"32-bit ARGB",
       32,
       {0x0000ff00, 0x00ff0000, 0xff000000, 0x000000ff},
       {0x44, 0x11, 0x22, 0x33, 0xdd, 0xaa, 0xbb, 0xcc},
       {{0x11, 0x22, 0x33, 0x44}, {0xaa, 0xbb, 0xcc, 0xdd}}},
      {"32-bit BGRX",
       32,
       {0x00ff0000, 0x0000ff00, 0x000000ff, 0},
       {0x33, 0x22, 0x11, 0x00, 0xcc, 0xbb, 0xaa, 0x00},
       {{0x11, 0x22, 0x33, 0xff}, {0xaa, 0xbb, 0xcc, 0xff}}},
      {"24-bit BGR",
       24,
       {0x00ff0000, 0x0000ff00, 0x000000ff, 0},
       {0x33, 0x22, 0x11, 0xcc, 0xbb, 0xaa},
       {{0x11, 0x22, 0x33, 0xff}, {0xaa, 0xbb, 0xcc, 0xff}}},
      {"16-bit R5G6B5",
       16,
       {0xf800, 0x07e0, 0x001f, 0},
       {0x00, 0xf8, 0x10, 0x84},
       {{255, 0, 0, 255}, {132, 130, 132, 255}}},
      {"16-bit A1R5G5B5",
       16,
       {0x7c00, 0x03e0, 0x001f, 0x8000},
       {0x00, 0x7c, 0x1f, 0x80},
       {{255, 0, 0, 0}, {0, 0, 255, 255}}},
  };
  return cases;
}

Bytes MaskedDds(const MaskedCase& c) {
  return MakeDds(RgbHeader(2, 1, c.bits, c.masks), c.data);
}

TEST(DdsCodec, UncompressedPixelsFollowTheChannelMasks) {
  for (const MaskedCase& c : MaskedCases()) {
    SCOPED_TRACE(c.name);
    auto decoded = engine::DecodeImage(MaskedDds(c));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 2);
    EXPECT_EQ(decoded->height, 1);
    EXPECT_EQ(Pixels(*decoded), c.expected);
  }
}

// A 6 x 5 picture (partial blocks on the right and bottom) whose four 4 x 4
// blocks are each one colour that the block formats store exactly.
struct DxtCase {
  const char* fourCC;
  int flags;
  std::array<Pixel, 4> blockColours;
};

Pixel ExpectedDxtPixel(const DxtCase& c, int x, int y) {
  return c.blockColours[x / 4 + 2 * (y / 4)];
}

Bytes DxtDds(const DxtCase& c) {
  constexpr int kW = 6, kH = 5;
  Bytes rgba;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const Pixel p = ExpectedDxtPixel(c, x, y);
      rgba.insert(rgba.end(), p.begin(), p.end());
    }
  }
  Bytes blocks(squish::GetStorageRequirements(kW, kH, c.flags));
  squish::CompressImage(rgba.data(), kW, kH, blocks.data(), c.flags);
  return MakeDds(FourCCHeader(kW, kH, c.fourCC), blocks);
}

const std::vector<DxtCase>& DxtCases() {
  static const std::vector<DxtCase> cases = {
      {"DXT1",
       squish::kDxt1,
       {{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {0, 0, 0, 0}}}},
      {"DXT3",
       squish::kDxt3,
       {{{255, 0, 0, 0x88}, {0, 255, 0, 255}, {255, 255, 255, 0}, {0, 0, 255, 0x11}}}},
      {"DXT5",
       squish::kDxt5,
       {{{255, 0, 0, 0x80}, {0, 255, 0, 255}, {255, 255, 255, 0}, {0, 0, 255, 0x20}}}},
  };
  return cases;
}

TEST(DdsCodec, BlockCompressedPixelsDecode) {
  for (const DxtCase& c : DxtCases()) {
    SCOPED_TRACE(c.fourCC);
    auto decoded = engine::DecodeImage(DxtDds(c));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->width, 6);
    ASSERT_EQ(decoded->height, 5);
    const auto pixels = Pixels(*decoded);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(pixels[y * 6 + x], ExpectedDxtPixel(c, x, y)) << "at " << x << "," << y;
      }
    }
  }
}

NamedFiles DdsRefused() {
  NamedFiles cases;
  std::vector<Bytes> valid = {MaskedDds(MaskedCases()[0]), MaskedDds(MaskedCases()[4])};
  for (const DxtCase& c : DxtCases()) valid.push_back(DxtDds(c));
  for (std::size_t i = 0; i < valid.size(); ++i) {
    const Bytes& v = valid[i];
    cases.push_back({"header cut, file " + std::to_string(i), Bytes(v.begin(), v.begin() + 127)});
    cases.push_back({"pixels cut, file " + std::to_string(i), Bytes(v.begin(), v.end() - 1)});
  }
  const std::array<std::uint32_t, 4> bgra = {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000};
  const Bytes fourPixels(16, 0x7f);
  DdsHeader wrongSize = RgbHeader(1, 1, 32, bgra);
  wrongSize.headerSize = 100;
  DdsHeader luminance = RgbHeader(1, 1, 32, bgra);
  luminance.formatFlags = 0x20000;
  cases.push_back({"wrong header size", MakeDds(wrongSize, fourPixels)});
  cases.push_back({"zero width", MakeDds(RgbHeader(0, 1, 32, bgra), fourPixels)});
  cases.push_back(
      {"huge size, little data", MakeDds(RgbHeader(100000, 100000, 32, bgra), fourPixels)});
  cases.push_back({"no channel masks", MakeDds(RgbHeader(1, 1, 32, {}), fourPixels)});
  cases.push_back({"8 bits per pixel", MakeDds(RgbHeader(1, 1, 8, {0xff, 0, 0, 0}), fourPixels)});
  cases.push_back({"premultiplied DXT2", MakeDds(FourCCHeader(1, 1, "DXT2"), fourPixels)});
  cases.push_back({"extended header", MakeDds(FourCCHeader(1, 1, "DX10"), Bytes(64, 0))});
  cases.push_back({"neither RGB nor FourCC", MakeDds(luminance, fourPixels)});

  return cases;
}

TEST(DdsCodec, TruncatedOrUnsupportedFilesAreRefused) {
  for (const auto& [name, bytes] : DdsRefused()) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(engine::DecodeImage(bytes).has_value());
  }
}

NamedFiles NotImages() {
  return {
      {"empty", {}},
      {"text", {'h', 'e', 'l', 'l', 'o'}},
      {"bitmap", {'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0}},
  };
}

TEST(ImageDecoding, FormatIsRecognisedByContentOnly) {
  for (const auto& [name, bytes] : NotImages()) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(engine::DecodeImage(bytes).has_value());
  }
}

// A program that never draws reads sizes only: the decoder's size for every
// picture, no pixels, and the same refusals, but for PNG rows it never reads.
TEST(ImageSize, AgreesWithTheDecoderWithoutPixels) {
  NamedFiles pictures = {
      {"png rgb", engine::EncodePng(Gradient(5, 3))},
      {"png palette", EncodeWithLibpng(Png(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x18})
                                           .WithPalette({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}))},
      {"png gray interlaced",
       EncodeWithLibpng(Png(2, 3, PNG_COLOR_TYPE_GRAY, 8, Bytes(6, 9)).Interlaced())},
  };
  for (const MaskedCase& c : MaskedCases()) pictures.push_back({c.name, MaskedDds(c)});
  for (const DxtCase& c : DxtCases()) pictures.push_back({c.fourCC, DxtDds(c)});
  for (const auto& [name, bytes] : pictures) {
    SCOPED_TRACE(name);
    const auto decoded = engine::DecodeImage(bytes);
    const auto size = engine::ReadImageSize(bytes);
    ASSERT_TRUE(decoded && size);
    EXPECT_EQ(size->width, decoded->width);
    EXPECT_EQ(size->height, decoded->height);
    EXPECT_TRUE(size->rgba.empty());
    EXPECT_TRUE(engine::HasPixels(*decoded));
    EXPECT_FALSE(engine::HasPixels(*size));
  }
  for (const NamedFiles& refused : {PngRefusedByHeader(), DdsRefused(), NotImages()}) {
    for (const auto& [name, bytes] : refused) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(engine::ReadImageSize(bytes).has_value());
    }
  }
  for (const auto& [name, bytes] : PngRefusedByRows()) {
    SCOPED_TRACE(name);
    const auto size = engine::ReadImageSize(bytes);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 16);
  }
}

}  // namespace
