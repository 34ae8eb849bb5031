// Where the engine puts a particle emitter for a point of the screen: the
// engine's particle world is the screen scaled by 5.5/16. Every emitter the
// game places (hero, enemies, diamonds, the UFO) goes through it.
#pragma once

#include "engine/types.h"

namespace game {

inline iVec3 ParticleLocation(long double x, long double y) {
  constexpr long double kScale = 5.5L / 16.0L;
  return {static_cast<float>(x * kScale), static_cast<float>(y * kScale), 0};
}

}  // namespace game
