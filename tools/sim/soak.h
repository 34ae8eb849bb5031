// zq-sim --monkey: the whole program played with random input (sim::Monkey) for
// a number of run phases, its invariants checked after every frame. A program
// that ends (the exit dialog's YES) is started again in the same directory, as
// a player would. Prints one JSON line with the figures of the run.
#pragma once

#include <cstdint>
#include <ostream>

namespace sim {

struct SoakOptions {
  std::uint64_t monkeySeed = 0;
  std::uint64_t gameSeed = 1;
  int firstLevel = 1;
  int phases = 20000;
};

// 0 when every frame kept the invariants; otherwise the broken one is written
// to `errors` with the phase it broke at, and the result is 3 (or the program's
// own exit status after a fatal file error).
int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace sim
