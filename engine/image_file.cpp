#include "engine/image_file.h"

#include <cstdio>
#include <memory>

namespace engine {
namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  // Read in chunks until end of file rather than trusting a size taken beforehand:
  // that also refuses directories (the first read fails) and files that change.
  std::vector<std::uint8_t> bytes;
  constexpr std::size_t kChunk = 64 * 1024;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kChunk);
    const std::size_t got = std::fread(bytes.data() + used, 1, kChunk, file.get());
    bytes.resize(used + got);
    if (got < kChunk) break;
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  bytes.shrink_to_fit();
  return bytes;
}

}  // namespace engine
