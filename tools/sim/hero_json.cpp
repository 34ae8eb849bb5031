#include "tools/sim/hero_json.h"

#include "engine/runtime.h"

namespace sim {
namespace {

// The hero's sprite as the engine holds it (none when no engine is installed).
const engine::Sprite* FindSprite(iHandle sprite) {
  const engine::Engine* installed = engine::Installed();
  if (!installed) return nullptr;
  const auto& sprites = installed->world().sprites;
  const auto it = sprites.find(sprite);
  return it == sprites.end() ? nullptr : &it->second;
}

}  // namespace

void AppendHero(JsonWriter& json, const game::THero& hero) {
  const engine::Sprite* sprite = FindSprite(hero.sprite);
  json.Key("hero")
      .BeginObject()
      .Field("x", hero.x)
      .Field("y", hero.y)
      .Field("direction", hero.direction)
      .Field("frame", hero.frame)
      .Field("jumpStep", hero.jumpStep)
      .Field("running", hero.running)
      .Field("falling", hero.falling)
      .Field("rising", hero.rising)
      .Field("dying", hero.dying)
      .Field("takeOff", hero.takeOff)
      .Field("landing", hero.landing)
      .Field("joy", hero.joy)
      .Field("dustTimer", hero.dustTimer)
      .Field("shown", sprite != nullptr && sprite->shown)
      .Field("alpha", sprite ? sprite->color.a : 0.0f)
      .EndObject();

  json.Key("missiles").BeginArray();
  for (std::size_t i = 0; i < hero.missiles.size(); ++i) {
    const game::THeroMissile& missile = hero.missiles[i];
    if (missile.idle) continue;
    json.BeginObject()
        .Field("index", static_cast<int>(i + 1))
        .Field("x", missile.x)
        .Field("y", missile.y)
        .Field("age", missile.age)
        .Field("heading", missile.heading)
        .EndObject();
  }
  json.EndArray();
}

}  // namespace sim
