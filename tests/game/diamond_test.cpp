// Diamonds: the short sink-and-rise every new diamond makes, the longer one an
// enemy's hop starts, and taking one.
#include <gtest/gtest.h>

#include "game/bonus_emitter.h"
#include "tests/game/game_fixture.h"

namespace {

using testing_support::GameTest;

float PictureY(engine::World& world, const game::TDiamond& d) {
  return world.sprites.at(d.sprite).location.y;
}

// The picture's height above the diamond's y after each of its updates.
std::vector<float> Heights(engine::World& world, game::TDiamond& d, int updates) {
  std::vector<float> heights;
  for (int i = 0; i < updates; ++i) {
    d.Update();
    heights.push_back(PictureY(world, d) - static_cast<float>(d.y));
  }
  return heights;
}

TEST_F(GameTest, ANewDiamondSinksAndRisesOnceAndStaysTakeable) {
  NewGame();
  game::TDiamond d(context());
  d.Load();
  d.x = 1;
  d.y = 2;
  EXPECT_EQ(d.returnCounter, 0);
  d.Update();  // the builder's update
  EXPECT_EQ(d.returnCounter, 1);

  std::vector<float> expected;
  for (int c = 1; c <= 8; ++c) expected.push_back(0.5f - c / 10.0f);  // down to y - 0.3
  expected.push_back(0.5f - 0.8f);                                    // timer below 0
  for (int c = 8; c >= 0; --c) expected.push_back(0.5f - c / 10.0f);  // up to y + 0.5
  const std::vector<float> heights = Heights(world(), d, 18);
  ASSERT_EQ(heights.size(), expected.size());
  for (std::size_t i = 0; i < heights.size(); ++i) {
    EXPECT_NEAR(heights[i], expected[i], 1e-5) << i;
  }
  EXPECT_FALSE(d.taken);
  EXPECT_EQ(d.returnCounter, 0);
  EXPECT_LT(d.returnTimer, 0);
  EXPECT_FALSE(d.Away());
}

// Where the picture is while a diamond waits: from the builder's update on it
// lies at (x, y + 0.5), and an enemy's hop keeps it there for the 21 updates of
// the wait, whenever in its first sink-and-rise the hop comes.
TEST_F(GameTest, ADiamondWaitsWhereItLies) {
  struct Case {
    const char* name;
    int cycleUpdates;  // updates after the builder's before an enemy hops on it
    bool hopped;
  };
  const Case cases[] = {
      {"the builder's update", 0, false},
      {"hopped on right after the builder's update", 0, true},
      {"hopped on half-way down its first sink", 4, true},
      {"hopped on at rest", 18, true},
  };
  NewGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    game::TDiamond d(context());
    d.Load();
    d.x = 3;
    d.y = 2;
    d.Update();  // the builder's update
    for (int i = 0; i < c.cycleUpdates; ++i) d.Update();
    if (c.hopped) d.SendSinking();
    const int waits = c.hopped ? 21 : 1;
    for (int i = 0; i < waits; ++i) {
      if (c.hopped) d.Update();
      const iVec2 at = world().sprites.at(d.sprite).location;
      EXPECT_EQ(at.x, 3.0f) << i;
      EXPECT_NEAR(at.y, 2.5f, 1e-6) << i;
    }
  }
}

TEST_F(GameTest, AHoppedOnDiamondWaitsSinksStaysDownAndRisesAgain) {
  PlayLevelOne();
  ASSERT_FALSE(Diamonds().empty());
  game::TDiamond& d = *Diamonds()[0];
  ASSERT_FALSE(d.Away());
  const long double restY = static_cast<long double>(PictureY(world(), d));
  d.SendSinking();
  EXPECT_TRUE(d.taken);

  int frames = 0;
  const auto run = [&](auto still) {
    int n = 0;
    while (still() && n < 1000) {
      d.Update();
      ++n;
      ++frames;
    }
    return n;
  };
  EXPECT_EQ(run([&] { return d.returnCounter <= 0; }), 21);  // waits while the enemy hops
  EXPECT_EQ(PictureY(world(), d), static_cast<float>(restY));
  EXPECT_EQ(run([&] { return d.returnCounter < 9; }), 8);
  EXPECT_NEAR(PictureY(world(), d), static_cast<float>(d.y - 0.3L), 1e-5);
  EXPECT_EQ(run([&] { return d.returnTimer >= 0; }), 226);  // 3.0 / 0.0133
  EXPECT_TRUE(d.taken);
  EXPECT_EQ(run([&] { return d.taken; }), 9);
  EXPECT_EQ(PictureY(world(), d), static_cast<float>(restY));
  EXPECT_TRUE(Shown(d.sprite));
  EXPECT_FALSE(d.Away());
}

TEST_F(GameTest, TheLevelCannotEndWhileADiamondIsAway) {
  PlayLevelOne();
  TakeEveryDiamond();
  Diamonds()[0]->taken = false;
  Diamonds()[0]->SendSinking();
  FramesWhile([&] { return Diamonds()[0]->Away(); });
  EXPECT_FALSE(level().levelCompletePhase);
  EXPECT_FALSE(Diamonds()[0]->taken);
}

TEST_F(GameTest, TakingADiamondScoresBurstsSparklesAndHidesIt) {
  PlayLevelOne();
  game::TDiamond& d = *Diamonds()[0];
  game().SetScore(30);
  Started("money.wav");
  d.Take(0);
  EXPECT_EQ(game().GetScore(), 80);
  EXPECT_TRUE(d.taken);
  EXPECT_FALSE(Shown(d.sprite));
  EXPECT_EQ(d.sparkleTimer, 1.0L);
  EXPECT_EQ(Started("money.wav"), 1);
  const game::TBonusEmitter& burst = *objects().emitters[0];
  EXPECT_EQ(burst.centreX, d.x);
  EXPECT_EQ(burst.centreY, d.y + 0.5L);
  EXPECT_TRUE(burst.shown);

  // The sparkle runs 77 frames at its place (1.0 / 0.013), then stops; the
  // burst is hidden once its life is over.
  Frames(76);
  EXPECT_GT(d.sparkleTimer, 0);
  Frame();
  EXPECT_LT(d.sparkleTimer, 0);
  FramesWhile([&] { return burst.life > 0; });
  EXPECT_FALSE(burst.shown);
}

}  // namespace
