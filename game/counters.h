// The three counters of a game (score, level, lives), held masked in memory and
// read and written only through their accessors.
#pragma once

#include <cstdint>

#include "game/masked_counter.h"

namespace game {

class Counters {
 public:
  std::int32_t GetScore() const { return score_.Get(); }
  // A negative score is ignored.
  void SetScore(std::int32_t score) {
    if (score >= 0) score_.Set(score);
  }
  void AddScore(std::int32_t points) { SetScore(GetScore() + points); }
  std::int32_t GetLevel() const { return level_.Get(); }
  void SetLevel(std::int32_t level) { level_.Set(level); }
  std::int32_t GetLives() const { return lives_.Get(); }
  void SetLives(std::int32_t lives) { lives_.Set(lives); }

 private:
  MaskedCounter score_;
  MaskedCounter level_;
  MaskedCounter lives_;
};

}  // namespace game
