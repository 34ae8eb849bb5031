// THeroMissile: throwing, the flight with its four spinning trails and the
// flash at the hand, and what stops a missile (its age, an enemy, a platform).
#include "game/hero_missile.h"

#include <cmath>
#include <numbers>

#include "engine/engine.h"
#include "game/enemy.h"
#include "game/game_context.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/particle_location.h"
#include "game/timer_steps.h"

namespace game {
namespace {

constexpr long double kStepLength = 0.1L;  // per step; four steps a frame
constexpr long double kSpinStep = 0.9L;
constexpr long double kFullTurn = 2 * std::numbers::pi_v<long double>;
constexpr long double kTrailPhase = 1.57075L;  // a quarter turn between trails
constexpr long double kTrailRadius = 0.2L;
constexpr long double kHandOffset = 0.5L;  // from the hero's centre, and the flash beyond
// A missile reaches an enemy's head this far above its box.
constexpr long double kEnemyReachAbove = 1.5L;

constexpr iVec3 kStartColors[4] = {{0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1}};

// A missile's particle system: a glow that shrinks over a short life.
engine::OwnedParticles MakeGlow(iVec3 from, iVec3 to, float life) {
  engine::OwnedParticles system(iParticleCreate("data\\particle_clot.dds", 100));
  iParticleRenderModeSet(system, 4);
  iParticleGravitySet(system, {0, 0, 0});
  iParticleAirResistanceSet(system, -10);
  iParticleColorSet(system, from, to);
  iParticleLifeTimeSet(system, life);
  iParticleShow(system);
  return system;
}

engine::OwnedEmitter MakeEmitter(iHandle system, float scale) {
  engine::OwnedEmitter emitter(iParticleEmitterCreate(system));
  iParticleEmitterLocationSet(emitter, {0, -3, 0});
  iParticleEmitterDirectionSet(emitter, {0, 0, 0}, {0, 0, 0});
  iParticleEmitterSpeedSet(emitter, 1, 1);
  iParticleEmitterScaleSet(emitter, {scale, scale}, {scale, scale});
  return emitter;
}

}  // namespace

void THeroMissile::CreateParticles() {
  for (std::size_t i = 0; i < trails.size(); ++i) {
    trails[i] = MakeGlow(kStartColors[i], {1, 0, 0}, 0.1f);
    trailEmitters[i] = MakeEmitter(trails[i], 0.4f);
  }
  flash = MakeGlow({1, 0, 0}, {0, 1, 0}, 0.5f);
  flashEmitter = MakeEmitter(flash, 1.4f);
}

void THeroMissile::Launch(long double fromX, long double fromY, std::uint8_t direction) {
  const long double side = direction == 1 ? kHandOffset : -kHandOffset;
  x = fromX + side;
  y = fromY;
  idle = false;
  age = 0;
  flashTimer = 0.2L;
  iParticleEmitterLocationSet(flashEmitter, ParticleLocation(x + side, y));
  heading = direction == 1 ? 0 : kHeadingLeft;
  ShowParticles(true);
}

void THeroMissile::Ground() {
  idle = true;
  age = 0;
  flashTimer = -1.0L;
  ShowParticles(false);
}

void THeroMissile::ShowParticles(bool shown) const {
  for (const iHandle system :
       {trails[0].get(), trails[1].get(), trails[2].get(), trails[3].get(), flash.get()}) {
    if (shown) {
      iParticleShow(system);
    } else {
      iParticleHide(system);
    }
  }
}

void THeroMissile::AdvanceMissile(GameContext& game) {
  if (flashTimer > 0) {
    iParticleEmitterEmit(flashEmitter, 10, 1);
    flashTimer -= kTimerStep;
  }
  x += std::cos(heading) * kStepLength;
  y += std::sin(heading) * kStepLength;
  spin += kSpinStep;
  if (spin > kFullTurn) spin = 0;
  EmitTrails();

  // Spent missiles still finish this step's tests.
  if (++age > kLifeSteps) idle = true;
  if (HitEnemy(game)) {
    idle = true;
    return;
  }
  if (HitPlatform(game)) idle = true;
}

void THeroMissile::EmitTrails() const {
  long double phase = 0;
  for (const iHandle emitter : trailEmitters) {
    const long double angle = phase + spin;
    iParticleEmitterLocationSet(emitter, ParticleLocation(std::cos(angle) * kTrailRadius + x,
                                                          std::sin(angle) * kTrailRadius + y));
    iParticleEmitterEmit(emitter, 10, 1);
    phase += kTrailPhase;
  }
}

bool THeroMissile::HitEnemy(GameContext& game) const {
  const RectBox box = Box();
  for (const auto& enemy : game.objects.enemies) {
    if (!enemy->MissileCanHit()) continue;
    RectBox reach = enemy->Box();
    reach.top = static_cast<double>(enemy->y + enemy->halfHeight + kEnemyReachAbove);
    if (RectsOverlap(box, reach)) {
      enemy->KnockDown();
      return true;
    }
  }
  return false;
}

bool THeroMissile::HitPlatform(const GameContext& game) const {
  const RectBox box = Box();
  for (const auto& platform : game.objects.platforms) {
    if (RectsOverlap(box, platform->Box())) return true;
  }
  return false;
}

// --- The hero's side: throwing and the four steps a frame ---

void THero::Throw() {
  for (THeroMissile& missile : missiles) {
    if (!missile.idle) continue;
    game_.Play(sndThrow);
    missile.Launch(x, y, direction);
    return;
  }
}

void THero::AdvanceMissiles() {
  for (int pass = 0; pass < 4; ++pass) {
    for (THeroMissile& missile : missiles) {
      if (!missile.idle) missile.AdvanceMissile(game_);
    }
  }
}

}  // namespace game
