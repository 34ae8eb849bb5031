#include "server/child_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string_view>

namespace scores {
namespace {

// Both ends close on exec; the child's copies are made by dup2.
bool Pipe(int fds[2]) {
  return pipe2(fds, O_CLOEXEC) == 0;
}

void CloseBoth(int fds[2]) {
  if (fds[0] >= 0) close(fds[0]);
  if (fds[1] >= 0) close(fds[1]);
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const ChildLimits& limits,
                     const std::vector<std::string>& environment) {
  ChildResult result;
  if (argv.empty()) return result;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // The child's environment is made here: nothing between fork and exec may
  // allocate.
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) {
    const std::string_view entry(*e);
    const bool replaced = std::ranges::any_of(environment, [&](const std::string& given) {
      const std::size_t name = given.find('=');
      return entry.substr(0, entry.find('=')) == std::string_view(given).substr(0, name);
    });
    if (!replaced) env.push_back(*e);
  }
  for (const std::string& given : environment) env.push_back(const_cast<char*>(given.c_str()));
  env.push_back(nullptr);

  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  if (!Pipe(out) || !Pipe(err)) {
    CloseBoth(out);
    CloseBoth(err);
    return result;
  }
  const rlimit cpu{static_cast<rlim_t>(limits.cpuSeconds), static_cast<rlim_t>(limits.cpuSeconds)};
  const pid_t pid = fork();
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    setpgid(0, 0);
    setrlimit(RLIMIT_CPU, &cpu);
    const int devnull = open("/dev/null", O_RDONLY);
    if (devnull >= 0) dup2(devnull, STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return result;
  }
  setpgid(pid, pid);  // also from here, so the group exists before any kill
  result.started = true;

  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(limits.wallSeconds));
  // The child's end shows on its pidfd; without one, its closing both pipes
  // stands for it.
  const int childFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  bool ended = childFd < 0;
  pollfd fds[4] = {
      {out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {childFd, POLLIN, 0}, {limits.cancelFd, POLLIN, 0}};
  std::string* kept[2] = {&result.out, &result.err};
  int openPipes = 2;
  while (openPipes > 0 || !ended) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      break;
    }
    const int ready = poll(fds, 4, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) break;
    if (fds[3].fd >= 0 && fds[3].revents != 0) {
      result.cancelled = true;
      break;
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      ended = true;
      fds[2].fd = -1;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        const std::size_t room = limits.outputCap - std::min(limits.outputCap, kept[i]->size());
        kept[i]->append(buffer, std::min(room, static_cast<std::size_t>(n)));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --openPipes;
      }
    }
  }
  if (result.timedOut || result.cancelled) kill(-pid, SIGKILL);
  for (int i = 0; i < 2; ++i) {
    if (fds[i].fd >= 0) close(fds[i].fd);
  }
  if (childFd >= 0) close(childFd);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace scores
