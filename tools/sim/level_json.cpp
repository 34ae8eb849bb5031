#include "tools/sim/level_json.h"

namespace sim {

void AppendGame(JsonWriter& json, const game::TGame& game) {
  json.BeginObject()
      .Field("level", game.GetLevel())
      .Field("score", game.GetScore())
      .Field("lives", game.GetLives())
      .EndObject();
}

}  // namespace sim
