// zq-scores started on 127.0.0.1 on a free port for one test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace testing_support {

class ScoreServerProcess {
 public:
  // `extra` is added to the command line after the address and the store.
  explicit ScoreServerProcess(const std::string& db, std::vector<std::string> extra = {}) {
    std::vector<std::string> argv = {ZQ_SCORES_BIN, "--host", "127.0.0.1", "--port",
                                     "0",           "--db",   db};
    argv.insert(argv.end(), extra.begin(), extra.end());
    process_ = std::make_unique<ChildProcess>(argv);
    const auto line = process_->ReadLine();
    const std::string prefix = "zq-scores listening on http://127.0.0.1:";
    if (line && line->rfind(prefix, 0) == 0) port_ = std::stoi(line->substr(prefix.size()));
  }

  bool ready() const { return port_ > 0; }
  int port() const { return port_; }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // SIGTERM; the exit status.
  int Stop() { return process_->Stop(); }
  ChildProcess& process() { return *process_; }

 private:
  std::unique_ptr<ChildProcess> process_;
  int port_ = 0;
};

}  // namespace testing_support
