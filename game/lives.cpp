#include "game/lives.h"

#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/hero.h"
#include "game/level_platform.h"

namespace game {

bool LoseLife(GameContext& game, LifeLoss how) {
  THero& hero = *game.hero;
  const long double standY = game.objects.platforms.empty()
                                 ? hero.y
                                 : game.objects.platforms[0]->Top() + hero.halfHeight + 0.1L;
  hero.HideAt(-10, standY);
  game.state.respawnRequested = true;
  game.resources.ShowLifeIcons(0);
  const std::int32_t lives = game.counters.GetLives();
  if (lives < 2) {
    game.host.ShowGameOverPicture();
    game.state.gameOverPhase = true;
    game.Play(game.resources.sndGameOver);
    return false;
  }
  game.counters.SetLives(lives - 1);
  game.resources.ShowLifeIcons(lives - 1);
  if (how == LifeLoss::FellOut) {
    hero.SetColor(1, 1, 1, 0.7f);
    game.state.heroTintTimer = 2.0L;
  }
  return true;
}

}  // namespace game
