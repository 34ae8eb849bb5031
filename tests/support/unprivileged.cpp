#include "tests/support/unprivileged.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace testing_support {
namespace {

constexpr uid_t kNobody = 65534;

void GiveTreeTo(const std::filesystem::path& root, uid_t user) {
  if (chown(root.c_str(), user, user) != 0) throw std::system_error(errno, std::generic_category());
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (lchown(entry.path().c_str(), user, user) != 0)
      throw std::system_error(errno, std::generic_category(), entry.path().string());
  }
}

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::string RunUnprivileged(const std::function<std::string()>& work) {
  if (geteuid() == 0) {
    try {
      GiveTreeTo(std::filesystem::current_path(), kNobody);
    } catch (const std::exception& e) {
      return std::string("child: cannot hand the tree over: ") + e.what();
    }
  }
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return "child: no pipe";
  const pid_t child = fork();
  if (child < 0) return "child: cannot fork";
  if (child == 0) {
    close(pipeFds[0]);
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
                           setuid(kNobody) != 0 || geteuid() == 0)) {
      WriteAll(pipeFds[1], "child: cannot become nobody");
      _exit(1);
    }
    std::string result;
    try {
      result = work();
    } catch (const std::exception& e) {
      result = std::string("child: threw ") + e.what();
    }
    WriteAll(pipeFds[1], result);
    _exit(0);
  }
  close(pipeFds[1]);
  std::string result;
  char chunk[256];
  for (ssize_t n; (n = read(pipeFds[0], chunk, sizeof chunk)) > 0;)
    result.append(chunk, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status)) return "child: ended by a signal";
  return result;
}

}  // namespace testing_support
