// zq-sim --monkey: the whole program played by sim::Monkey for a number of run
// phases, its invariants checked after every frame. A program that ends (the
// exit dialog's YES) is started again in the same directory, as a player would.
// Counts what the play reached (sim::Milestones) and the engine objects at the
// main menu after each game (sim::MenuMemory). Prints one JSON line with the
// figures of the run.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct SoakOptions {
  std::uint64_t monkeySeed = 0;
  std::uint64_t gameSeed = 1;
  int firstLevel = 1;
  int phases = 20000;
  // Milestones (names of sim::Milestones) the soak must reach at least so often.
  std::vector<std::pair<std::string, int>> expected;
};

// 0 when every frame kept the invariants, the engine objects at the main menu
// did not grow and every expected milestone was reached. A broken invariant or
// grown objects are written to `errors` with the phase, and the result is 3
// (or the program's own exit status after a fatal file error); a milestone
// reached too seldom gives 4.
int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace sim
