// Small helpers for level objects that animate pictures made from the game's
// image slots: a texture from one slot, and the millisecond picture step.
#pragma once

#include <cstdint>

#include "engine/types.h"

namespace game {

class GameResources;

// A new texture from image slot `slot` (an empty slot gives texture 0).
iHandle TextureFromSlot(const GameResources& resources, int slot, std::int32_t tag);

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
