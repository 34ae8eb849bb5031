// The level's enemies in a frame record: key "enemies", one object each.
#pragma once

#include "game/game_context.h"
#include "tools/sim/json_writer.h"

namespace sim {

// Writes "enemies": [{kind, x, y, direction, frame, state, platformIndex,
// pathLength, lyingTimer}, ...] into the open object.
void AppendEnemies(JsonWriter& json, const game::LevelObjects& objects);

}  // namespace sim
