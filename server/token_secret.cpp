#include "server/token_secret.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "server/token_signer.h"

namespace scores {
namespace {

constexpr std::size_t kMaxSecretBytes = 4096;

[[noreturn]] void RefuseSecret(const std::string& path, const std::string& why) {
  throw std::runtime_error("token secret " + path + ": " + why);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::vector<std::uint8_t> ReadTokenSecret(const std::string& path) {
  const Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) RefuseSecret(path, std::strerror(errno));
  struct stat st {};
  if (fstat(fd.get(), &st) != 0) RefuseSecret(path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) RefuseSecret(path, "not a regular file");
  if ((st.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    RefuseSecret(path, std::string("permissions ") + mode +
                           " let group or others at it; make it 0600 (chmod 600)");
  }
  std::vector<std::uint8_t> bytes(kMaxSecretBytes + 1);
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RefuseSecret(path, std::strerror(errno));
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got > kMaxSecretBytes) RefuseSecret(path, "longer than 4096 bytes; not a key");
  if (got < kMinSecretBytes) {
    RefuseSecret(path, std::to_string(got) + " bytes; a secret needs at least " +
                           std::to_string(kMinSecretBytes) +
                           " (make one with: umask 077; head -c 32 /dev/urandom > FILE)");
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace scores
