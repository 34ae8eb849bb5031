#include "engine/world.h"

#include <atomic>

namespace engine {
namespace {

std::atomic<std::uint64_t> g_nextGeneration{1};

}  // namespace

std::uint64_t World::NewGeneration() {
  return g_nextGeneration.fetch_add(1);
}

void World::Clear() {
  textures.clear();
  sprites.clear();
  fonts.clear();
  particleSystems.clear();
  emitters.clear();
  sounds.clear();
  cameras.clear();
  decodedImages.Clear();
  texts.clear();
  printColor = iColor{};
  input = InputSnapshot{};
  mipLevels = 1;
  generation = NewGeneration();
}

}  // namespace engine
