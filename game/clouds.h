// TCloud: the one to three clouds that drift across the top of a level and wrap
// around when they leave the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/owned.h"
#include "engine/types.h"

namespace game {

class GameResources;

struct TCloud {
  std::uint8_t direction = 0;  // 0 drifts left, 1 drifts right
  long double speed = 0;       // units per frame
  long double x = 0;
  long double y = 0;
  engine::OwnedSprite sprite;
};

// A level's clouds, drawn at random: count, then for each its direction, speed,
// picture, x and y.
void MakeClouds(std::vector<TCloud>& clouds, const GameResources& resources, iHandle camera);
// One frame of drift; a cloud further than 28 from the centre comes back in at
// the other side (26).
void DriftClouds(std::vector<TCloud>& clouds);
// Empties the list, and so destroys the sprites.
void DestroyClouds(std::vector<TCloud>& clouds);

}  // namespace game
