#include "engine/runtime.h"

#include <algorithm>

#include "engine/owned.h"

namespace engine {
namespace {

Engine* g_installed = nullptr;

}  // namespace

Engine::Engine(std::unique_ptr<Backend> backend) : backend_(std::move(backend)) {}

Engine::~Engine() {
  if (g_installed == this) g_installed = nullptr;
}

void Engine::StepParticles(float dt) {
  for (auto& [handle, system] : world_.particleSystems) {
    auto& list = system.particles;
    const float life = system.lifeTime;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](Particle& p) {
                                p.age += dt;
                                return p.age >= life;
                              }),
               list.end());
    for (Particle& p : list) {
      p.vx += (system.gravity.x + system.airResistance * p.vx) * dt;
      p.vy += (system.gravity.y + system.airResistance * p.vy) * dt;
      p.x += p.vx * dt;
      p.y += p.vy * dt;
    }
  }
}

float Engine::NextUnitRandom() {
  // xorshift64*: the engine's own sequence, so particle effects never disturb the
  // game's random choices.
  randomState_ ^= randomState_ >> 12;
  randomState_ ^= randomState_ << 25;
  randomState_ ^= randomState_ >> 27;
  const std::uint64_t r = randomState_ * 2685821657736338717ULL;
  return static_cast<float>(r >> 40) / static_cast<float>(1ULL << 24);
}

void Install(Engine* engine) {
  g_installed = engine;
}

Engine* Installed() {
  return g_installed;
}

std::uint64_t ObjectGeneration() {
  return g_installed ? g_installed->generation() : 0;
}

}  // namespace engine
