#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

#include "platform/sdl/sdl_platform.h"

extern char** environ;

namespace platform {

void OpenWithDesktop(const std::string& target) {
  // A shell starts xdg-open in the background and exits at once: we reap the
  // shell, and the opener, orphaned, is reaped by init. The target is passed as
  // an argument, never as part of the command text.
  const char* script = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
  const char* argv[] = {"sh", "-c", script, "sh", target.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
    return;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace platform
