// The random plan of a level: every object of a new level is made here, with
// the random draws always in the same order (clouds, platforms, diamonds, the
// special bonuses, enemies, the raven, balloons), so the same seed gives the
// same level.
#pragma once

#include <vector>

#include "game/clouds.h"

namespace game {

struct GameContext;

// Builds the level numbered `level` into the game's lists and `clouds`, and puts
// the hero on platform 0.
void BuildLevel(GameContext& game, std::vector<TCloud>& clouds, int level);

// The four fixed stairs on the left (the hero placed on the first as soon as
// it stands), then two columns of platforms climbing from the bottom by 5 to
// 5.33 a step, alternating left and right of the column centre, each ending
// before a platform would stand above y 9.
void BuildPlatforms(GameContext& game);

// Levels 5, 10, 15, ... are bonus levels, won by popping balloons.
inline bool IsBonusLevel(int level) {
  return level % 5 == 0;
}

}  // namespace game
