// The soak's invariant check names each broken invariant and passes a sound frame.
#include "tools/sim/invariants.h"

#include <gmock/gmock.h>

#include "core/screen_state.h"
#include "game/game.h"
#include "tests/sim/sim_fixture.h"

namespace {

class InvariantsTest : public testing_support::SimTest {};

TEST_F(InvariantsTest, EachBrokenInvariantIsNamed) {
  const struct {
    const char* name;
    std::uint8_t state;
    std::int32_t lives;
    std::int32_t level;
    const char* message;  // "" : nothing broken
  } kCases[] = {
      {"sound game", core::ssPlaying, 3, 0, ""},
      {"lives outside a game are not checked", core::ssMainMenu, 0, 0, ""},
      {"unknown screen state", 99, 3, 0, "ScreenState holds the unknown value 99"},
      {"no lives in a game", core::ssPlaying, 0, 0, "a game in ssPlaying has 0 lives"},
      {"too many lives while paused", core::ssPaused, 4, 0, "a game in ssPaused has 4 lives"},
      {"negative level", core::ssMainMenu, 3, -1, "the level is negative: -1"},
  };
  Run("", 1);
  ASSERT_TRUE(session_);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    session_->program().ScreenState.store(c.state);
    session_->scene().game().SetLives(c.lives);
    session_->scene().game().SetLevel(c.level);
    EXPECT_EQ(sim::BrokenInvariant(*session_), c.message);
  }
}

TEST_F(InvariantsTest, DeadHandleCallIsReported) {
  Run("", 1);
  ASSERT_TRUE(session_);
  EXPECT_EQ(sim::BrokenInvariant(*session_), "");
  session_->engine().CountDeadHandleCall();
  EXPECT_EQ(sim::BrokenInvariant(*session_), "1 engine operations were given a dead handle");
}

}  // namespace
