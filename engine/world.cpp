#include "engine/world.h"

namespace engine {

void World::Clear() {
  textures.clear();
  sprites.clear();
  fonts.clear();
  particleSystems.clear();
  emitters.clear();
  sounds.clear();
  cameras.clear();
  texts.clear();
  printColor = iColor{};
  input = InputSnapshot{};
  mipLevels = 1;
}

}  // namespace engine
