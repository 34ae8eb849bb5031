// Particle systems and their emitters.
#include <algorithm>

#include "engine/engine.h"
#include "engine/operations_common.h"

using engine::Installed;

iHandle iParticleCreate(const char* textureFile, int maxCount) {
  engine::Engine* e = Installed();
  if (!e) return 0;
  engine::ParticleSystem system;
  system.texture = textureFile ? iTextureCreate(textureFile) : 0;
  system.maxCount = std::max(0, maxCount);
  system.order = e->NextOrder();
  const iHandle h = e->NewHandle();
  e->world().particleSystems[h] = std::move(system);
  return h;
}

void iParticleRenderModeSet(iHandle system, int mode) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->renderMode = mode;
}

void iParticleGravitySet(iHandle system, const iVec3& gravity) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->gravity = gravity;
}

void iParticleAirResistanceSet(iHandle system, float resistance) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->airResistance = resistance;
}

void iParticleColorSet(iHandle system, const iVec3& start, const iVec3& end) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) {
    s->colorStart = start;
    s->colorEnd = end;
  }
}

void iParticleLifeTimeSet(iHandle system, float seconds) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->lifeTime = seconds;
}

void iParticleShow(iHandle system) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->shown = true;
}

void iParticleHide(iHandle system) {
  if (auto* s = ZQ_ENGINE_FIND(particleSystems, system)) s->shown = false;
}

void iParticleDestroy(iHandle system) {
  engine::Engine* e = Installed();
  if (!e) return;
  auto& systems = e->world().particleSystems;
  auto it = systems.find(system);
  if (it == systems.end()) return;
  iTextureDestroy(it->second.texture);
  systems.erase(it);
}

iHandle iParticleEmitterCreate(iHandle system) {
  engine::Engine* e = Installed();
  if (!e || !ZQ_ENGINE_FIND(particleSystems, system)) return 0;
  const iHandle h = e->NewHandle();
  engine::Emitter emitter;
  emitter.system = system;
  e->world().emitters[h] = emitter;
  return h;
}

void iParticleEmitterLocationSet(iHandle emitter, const iVec3& location) {
  if (auto* m = ZQ_ENGINE_FIND(emitters, emitter)) m->location = location;
}

void iParticleEmitterDirectionSet(iHandle emitter, const iVec3& from, const iVec3& to) {
  if (auto* m = ZQ_ENGINE_FIND(emitters, emitter)) {
    m->directionFrom = from;
    m->directionTo = to;
  }
}

void iParticleEmitterSpeedSet(iHandle emitter, float from, float to) {
  if (auto* m = ZQ_ENGINE_FIND(emitters, emitter)) {
    m->speedFrom = from;
    m->speedTo = to;
  }
}

void iParticleEmitterScaleSet(iHandle emitter, const iVec2& from, const iVec2& to) {
  if (auto* m = ZQ_ENGINE_FIND(emitters, emitter)) {
    m->scaleFrom = from;
    m->scaleTo = to;
  }
}

// Spawns `count` particles now at the emitter. Each draws its direction, speed
// and size uniformly from the emitter's ranges. A full system gives up its
// oldest particles, so a moving emitter keeps a trail behind it instead of
// stalling until the first particles die.
void iParticleEmitterEmit(iHandle emitter, int count, float /*seconds*/) {
  engine::Engine* e = Installed();
  auto* m = ZQ_ENGINE_FIND(emitters, emitter);
  if (!m) return;
  auto* s = ZQ_ENGINE_FIND(particleSystems, m->system);
  if (!s) return;
  const auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
  if (s->maxCount <= 0) return;
  const int spawn = std::min(count, s->maxCount);
  const int overflow = static_cast<int>(s->particles.size()) + spawn - s->maxCount;
  if (overflow > 0) s->particles.erase(s->particles.begin(), s->particles.begin() + overflow);
  for (int i = 0; i < spawn; ++i) {
    engine::Particle p;
    p.x = m->location.x;
    p.y = m->location.y;
    const float td = e->NextUnitRandom();
    const float speed = lerp(m->speedFrom, m->speedTo, e->NextUnitRandom());
    p.vx = lerp(m->directionFrom.x, m->directionTo.x, td) * speed;
    p.vy = lerp(m->directionFrom.y, m->directionTo.y, td) * speed;
    const float ts = e->NextUnitRandom();
    p.width = lerp(m->scaleFrom.x, m->scaleTo.x, ts);
    p.height = lerp(m->scaleFrom.y, m->scaleTo.y, ts);
    s->particles.push_back(p);
  }
}

void iParticleEmitterDestroy(iHandle emitter) {
  if (engine::Engine* e = Installed()) e->world().emitters.erase(emitter);
}
