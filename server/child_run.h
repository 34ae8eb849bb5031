// Runs a program as a child process without a shell, in a process group of
// its own, with a CPU-time limit and a wall-clock time-out after which the
// whole group is killed; its standard output is kept up to a size cap.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace scores {

struct ChildLimits {
  int cpuSeconds = 10;           // RLIMIT_CPU of the child
  double wallSeconds = 20;       // killed after this long
  std::size_t outputCap = 4096;  // bytes of stdout (and of stderr) kept
  int cancelFd = -1;             // when it becomes readable, the child is killed at once
};

struct ChildResult {
  bool started = false;    // false: the program could not be run
  bool timedOut = false;   // killed after the wall-clock time-out
  bool cancelled = false;  // killed because cancelFd became readable
  int exitCode = -1;       // when it exited by itself
  int signal = 0;          // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// `environment`: "NAME=value" entries the child gets in place of the service's
// own value of NAME (the rest of the service's environment is passed on).
ChildResult RunChild(const std::vector<std::string>& argv, const ChildLimits& limits,
                     const std::vector<std::string>& environment = {});

}  // namespace scores
