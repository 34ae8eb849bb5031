#include "tools/sim/sight.h"

#include "core/program.h"
#include "core/screen_state.h"
#include "game/bonus.h"
#include "game/diamond.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "screens/scene.h"
#include "tools/sim/session.h"

namespace sim {
namespace {

// A knocked-down enemy this close to getting up is kept away from.
constexpr long double kWakingSeconds = 1.5L;

LevelSight LookAtLevel(const game::TGame& game) {
  LevelSight sight;
  const game::LevelState& state = game.state();
  sight.entering = state.entryPhase && state.ufoCountdown >= 1;
  sight.bonusLevel = game.BonusLevel();
  const game::THero* hero = game.hero();
  if (!hero) return sight;
  sight.steerable = !state.entryPhase && !state.respawnRequested && !state.gameOverPhase &&
                    !state.timeOverPhase && !state.levelCompletePhase && !hero->dying;
  sight.heroX = static_cast<double>(hero->x);
  sight.heroY = static_cast<double>(hero->y);
  sight.heroHalfWidth = static_cast<double>(hero->halfWidth);
  sight.heroHalfHeight = static_cast<double>(hero->halfHeight);
  sight.heroDirection = hero->direction;
  sight.heroInAir = hero->rising || hero->falling;
  sight.heroBusy = hero->Busy();

  const game::LevelObjects& objects = game.objects();
  for (const auto& platform : objects.platforms) sight.platforms.push_back(platform->Box());
  for (const auto& bonus : objects.bonuses) {
    if (bonus->kind() != game::BonusKind::Diamond) continue;
    const Spot spot{static_cast<double>(bonus->x), static_cast<double>(bonus->y)};
    if (static_cast<const game::TDiamond&>(*bonus).Away()) {
      sight.sunkDiamonds.push_back(spot);
    } else if (!bonus->taken) {
      sight.diamonds.push_back(spot);
    }
  }
  for (const auto& enemy : objects.enemies) {
    const bool waking = enemy->knockedDown || (enemy->lying && enemy->lyingTimer < kWakingSeconds);
    sight.enemies.push_back(
        {enemy->Box(), !(enemy->lying || enemy->knockedDown), enemy->MissileCanHit(), waking});
  }
  return sight;
}

}  // namespace

Sight LookAt(Session& session) {
  Sight sight;
  screens::Scene& scene = session.scene();
  sight.screen = session.program().ScreenState.load();
  sight.intro = scene.intro().running();
  sight.mainMenuSelection = scene.mainMenu().selection();
  sight.level = scene.game().GetLevel();
  sight.play = LookAtLevel(scene.game());
  return sight;
}

bool InGame(std::uint8_t screen) {
  return screen == core::ssPlaying || screen == core::ssPaused ||
         screen == core::ssConfirmLeaveGame;
}

}  // namespace sim
