#include "platform/atomic_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/file_error.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor unless released, and unlinks the temporary file unless
// it was renamed into place.
class TempFile {
 public:
  TempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  // Closes the descriptor; returns the errno of a failed close, or 0.
  int Close() {
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void MarkRenamed() { renamed_ = true; }

 private:
  int fd_;
  std::string path_;
  bool renamed_ = false;
};

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The mode the new file gets: the old file's, or what a plain create would give.
mode_t ModeFor(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

void WriteAll(const fs::path& path, int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, "cannot write " + std::to_string(bytes.size()) + " bytes", errno);
    }
    done += static_cast<std::size_t>(n);
  }
}

void SyncDirectory(const fs::path& path, const fs::path& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw FileError(path, "cannot open its directory to flush it", errno);
  int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot flush a directory; the rename has happened anyway.
  if (error != 0 && error != EINVAL && error != ENOTSUP) {
    throw FileError(path, "cannot flush its directory", error);
  }
}

}  // namespace

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  if (::access(path.c_str(), F_OK) == 0 &&
      ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    throw FileError(path, "cannot open for writing", errno);
  }

  const fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    throw FileError(path, "cannot create", "there is no directory " + dir.string());
  }

  std::string pattern = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileError(path, "cannot create a temporary file in " + dir.string(), errno);
  TempFile temp(fd, pattern);

  if (::fchmod(temp.fd(), ModeFor(path)) != 0) {
    throw FileError(path, "cannot set the permissions of the new file", errno);
  }
  WriteAll(path, temp.fd(), bytes);
  if (::fsync(temp.fd()) != 0) throw FileError(path, "cannot flush to disk", errno);
  if (int error = temp.Close(); error != 0) throw FileError(path, "cannot close", error);
  if (::rename(temp.path().c_str(), path.c_str()) != 0) {
    throw FileError(path, "cannot replace", errno);
  }
  temp.MarkRenamed();
  SyncDirectory(path, dir);
}

}  // namespace platform
