#include "tools/sim/enemy_json.h"

#include "game/enemy.h"

namespace sim {
namespace {

const char* StateName(const game::TEnemy& enemy) {
  if (enemy.lying) return "lying";
  if (enemy.crouching) return "crouching";
  if (enemy.landing) return "landing";
  if (enemy.jumping) return "jumping";
  if (enemy.eating) return "eating";
  if (enemy.knockedDown) return enemy.goingDown ? "falling" : "gettingUp";
  return "walking";
}

}  // namespace

void AppendEnemies(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("enemies").BeginArray();
  for (const auto& enemy : objects.enemies) {
    json.BeginObject()
        .Field("kind", enemy->look().name)
        .Field("x", enemy->x)
        .Field("y", enemy->y)
        .Field("direction", static_cast<int>(enemy->direction))
        .Field("frame", enemy->frame)
        .Field("state", StateName(*enemy))
        .Field("platformIndex", enemy->platformIndex)
        .Field("pathLength", enemy->PathLength())
        .Field("lyingTimer", enemy->lyingTimer)
        .EndObject();
  }
  json.EndArray();
}

}  // namespace sim
