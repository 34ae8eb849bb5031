// The random plan of a level: thirteen platforms (four fixed stairs, then two
// columns), diamonds on the generated platforms, the five special bonuses out
// of play, one burst per bonus, the hero on the first stair.
#include <gtest/gtest.h>

#include <map>

#include "game/bonus_emitter.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/raven.h"
#include "platform/random.h"
#include "tests/game/game_fixture.h"

namespace {

using testing_support::GameTest;

TEST_F(GameTest, EveryLevelHasThirteenPlatformsInTwoColumnsNeverAboveNine) {
  NewGame();
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    platform::SeedRandom(seed);
    StartLevel(1 + static_cast<int>(seed % 7));
    const auto& platforms = objects().platforms;
    ASSERT_EQ(platforms.size(), 13u);

    const long double stairs[4][2] = {{-10, -10.3L}, {-16, -6.3L}, {-11, -2}, {-15, 2.3L}};
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(platforms[i]->x, stairs[i][0]);
      EXPECT_EQ(platforms[i]->y, stairs[i][1]);
    }
    // Column 0 holds platforms 4..7, column 12 platforms 8..12; each starts on
    // the left of its centre, alternates sides and climbs 5 to 5.33 a step.
    const struct {
      std::size_t first, count;
      long double centre, start;
    } columns[] = {{4, 4, 0, -14}, {8, 5, 12, -18}};
    for (const auto& column : columns) {
      long double below = column.start;
      for (std::size_t k = 0; k < column.count; ++k) {
        const game::TPlatform& p = *platforms[column.first + k];
        EXPECT_EQ(p.x, column.centre + (k % 2 == 0 ? -1.5L : 1.5L));
        EXPECT_GE(p.y - below, 5.0L - 1e-12L);
        EXPECT_LE(p.y - below, 5.0L + 99.0L / 300 + 1e-12L);
        EXPECT_LE(p.y, 9.0L);
        below = p.y;
      }
    }
  }
}

TEST_F(GameTest, DiamondsLieOnGeneratedPlatformsAndTheDeliveredBonusesWaitOutOfPlay) {
  NewGame();
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    platform::SeedRandom(seed);
    StartLevel(1);
    const auto& platforms = objects().platforms;
    const auto& bonuses = objects().bonuses;
    const std::size_t diamonds = Diamonds().size();
    ASSERT_EQ(bonuses.size(), diamonds + 5);
    EXPECT_EQ(objects().emitters.size(), bonuses.size());
    EXPECT_LE(diamonds, 27u);  // at most three tries on each of nine platforms

    for (const game::TDiamond* d : Diamonds()) {
      bool onAPlatform = false;
      for (std::size_t p = 4; p < platforms.size(); ++p) {
        const game::TPlatform& platform = *platforms[p];
        onAPlatform |= d->y == platform.Top() + d->halfHeight + 0.1L &&
                       d->x >= platform.x - 0.29L * platform.halfWidth - 1e-12L &&
                       d->x <= platform.x + 0.29L * platform.halfWidth + 1e-12L;
      }
      EXPECT_TRUE(onAPlatform) << d->x << ", " << d->y;
      EXPECT_FALSE(d->taken);
    }
    const game::BonusKind specials[] = {game::BonusKind::Snow, game::BonusKind::LifePlus,
                                        game::BonusKind::Banana, game::BonusKind::Pear,
                                        game::BonusKind::Clock};
    for (std::size_t i = 0; i < 5; ++i) {
      const game::TBonus& bonus = *bonuses[diamonds + i];
      EXPECT_EQ(bonus.kind(), specials[i]);
      EXPECT_TRUE(bonus.taken);
    }
    for (const auto& emitter : objects().emitters) {
      EXPECT_EQ(emitter->centreX, 100);  // parked off screen, hidden
      EXPECT_FALSE(emitter->shown);
    }
    EXPECT_EQ(objects().ravens.size(), 1u);
    EXPECT_TRUE(objects().balloons.empty());
    EXPECT_EQ(game().hero()->x, -10);
    EXPECT_EQ(game().hero()->y, platforms[0]->y + 0.5L + game().hero()->halfHeight + 0.1L);
  }
}

TEST_F(GameTest, TheSameSeedBuildsTheSameLevel) {
  NewGame();
  const auto layout = [this] {
    std::vector<long double> numbers;
    for (const auto& p : objects().platforms) numbers.insert(numbers.end(), {p->x, p->y});
    for (const auto& b : objects().bonuses) numbers.insert(numbers.end(), {b->x, b->y});
    for (const game::TCloud& c : game().clouds()) numbers.insert(numbers.end(), {c.x, c.speed});
    return numbers;
  };
  platform::SeedRandom(99);
  StartLevel(2);
  const auto first = layout();
  platform::SeedRandom(99);
  StartLevel(2);
  EXPECT_EQ(layout(), first);
}

TEST_F(GameTest, CloudsDriftAndComeBackAtTheOtherSide) {
  NewGame();
  std::vector<game::TCloud> clouds(2);
  for (std::size_t i = 0; i < clouds.size(); ++i) {
    clouds[i].direction = static_cast<std::uint8_t>(i);
    clouds[i].speed = 0.5L;
    clouds[i].x = i == 0 ? -27.9L : 27.9L;
    clouds[i].y = 10;
  }
  game::DriftClouds(clouds);
  EXPECT_EQ(clouds[0].x, 26);
  EXPECT_EQ(clouds[1].x, -26);
  game::DriftClouds(clouds);
  EXPECT_EQ(clouds[0].x, 25.5L);
  EXPECT_EQ(clouds[1].x, -25.5L);
}

}  // namespace
