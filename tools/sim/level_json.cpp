#include "tools/sim/level_json.h"

#include "engine/runtime.h"
#include "game/bonus.h"
#include "game/bonus_emitter.h"
#include "game/diamond.h"
#include "game/level_platform.h"
#include "tools/sim/enemy_json.h"
#include "tools/sim/hero_json.h"
#include "tools/sim/raven_json.h"

namespace sim {
namespace {

const char* BonusKindName(game::BonusKind kind) {
  switch (kind) {
    case game::BonusKind::Diamond:
      return "diamond";
    case game::BonusKind::Snow:
      return "snow";
    case game::BonusKind::LifePlus:
      return "lifeplus";
    case game::BonusKind::Banana:
      return "banana";
    case game::BonusKind::Pear:
      return "pear";
    case game::BonusKind::Clock:
      return "clock";
    case game::BonusKind::Balloon:
      return "balloon";
  }
  return "?";
}

// Whether a sprite of the installed engine is shown now.
bool Shown(iHandle sprite) {
  const engine::Engine* e = engine::Installed();
  if (!e) return false;
  const auto it = e->world().sprites.find(sprite);
  return it != e->world().sprites.end() && it->second.shown;
}

void AppendPhases(JsonWriter& json, const game::LevelState& s) {
  json.Field("entryPhase", s.entryPhase)
      .Field("walkingOut", s.walkingOut)
      .Field("ufoCountdown", s.ufoCountdown)
      .Field("walkOutCountdown", s.walkOutCountdown)
      .Field("respawnRequested", s.respawnRequested)
      .Field("timeOverPhase", s.timeOverPhase)
      .Field("levelCompletePhase", s.levelCompletePhase)
      .Field("gameOverPhase", s.gameOverPhase)
      .Field("timeLeft", s.timeLeft)
      .Field("timeTotal", s.timeTotal)
      .Field("clockStopTimer", s.clockStopTimer)
      .Field("freezeTimer", s.freezeTimer)
      .Field("heroTintTimer", s.heroTintTimer)
      .Field("gameOverTimer", s.gameOverTimer)
      .Field("timeOverTimer", s.timeOverTimer)
      .Field("levelCompleteTimer", s.levelCompleteTimer);
}

void AppendPlatforms(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("platforms").BeginArray();
  for (const auto& p : objects.platforms) {
    json.BeginObject().Field("x", p->x).Field("y", p->y).EndObject();
  }
  json.EndArray();
}

void AppendBonuses(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("bonuses").BeginArray();
  for (const auto& b : objects.bonuses) {
    json.BeginObject()
        .Field("kind", BonusKindName(b->kind()))
        .Field("x", b->x)
        .Field("y", b->y)
        .Field("taken", b->taken)
        .Field("shown", Shown(b->sprite))
        .Field("sparkleTimer", b->sparkleTimer);
    if (b->kind() == game::BonusKind::Diamond) {
      const auto& d = static_cast<const game::TDiamond&>(*b);
      json.Field("frame", static_cast<int>(d.frame))
          .Field("returnTimer", d.returnTimer)
          .Field("returnCounter", d.returnCounter);
    }
    json.EndObject();
  }
  json.EndArray();
}

void AppendEmitters(JsonWriter& json, const game::LevelObjects& objects) {
  json.Key("emitters").BeginArray();
  for (const auto& e : objects.emitters) {
    json.BeginObject()
        .Field("life", e->life)
        .Field("radius", e->radius)
        .Field("x", e->centreX)
        .Field("y", e->centreY)
        .Field("shown", e->shown)
        .EndObject();
  }
  json.EndArray();
}

void AppendClouds(JsonWriter& json, const std::vector<game::TCloud>& clouds) {
  json.Key("clouds").BeginArray();
  for (const game::TCloud& c : clouds) {
    json.BeginObject()
        .Field("x", c.x)
        .Field("y", c.y)
        .Field("direction", static_cast<int>(c.direction))
        .Field("speed", c.speed)
        .EndObject();
  }
  json.EndArray();
}

}  // namespace

void AppendGame(JsonWriter& json, const game::TGame& game) {
  json.BeginObject()
      .Field("level", game.GetLevel())
      .Field("score", game.GetScore())
      .Field("lives", game.GetLives());
  AppendPhases(json, game.state());
  const game::TSandclock& clock = game.sandclock();
  json.Field("sandclockPicture", clock.current);
  json.Key("sandclock")
      .BeginObject()
      .Field("picture", clock.current)
      .Field("phase", clock.phase)
      .EndObject();
  json.Key("ufo")
      .BeginObject()
      .Field("x", game.ufo().x)
      .Field("y", game.ufo().y)
      .Field("shown", Shown(game.ufo().sprite))
      .EndObject();
  json.Field("cameraY", game.cameraY());
  if (const game::THero* hero = game.hero()) AppendHero(json, *hero);
  AppendPlatforms(json, game.objects());
  AppendBonuses(json, game.objects());
  AppendEmitters(json, game.objects());
  AppendClouds(json, game.clouds());
  AppendEnemies(json, game.objects());
  AppendBalloons(json, game.objects());
  AppendRaven(json, game.objects());
  json.EndObject();
}

}  // namespace sim
