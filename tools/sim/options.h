// The simulator's command line:
//   zq-sim [--dir DIR] [--seed N] [--level N] [--frames N] [--input FILE]
//          [--dump all|last|N,N,...] [--shot N:FILE.png]... [--monkey SEED]
//          [--expect NAME=N,...] [--record FILE] [--replay FILE [--verify]]
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct Shot {
  int frame = 0;
  std::string file;
};

struct CommandLine {
  std::optional<std::string> dir;
  std::uint64_t seed = 1;
  int level = 1;              // the level New Game starts at
  std::optional<int> frames;  // none: up to the last scripted frame
  std::optional<std::string> input;
  enum class Dump { All, Last, Listed } dump = Dump::Last;
  std::set<int> dumpFrames;
  std::vector<Shot> shots;
  // Random play instead of a script, for --frames run phases (default 20000).
  std::optional<std::uint64_t> monkey;
  // With --monkey: milestones the soak must reach at least N times each.
  std::vector<std::pair<std::string, int>> expected;
  // Where the last game of the run is written as a recording.
  std::optional<std::string> record;
  // A recorded game to play instead of a script; with verify, one JSON line
  // says whether its result was reached. A check reads none of the runtime
  // tree's saved files and writes nothing into it.
  std::optional<std::string> replay;
  bool verify = false;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kUsage =
    "usage: zq-sim [--dir DIR] [--seed N] [--level N] [--frames N] [--input FILE]\n"
    "              [--dump all|last|N,N,...] [--shot N:FILE.png]... [--monkey SEED]\n"
    "              [--expect NAME=N,...] [--record FILE] [--replay FILE [--verify]]\n";

// Throws UsageError with the reason.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace sim
