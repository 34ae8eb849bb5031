// The hero and his missiles in a frame record's game object.
#pragma once

#include "game/hero.h"
#include "tools/sim/json_writer.h"

namespace sim {

// Keys "hero" (position, pose, movement states, dust, whether shown and his
// alpha) and "missiles" (those in flight: index 1..50, x, y, age, heading),
// written into the game object being built.
void AppendHero(JsonWriter& json, const game::THero& hero);

}  // namespace sim
