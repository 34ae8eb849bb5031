// Losing a life, as the hero does it when he falls out or his dying ends, and
// the life icons that show the lives left.
#pragma once

#include "game/game_context.h"

namespace game::hero_lives {

// A life is lost: the game replays the walk-out next frame. On the last life
// the game-over picture comes up with its sound and lives stay at 1 (false);
// otherwise one life less and the icons show the rest (true).
bool LoseLife(GameContext& game);

// All three icons hidden, then one shown per life left (icon 3 only at 3).
void ShowLifeIcons(const GameContext& game);

}  // namespace game::hero_lives
