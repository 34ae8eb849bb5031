#include "tools/sim/invariants.h"

#include "core/program.h"
#include "core/screen_state.h"
#include "engine/runtime.h"
#include "screens/scene.h"
#include "tools/sim/session.h"
#include "tools/sim/sight.h"

namespace sim {

std::string BrokenInvariant(Session& session) {
  const std::uint8_t state = session.program().ScreenState.load();
  const game::TGame& game = session.scene().game();
  if (*core::ScreenStateName(state) == '\0') {
    return "ScreenState holds the unknown value " + std::to_string(state);
  }
  if (game.GetScore() < 0) return "the score is negative: " + std::to_string(game.GetScore());
  if (game.GetLevel() < 0) return "the level is negative: " + std::to_string(game.GetLevel());
  if (InGame(state) && (game.GetLives() < 1 || game.GetLives() > 3)) {
    return "a game in " + std::string(core::ScreenStateName(state)) + " has " +
           std::to_string(game.GetLives()) + " lives";
  }
  if (const auto dead = session.engine().deadHandleCalls(); dead != 0) {
    return std::to_string(dead) + " engine operations were given a dead handle";
  }
  return "";
}

}  // namespace sim
