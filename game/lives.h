// Losing a life, shared by the hero's two ways of losing one: falling off the
// bottom of the screen and the end of his dying animation.
#pragma once

namespace game {

struct GameContext;

enum class LifeLoss {
  FellOut,     // fell below the screen: with lives left he comes back translucent
  DyingEnded,  // caught by an enemy: he got his tint when he was caught
};

// The hero is hidden and put back standing on platform 0 at x -10, the game
// replays the walk-out next frame, and the life icons show the new count. With
// the last life gone the game-over picture shows and the game-over phase begins
// (lives stay 1). Returns whether the game goes on.
bool LoseLife(GameContext& game, LifeLoss how);

}  // namespace game
