#include "tests/fuzz/fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <system_error>

#include "engine/engine.h"
#include "engine/headless/headless_backend.h"
#include "engine/image.h"
#include "engine/image_codecs.h"
#include "engine/image_format.h"
#include "engine/runtime.h"

namespace fuzz {
namespace {

class Scratch {
 public:
  Scratch() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "zq-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr, "cannot make a scratch directory");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

const std::filesystem::path& ScratchDir() {
  static const Scratch scratch;
  return scratch.path();
}

void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Check(fd >= 0, "cannot open a scratch file");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    Check(n > 0, "cannot write a scratch file");
    done += static_cast<std::size_t>(n);
  }
  Check(::close(fd) == 0, "cannot close a scratch file");
}

void InstallHeadlessEngine() {
  static engine::Engine engine(std::make_unique<engine::HeadlessBackend>());
  engine::Install(&engine);
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

bool MakeAndCheckTexture(const std::uint8_t* bytes, std::size_t size) {
  const iHandle texture = iTextureCreateFromMemory(bytes, static_cast<std::int32_t>(size), 0);
  // What a program that never draws reads instead: the same size, or the same
  // refusal (but for PNG rows, which it never reads).
  const std::span<const std::uint8_t> file(bytes, size);
  const std::optional<engine::Image> sized = engine::ReadImageSize(file);
  Check(!sized || sized->rgba.empty(), "a size read with pixels");
  if (texture == 0) {
    Check(!sized || engine::SniffImageFormat(file) == engine::ImageFormat::kPng,
          "a size read from a picture the decoder refuses");
    return false;
  }
  const auto& textures = engine::Installed()->world().textures;
  const auto found = textures.find(texture);
  Check(found != textures.end() && found->second.image != nullptr, "texture without a picture");
  const engine::Image& image = *found->second.image;
  Check(engine::codecs::AcceptableSize(static_cast<std::uint32_t>(image.width),
                                       static_cast<std::uint32_t>(image.height)),
        "picture of a size the decoders refuse");
  Check(image.rgba.size() == std::size_t(image.width) * std::size_t(image.height) * 4,
        "picture whose pixels do not match its size");
  Check(sized && sized->width == image.width && sized->height == image.height,
        "a size read that differs from the decoded picture's");
  iTextureDestroy(texture);
  return true;
}

}  // namespace fuzz
