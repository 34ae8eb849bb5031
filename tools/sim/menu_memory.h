// Engine objects and memory at the main menu after each game of one program
// run. A game leaves nothing behind, so after every later game the menu holds
// no more engine objects than after the run's first one (which loaded the
// game's own pictures for the rest of the run). A new program run starts from
// an empty engine and takes its own first sample.
//
// Textures and sprites are what a leak of a level's pictures shows in at once;
// the resident memory (RSS) is kept as a figure only, as it moves with the
// allocator and, under ASan, with its quarantine.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct MenuSample {
  int run = 0;
  long phase = 0;  // the soak's phase count when it was taken
  long textures = 0;
  long sprites = 0;
  long engineObjects = 0;  // every kind of engine object, textures and sprites too
  long rssKiB = 0;
};

class MenuMemory {
 public:
  // `allowedGrowth`: engine objects a later sample may hold beyond the first.
  explicit MenuMemory(long allowedGrowth = 0) : allowed_(allowedGrowth) {}

  void NewRun() { first_ = -1; }
  // Keeps the sample; returns what grew beyond the bound, or "".
  std::string Add(const MenuSample& sample);

  const std::vector<MenuSample>& samples() const { return samples_; }
  // The most engine objects a sample held beyond the first of its run.
  long growth() const { return growth_; }

 private:
  long allowed_;
  long first_ = -1;  // index in samples_ of this run's first sample
  std::vector<MenuSample> samples_;
  long growth_ = 0;
};

}  // namespace sim
