#include "tools/sim/raven_json.h"

#include "engine/runtime.h"
#include "game/balloon.h"
#include "game/raven.h"

namespace sim {
namespace {

// Whether the engine draws the sprite (false for none or a dead handle).
bool SpriteShown(iHandle sprite) {
  const engine::Engine* engine = engine::Installed();
  if (engine == nullptr) return false;
  const auto& sprites = engine->world().sprites;
  const auto it = sprites.find(sprite);
  return it != sprites.end() && it->second.shown;
}

}  // namespace

void AppendBalloons(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("balloons").BeginArray();
  for (const auto& balloon : objects.balloons) {
    json.BeginObject()
        .Field("x", balloon->x)
        .Field("y", balloon->y)
        .Field("taken", balloon->taken)
        .Field("frame", static_cast<int>(balloon->frame))
        .Field("shown", SpriteShown(balloon->sprite))
        .EndObject();
  }
  json.EndArray();
}

void AppendRaven(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("raven");
  if (objects.ravens.empty()) {
    json.Null();
    return;
  }
  const game::TRaven& raven = *objects.ravens.front();
  json.BeginObject()
      .Field("x", raven.x)
      .Field("y", raven.y)
      .Field("direction", static_cast<int>(raven.direction))
      .Field("frame", raven.frame)
      .Field("idle", raven.idle)
      .Field("delay", raven.delay)
      .Field("dropped", raven.dropped)
      .Field("done", raven.done)
      .Field("bonusIndex", raven.bonusIndex)
      .Field("dropX", raven.dropX)
      .Field("endX", raven.endX)
      .Field("parcelX", raven.parcelX)
      .Field("parcelY", raven.parcelY)
      .Field("parcelShown", SpriteShown(raven.parcelSprite))
      .EndObject();
}

}  // namespace sim
