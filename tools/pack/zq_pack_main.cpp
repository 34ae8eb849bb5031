// zq-pack: makes, lists and unpacks texture packs.
//
//   zq-pack create OUT.dat IMAGE...   pack the images as entries 0, 1, ... in order
//   zq-pack list PACK                 one line per entry: index, offset, size, image
//   zq-pack extract PACK INDEX OUT    write entry INDEX's bytes to OUT
//
// Exit status: 0 done, 1 a file could not be read, written or used, 2 bad arguments.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/image.h"
#include "engine/image_file.h"
#include "engine/image_format.h"
#include "platform/atomic_file.h"
#include "platform/little_endian.h"
#include "tools/pack/pack_writer.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kMaxImages = 65536;  // LoadPackTexture takes a 16-bit index

constexpr const char* kUsage =
    "usage: zq-pack create OUT.dat IMAGE...   pack PNG/DDS images as entries 0, 1, ...\n"
    "       zq-pack list PACK                 show each entry: index, offset, size, image\n"
    "       zq-pack extract PACK INDEX OUT    write entry INDEX's bytes to OUT\n";

using Bytes = std::vector<std::uint8_t>;

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "zq-pack: %s\n%s", problem.c_str(), kUsage);
  return kExitUsage;
}

int Failure(const std::string& problem) {
  std::fprintf(stderr, "zq-pack: %s\n", problem.c_str());
  return kExitFailure;
}

struct Entry {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// A whole pack in memory.
class PackView {
 public:
  explicit PackView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Entry n, or nullopt when its directory slot is not inside the file.
  std::optional<Entry> EntryAt(std::uint64_t n) const {
    if (8 * n + 8 > bytes_.size()) return std::nullopt;
    return Entry{Get32(8 * n), Get32(8 * n + 4)};
  }
  bool InFile(const Entry& e) const { return e.offset + e.size <= bytes_.size(); }
  std::span<const std::uint8_t> Image(const Entry& e) const {
    return bytes_.subspan(e.offset, e.size);
  }
  // The pack stores no entry count: the directory is taken to end where the
  // first image that lies inside the file begins.
  std::uint64_t EntryCount() const {
    std::uint64_t end = bytes_.size();
    std::uint64_t n = 0;
    for (; 8 * n + 8 <= end; ++n) {
      const Entry e = *EntryAt(n);
      if (InFile(e) && e.offset < end) end = e.offset;
    }
    return n;
  }

 private:
  std::uint64_t Get32(std::uint64_t at) const { return platform::le::Read32(bytes_.data() + at); }
  std::span<const std::uint8_t> bytes_;
};

std::string Describe(std::span<const std::uint8_t> image) {
  const std::optional<engine::Image> decoded = engine::DecodeImage(image);
  if (!decoded) return "not an image";
  return std::string(engine::ImageFormatName(engine::SniffImageFormat(image))) + " " +
         std::to_string(decoded->width) + "x" + std::to_string(decoded->height);
}

int Create(std::string_view out, std::span<char* const> inputs) {
  if (inputs.empty()) return UsageError("create needs at least one image");
  if (inputs.size() > kMaxImages) return UsageError("a pack holds at most 65536 images");
  std::vector<Bytes> images;
  images.reserve(inputs.size());
  for (const char* input : inputs) {
    std::optional<Bytes> bytes = engine::ReadWholeFile(input);
    if (!bytes) return Failure(std::string("cannot read ") + input);
    if (!engine::DecodeImage(*bytes)) {
      return Failure(std::string(input) + ": not a PNG or DDS image the engine can decode");
    }
    images.push_back(std::move(*bytes));
  }
  try {
    packs::WritePack(std::string(out), images);
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
  return 0;
}

int List(const char* packPath) {
  const std::optional<Bytes> bytes = engine::ReadWholeFile(packPath);
  if (!bytes) return Failure(std::string("cannot read ") + packPath);
  const PackView pack(*bytes);
  std::printf("%6s %10s %10s  %s\n", "index", "offset", "size", "image");
  const std::uint64_t count = pack.EntryCount();
  for (std::uint64_t n = 0; n < count; ++n) {
    const Entry e = *pack.EntryAt(n);
    const std::string image = !pack.InFile(e) ? "outside the file"
                              : e.size == 0   ? "empty"
                                              : Describe(pack.Image(e));
    std::printf("%6llu %10llu %10llu  %s\n", static_cast<unsigned long long>(n),
                static_cast<unsigned long long>(e.offset), static_cast<unsigned long long>(e.size),
                image.c_str());
  }
  return 0;
}

std::optional<std::uint32_t> ParseIndex(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int Extract(const char* packPath, std::string_view indexText, const char* outPath) {
  const std::optional<std::uint32_t> index = ParseIndex(indexText);
  if (!index)
    return UsageError("INDEX must be a whole number from 0, not \"" + std::string(indexText) +
                      "\"");
  const std::optional<Bytes> bytes = engine::ReadWholeFile(packPath);
  if (!bytes) return Failure(std::string("cannot read ") + packPath);
  const PackView pack(*bytes);
  const std::string where = std::string(packPath) + ": entry " + std::to_string(*index);
  const std::uint64_t count = pack.EntryCount();
  if (*index >= count) {
    return Failure(where + " is beyond the directory, which has " + std::to_string(count) +
                   " entries");
  }
  const std::optional<Entry> entry = pack.EntryAt(*index);
  if (!pack.InFile(*entry)) {
    return Failure(where + " (offset " + std::to_string(entry->offset) + ", size " +
                   std::to_string(entry->size) + ") lies outside the file");
  }
  try {
    platform::WriteFileAtomically(outPath, pack.Image(*entry));
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char* const> args(argv + 1, argc > 0 ? argc - 1 : 0);
  if (args.empty()) return UsageError("no command given");
  const std::string_view command = args[0];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "create") {
    if (args.size() < 2) return UsageError("create needs OUT.dat and at least one image");
    return Create(args[1], args.subspan(2));
  }
  if (command == "list") {
    if (args.size() != 2) return UsageError("list takes exactly one PACK");
    return List(args[1]);
  }
  if (command == "extract") {
    if (args.size() != 4) return UsageError("extract takes PACK INDEX OUT");
    return Extract(args[1], args[2], args[3]);
  }
  return UsageError("unknown command \"" + std::string(command) + "\"");
}
