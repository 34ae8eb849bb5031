#include "platform/random.h"

#include <chrono>

namespace platform {
namespace {

Random gGenerator;

}  // namespace

int Random::Next(int n) {
  if (n <= 0) return 0;
  const std::uint64_t range = static_cast<std::uint64_t>(n);
  // 2^64 mod range: the draws below it are rejected so that the accepted ones
  // cover a whole multiple of range.
  const std::uint64_t rejectBelow = (0 - range) % range;
  std::uint64_t draw;
  do {
    draw = engine_();
    ++draws_;
  } while (draw < rejectBelow);
  return static_cast<int>(draw % range);
}

int random(int n) {
  return gGenerator.Next(n);
}

void SeedRandom(std::uint64_t seed) {
  gGenerator.Seed(seed);
}

void SeedRandomFromClock() {
  const auto wall = std::chrono::system_clock::now().time_since_epoch();
  const auto steady = std::chrono::steady_clock::now().time_since_epoch();
  const std::uint64_t seed =
      static_cast<std::uint64_t>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(wall).count()) ^
      (static_cast<std::uint64_t>(
           std::chrono::duration_cast<std::chrono::nanoseconds>(steady).count())
       << 17);
  gGenerator.Seed(seed);
}

RandomPosition CurrentRandomPosition() {
  return {gGenerator.seed(), gGenerator.draws()};
}

void SeekRandom(const RandomPosition& position) {
  gGenerator.SeekTo(position.seed, position.draws);
}

}  // namespace platform
