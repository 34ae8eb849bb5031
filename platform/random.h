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

  explicit Random(std::uint64_t seed = kDefaultSeed) : engine_(seed), seed_(seed) {}

  void Seed(std::uint64_t seed) {
    engine_.seed(seed);
    seed_ = seed;
    draws_ = 0;
  }

  // Uniform over 0..n-1 without modulo bias; 0 when n <= 0.
  int Next(int n);

  // Where the sequence stands: the seed and the engine outputs taken since.
  // A recorded game starts from one and puts it back when it is replayed.
  std::uint64_t seed() const { return seed_; }
  std::uint64_t draws() const { return draws_; }
  void SeekTo(std::uint64_t seed, std::uint64_t draws) {
    Seed(seed);
    engine_.discard(draws);
    draws_ = draws;
  }

 private:
  std::mt19937_64 engine_;
  std::uint64_t seed_ = kDefaultSeed;
  std::uint64_t draws_ = 0;
};

struct RandomPosition {
  std::uint64_t seed = Random::kDefaultSeed;
  std::uint64_t draws = 0;
  friend bool operator==(const RandomPosition&, const RandomPosition&) = default;
};

// The program's one generator: every random choice of the game draws from it.
// It starts with Random::kDefaultSeed; the first initialisation seeds it from
// the clock, tests and tools seed it with a fixed value.
int random(int n);
void SeedRandom(std::uint64_t seed);
void SeedRandomFromClock();
RandomPosition CurrentRandomPosition();
// Costs one engine step per draw: callers bound `draws` first.
void SeekRandom(const RandomPosition& position);

}  // namespace platform
