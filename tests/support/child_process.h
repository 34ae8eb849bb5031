// A program started by a test: its standard output is read line by line, and
// it is stopped with SIGTERM (or killed) when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of standard output, or nothing at its end or after `wait`.
  std::optional<std::string> ReadLine(std::chrono::milliseconds wait = std::chrono::seconds(20));
  // Sends SIGTERM and waits: the exit status (or 128 + signal), -1 when it
  // had to be killed after `wait`.
  int Stop(std::chrono::milliseconds wait = std::chrono::seconds(20));
  // Waits for it to end by itself; killed after `wait`.
  int Wait(std::chrono::milliseconds wait = std::chrono::seconds(20));
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffered_;
  std::optional<int> status_;
};

}  // namespace testing_support
