#include "tools/sim/menu_memory.h"

#include <algorithm>

namespace sim {

std::string MenuMemory::Add(const MenuSample& sample) {
  samples_.push_back(sample);
  if (first_ < 0) {
    first_ = static_cast<long>(samples_.size()) - 1;
    return "";
  }
  const MenuSample& first = samples_[static_cast<std::size_t>(first_)];
  const long grown = sample.engineObjects - first.engineObjects;
  growth_ = std::max(growth_, grown);
  if (grown <= allowed_) return "";
  return std::to_string(grown) + " engine objects more at the main menu than after this run's " +
         "first game (textures " + std::to_string(first.textures) + " -> " +
         std::to_string(sample.textures) + ", sprites " + std::to_string(first.sprites) + " -> " +
         std::to_string(sample.sprites) + ", all " + std::to_string(first.engineObjects) + " -> " +
         std::to_string(sample.engineObjects) + ")";
}

}  // namespace sim
