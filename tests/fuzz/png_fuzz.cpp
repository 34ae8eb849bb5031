// PNG pictures as the engine reads them: from memory, recognised by content,
// made into a texture.
//
// libpng is a system library without coverage instrumentation, so libFuzzer
// cannot see which of its paths an input takes. Extra counters stand in for
// them: one per header shape (colour type, bit depth, interlacing) and outcome,
// and one per known chunk type present and outcome, so inputs that reach a new
// kind of file, or decode one, are kept.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::array<std::string_view, 22> kChunkTypes = {
    "IHDR", "PLTE", "IDAT", "IEND", "tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT", "bKGD",
    "hIST", "pHYs", "sPLT", "tIME", "tEXt", "zTXt", "iTXt", "eXIf", "acTL", "fcTL", "fdAT"};
constexpr std::size_t kShapes = 6 * 6 * 3;  // colour types, bit depths, interlace methods
constexpr std::size_t kMaxChunksWalked = 64;

__attribute__((used, section("__libfuzzer_extra_counters")))
std::uint8_t extraCounters[2 * (kShapes + kChunkTypes.size())];

std::size_t Bucket(std::uint8_t value, std::string_view known) {
  const std::size_t at = known.find(static_cast<char>(value));
  return at == std::string_view::npos ? known.size() : at;
}

std::uint32_t Get32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

void CountShape(const std::uint8_t* data, std::size_t size, bool decoded) {
  std::uint8_t* counters = extraCounters + (decoded ? kShapes + kChunkTypes.size() : 0);
  if (size >= 29) {
    const std::size_t colour = Bucket(data[25], std::string_view("\0\2\3\4\6", 5));
    const std::size_t depth = Bucket(data[24], "\1\2\4\10\20");
    const std::size_t interlace = Bucket(data[28], std::string_view("\0\1", 2));
    counters[(colour * 6 + depth) * 3 + interlace] = 1;
  }
  std::size_t at = 8;
  for (std::size_t n = 0; n < kMaxChunksWalked && at + 8 <= size; ++n) {
    const std::string_view type(reinterpret_cast<const char*>(data + at + 4), 4);
    for (std::size_t k = 0; k < kChunkTypes.size(); ++k) {
      if (kChunkTypes[k] == type) counters[kShapes + k] = 1;
    }
    const std::uint64_t next = at + std::uint64_t{Get32(data + at)} + 12;
    if (next > size) break;
    at = static_cast<std::size_t>(next);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallHeadlessEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CountShape(data, size, fuzz::MakeAndCheckTexture(data, size));
  return 0;
}
