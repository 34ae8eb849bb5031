// The balloons and the raven of a frame record's game object.
#pragma once

#include "game/game_context.h"
#include "tools/sim/json_writer.h"

namespace sim {

// "balloons": [{"x", "y", "taken", "frame", "shown"}, ...] in list order.
void AppendBalloons(JsonWriter& json, const game::LevelObjects& objects);

// "raven": {"x", "y", "direction", "frame", "idle", "delay", "dropped", "done",
// "bonusIndex", "dropX", "endX", "parcelX", "parcelY", "parcelShown"}, or null
// while no level runs.
void AppendRaven(JsonWriter& json, const game::LevelObjects& objects);

}  // namespace sim
