// Small helpers for level objects that animate pictures: the millisecond
// picture step and the 1..n cycle.
#pragma once

#include <cstdint>

#include "engine/types.h"

namespace game {

// True, and `lastStepTime` moved to `now`, when more than `intervalMs` have
// passed since the last picture change. Unsigned arithmetic keeps the test
// right when the tick count wraps around.
inline bool PictureStepDue(std::uint32_t now, std::uint32_t& lastStepTime,
                           std::uint32_t intervalMs) {
  if (now - lastStepTime <= intervalMs) return false;
  lastStepTime = now;
  return true;
}

// The next picture of a cycle 1..count.
inline int NextInCycle(int frame, int count) {
  return frame >= count ? 1 : frame + 1;
}

}  // namespace game
