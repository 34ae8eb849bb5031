#include "game/hero_lives.h"

#include "engine/engine.h"
#include "game/game_resources.h"

namespace game::hero_lives {

void ShowLifeIcons(const GameContext& game) {
  const auto& icons = game.resources.lifeIcons;
  for (const iHandle icon : icons) iSpriteHide(icon);
  const std::int32_t lives = game.counters.GetLives();
  if (lives == 3) iSpriteShow(icons[2]);
  if (lives >= 2) iSpriteShow(icons[1]);
  if (lives >= 1) iSpriteShow(icons[0]);
}

bool LoseLife(GameContext& game) {
  game.state.respawnRequested = true;
  for (const iHandle icon : game.resources.lifeIcons) iSpriteHide(icon);
  const std::int32_t lives = game.counters.GetLives();
  if (lives < 2) {
    game.host.ShowGameOverPicture();
    game.state.gameOverPhase = true;
    game.Play(game.resources.sndGameOver);
    return false;
  }
  game.counters.SetLives(lives - 1);
  ShowLifeIcons(game);
  return true;
}

}  // namespace game::hero_lives
