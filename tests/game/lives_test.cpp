// Losing a life: the hero back on the first stair, the walk-out replayed, the
// life icons for the new count, or the game-over phase after the last life.
#include "game/lives.h"

#include <gtest/gtest.h>

#include "game/game_resources.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "tests/game/game_fixture.h"

namespace {

using game::LifeLoss;
using testing_support::GameTest;

TEST_F(GameTest, LosingALifeDependsOnTheLivesLeftAndHowItWasLost) {
  const struct {
    const char* name;
    LifeLoss how;
    std::int32_t lives;
    bool goesOn;
    std::int32_t livesAfter;
    int iconsShown;
    long double tint;
  } kCases[] = {
      {"fall with three", LifeLoss::FellOut, 3, true, 2, 2, 2.0L},
      {"fall with two", LifeLoss::FellOut, 2, true, 1, 1, 2.0L},
      {"caught with three", LifeLoss::DyingEnded, 3, true, 2, 2, -1.0L},
      {"fall with the last", LifeLoss::FellOut, 1, false, 1, 0, -1.0L},
      {"caught with the last", LifeLoss::DyingEnded, 1, false, 1, 0, -1.0L},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    PlayLevelOne();
    game().SetLives(c.lives);
    game::THero& hero = *game().hero();
    hero.x = 5;
    hero.y = -20;
    Started("game_over.wav");

    EXPECT_EQ(game::LoseLife(context(), c.how), c.goesOn);
    EXPECT_EQ(game().GetLives(), c.livesAfter);
    EXPECT_EQ(hero.x, -10);
    EXPECT_EQ(hero.y, objects().platforms[0]->Top() + hero.halfHeight + 0.1L);
    EXPECT_TRUE(level().respawnRequested);
    EXPECT_EQ(level().heroTintTimer, c.tint);
    EXPECT_EQ(game().gameOverPhase(), !c.goesOn);
    EXPECT_EQ(Started("game_over.wav"), c.goesOn ? 0 : 1);
    int icons = 0;
    for (const engine::OwnedPicture& icon : game().resources().lifeIcons)
      icons += Shown(icon.sprite);
    EXPECT_EQ(icons, c.iconsShown);

    if (c.goesOn) {
      // Next frame: the walk-out again, without the UFO coming down.
      Frame();
      EXPECT_FALSE(level().respawnRequested);
      EXPECT_TRUE(level().entryPhase);
      EXPECT_EQ(level().ufoCountdown, 0);
      Frame();
      EXPECT_TRUE(level().walkingOut);
    }
  }
}

TEST_F(GameTest, TheProtectionTintRunsOutAfterTwoSeconds) {
  PlayLevelOne();
  game::LoseLife(context(), LifeLoss::FellOut);
  Frame();        // the respawn request turns into the walk-out
  FinishEntry();  // the tint does not run out while he walks out
  EXPECT_EQ(level().heroTintTimer, 2.0L);
  Frames(153);  // 2.0 / 0.013 = 153.8
  EXPECT_GE(level().heroTintTimer, 0);
  Frame();
  EXPECT_LT(level().heroTintTimer, 0);
}

}  // namespace
