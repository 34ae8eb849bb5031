// The hero and his missiles in a frame record's game object.
#pragma once

#include "game/hero.h"
#include "tools/sim/json_writer.h"

namespace sim {

// Writes the keys "hero" and "missiles" into the open game object. Stand-in
// until the hero is written: nothing yet.
inline void AppendHero(JsonWriter& /*json*/, const game::THero& /*hero*/) {}

}  // namespace sim
