// Uniform random integers that are the same on every machine for a given seed:
// the engine is std::mt19937_64 (fully defined by the standard) and the
// mapping to 0..n-1 is our own, since the standard distributions differ
// between library implementations.
#pragma once

#include <cstdint>
#include <random>

namespace platform {

class Random {
 public:
  static constexpr std::uint64_t kDefaultSeed = 5489;

  explicit Random(std::uint64_t seed = kDefaultSeed) : engine_(seed) {}

  void Seed(std::uint64_t seed) { engine_.seed(seed); }

  // Uniform over 0..n-1 without modulo bias; 0 when n <= 0.
  int Next(int n);

 private:
  std::mt19937_64 engine_;
};

// The program's one generator: every random choice of the game draws from it.
// It starts with Random::kDefaultSeed; the first initialisation seeds it from
// the clock, tests and tools seed it with a fixed value.
int random(int n);
void SeedRandom(std::uint64_t seed);
void SeedRandomFromClock();

}  // namespace platform
