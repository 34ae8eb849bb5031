#include "engine/texture_pack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <optional>

#include "engine/engine.h"
#include "platform/little_endian.h"
#include "platform/paths.h"

namespace {

constexpr std::uint64_t kEntryBytes = 8;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The file's length; nullopt when it is not open or not a regular file.
  std::optional<std::uint64_t> RegularFileSize() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
  }

  // Reads exactly `size` bytes at `offset`.
  bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t size) const {
    while (size > 0) {
      const ssize_t got = ::pread(fd_, out, size, static_cast<off_t>(offset));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      out += got;
      size -= static_cast<std::size_t>(got);
      offset += static_cast<std::uint64_t>(got);
    }
    return true;
  }

 private:
  int fd_;
};

// nullopt when the pack cannot be opened; otherwise image `index`'s bytes, empty
// when the entry holds no image or any part of it lies outside the file. The
// image buffer is the only allocation.
std::optional<std::vector<std::uint8_t>> ReadPackImage(const char* fileName, std::int64_t index) {
  if (fileName == nullptr) return std::nullopt;
  const ReadOnlyFile file(platform::ResolvePath(fileName).c_str());
  const std::optional<std::uint64_t> fileSize = file.RegularFileSize();
  if (!fileSize) return std::nullopt;

  std::vector<std::uint8_t> bytes;
  if (index < 0) return bytes;
  const std::uint64_t slot = static_cast<std::uint64_t>(index) * kEntryBytes;
  std::uint8_t entry[kEntryBytes];
  if (slot + kEntryBytes > *fileSize || !file.ReadAt(slot, entry, kEntryBytes)) return bytes;

  const std::uint64_t offset = platform::le::Read32(entry);
  const std::uint64_t size = platform::le::Read32(entry + 4);
  // Sizes travel on as signed 32-bit counts (ImageBlob::Size, the texture call).
  if (size == 0 || size > std::numeric_limits<std::int32_t>::max() || offset + size > *fileSize) {
    return bytes;
  }
  bytes.resize(size);
  if (!file.ReadAt(offset, bytes.data(), bytes.size())) return std::vector<std::uint8_t>();
  return bytes;
}

}  // namespace

iHandle LoadPackTexture(const char* fileName, std::uint16_t index, std::int32_t tag) {
  const auto bytes = ReadPackImage(fileName, index);
  if (!bytes || bytes->empty()) return 0;
  return iTextureCreateFromMemory(bytes->data(), static_cast<std::int32_t>(bytes->size()), tag);
}

void LoadPackBlob(ImageBlob& blob, std::int32_t index, const char* fileName) {
  auto bytes = ReadPackImage(fileName, index);
  if (!bytes) return;
  blob.Data = std::move(*bytes);
  blob.Size = static_cast<std::int32_t>(blob.Data.size());
}
