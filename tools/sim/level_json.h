// The game object of a frame record: counters, phases and timers, and every
// object of the running level, one small writer per kind of object.
#pragma once

#include "game/game.h"
#include "tools/sim/json_writer.h"

namespace sim {

// {"level", "score", "lives", ...}: the game and its level.
void AppendGame(JsonWriter& json, const game::TGame& game);

}  // namespace sim
