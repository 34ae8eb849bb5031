// The hero against bonuses, balloons and enemies, and the lives he loses.
#include <gtest/gtest.h>

#include "game/balloon.h"
#include "game/delivered_bonuses.h"
#include "game/diamond.h"
#include "platform/key_codes.h"
#include "tests/game/hero_fixture.h"

namespace game::testing {
namespace {

namespace keys = platform::keys;

class HeroContactTest : public HeroTest {
 protected:
  HeroContactTest() : ground(AddPlatform(-10, -10.3L)) { StandOn(ground, -10); }

  // A bonus of `kind` at (x, y) in the bonus list.
  TBonus& AddBonus(std::unique_ptr<TBonus> bonus, long double atX, long double atY) {
    bonus->halfWidth = bonus->halfHeight = 0.4L;
    bonus->x = atX;
    bonus->y = atY;
    objects.bonuses.push_back(std::move(bonus));
    AddEmitters();
    return *objects.bonuses.back();
  }
  TBonus& AddDiamond(long double atX, long double atY) {
    return AddBonus(std::make_unique<TDiamond>(context), atX, atY);
  }
  // Lying on the ground beside him, within reach of his box.
  long double GroundY() const { return ground.Top() + 0.4L + 0.1L; }

  TPlatform& ground;
};

TEST_F(HeroContactTest, TakesTheFirstUntakenBonusHeTouchesOnTheGround) {
  TBonus& first = AddDiamond(-10.5L, GroundY());
  TBonus& second = AddDiamond(-9.5L, GroundY());
  Frame();
  EXPECT_TRUE(first.taken);
  EXPECT_FALSE(second.taken);  // one a frame
  EXPECT_TRUE(hero.joy);
  EXPECT_FALSE(hero.running);
  EXPECT_EQ(objects.emitters[0]->centreY, first.y + 0.5L);

  // Joy keeps him busy: the next diamond waits until the animation is over.
  Frame();
  EXPECT_FALSE(second.taken);
  FramesUntil([&] { return !hero.joy; });
  Frame();
  EXPECT_TRUE(second.taken);
}

TEST_F(HeroContactTest, NeverTakesBonusesInTheAir) {
  TBonus& diamond = AddDiamond(-10, hero.y);
  for (bool* state : {&hero.rising, &hero.falling, &hero.takeOff, &hero.landing}) {
    hero.rising = hero.falling = hero.takeOff = hero.landing = false;
    *state = true;
    hero.y = GroundY() + 3;  // overlapping the diamond, raised above the ground
    diamond.y = hero.y;
    hero.jumpStep = 30;
    Frame();
    EXPECT_FALSE(diamond.taken);
  }
}

TEST_F(HeroContactTest, AnExtraLifeAtThreeLivesIsUsedUpWithoutEffect) {
  TBonus& lifePlus = AddBonus(MakeDeliveredBonus(context, 1), -10, GroundY());
  Frame();
  EXPECT_TRUE(lifePlus.taken);
  EXPECT_EQ(counters.GetLives(), 3);
  EXPECT_FALSE(hero.joy);  // only diamonds make him jump for joy
}

TEST_F(HeroContactTest, PopsBalloonsInTheAirToo) {
  objects.bonuses.push_back(MakeDeliveredBonus(context, 0));
  objects.balloons.push_back(std::make_unique<TBaloon>(context));
  AddEmitters();
  TBaloon& balloon = *objects.balloons[0];
  balloon.Load();
  balloon.halfWidth = balloon.halfHeight = 1.4L;
  hero.y = GroundY() + 4;
  hero.falling = true;
  hero.jumpStep = 30;
  balloon.x = hero.x;
  balloon.y = hero.y - 0.2L;  // just below him as he falls on it
  objects.bonuses[0]->taken = true;
  Frame();
  ASSERT_TRUE(balloon.taken);
  EXPECT_EQ(counters.GetScore(), 10);
  // Emitter bonus count + balloon index.
  EXPECT_EQ(objects.emitters[1]->centreY, balloon.y + 1.5L);
}

TEST_F(HeroContactTest, CaughtHeDiesLosesALifeAndComesBackOnTheFirstPlatform) {
  hero.direction = 0;
  hero.x = -8;
  hero.CatchHero(10);
  EXPECT_TRUE(hero.dying);
  EXPECT_EQ(state.heroTintTimer, 2.0L);
  EXPECT_FLOAT_EQ(HeroAlpha(), 0.7f);

  const int frames = FramesUntil([&] { return !hero.dying; });
  EXPECT_GE(frames, 4 * 8);  // five picture steps, all but the first 100 ms apart
  EXPECT_EQ(counters.GetLives(), 2);
  EXPECT_TRUE(state.respawnRequested);
  EXPECT_FALSE(HeroShown());
  EXPECT_EQ(hero.x, -10);
  EXPECT_EQ(hero.y, ground.Top() + hero.halfHeight + 0.1L);
  EXPECT_EQ(hero.direction, 1);
  EXPECT_EQ(hero.frame, 1);
  EXPECT_TRUE(IconShown(0));
  EXPECT_TRUE(IconShown(1));
  EXPECT_FALSE(IconShown(2));
}

TEST_F(HeroContactTest, CatchesThatDoNotHarmHim) {
  struct Case {
    const char* name;
    long double tintTimer;
    std::int32_t amount;
  };
  const Case cases[] = {
      {"protected", 0.0L, 10},
      {"protected for long", 1.9L, 10},
      {"nothing to take", -1.0L, 0},
      {"negative amount", -1.0L, -5},
  };
  for (const Case& c : cases) {
    state.heroTintTimer = c.tintTimer;
    hero.CatchHero(c.amount);
    EXPECT_FALSE(hero.dying) << c.name;
    EXPECT_EQ(state.heroTintTimer, c.tintTimer) << c.name;
  }
}

TEST_F(HeroContactTest, ASecondCatchWhileDyingDoesNothing) {
  hero.CatchHero(10);
  Frames(20);
  const std::int32_t frame = hero.frame;
  ASSERT_GT(frame, 1);
  state.heroTintTimer = -1.0L;  // even with the protection run out
  hero.CatchHero(10);
  EXPECT_EQ(hero.frame, frame);
  EXPECT_EQ(state.heroTintTimer, -1.0L);
  FramesUntil([&] { return !hero.dying; });
  EXPECT_EQ(counters.GetLives(), 2);  // one life, not two
}

TEST_F(HeroContactTest, NoWalkingJumpingOrThrowingWhileDying) {
  hero.CatchHero(10);
  Hold(keys::kKeyRight);
  Tap(keys::kKeyUp);
  Tap(keys::kKeyLeftCtrl);
  Frame();
  EXPECT_FALSE(hero.running);
  EXPECT_FALSE(hero.takeOff);
  for (const THeroMissile& missile : hero.missiles) EXPECT_TRUE(missile.idle);
}

TEST_F(HeroContactTest, FallingOutCostsALifeAndLeavesHimProtected) {
  hero.x = 5;  // no ground below
  hero.y = -13.9L;
  hero.falling = true;
  Frame();
  EXPECT_EQ(counters.GetLives(), 2);
  EXPECT_TRUE(state.respawnRequested);
  EXPECT_FALSE(hero.falling);
  EXPECT_EQ(hero.jumpStep, 0);
  EXPECT_EQ(hero.x, -10);
  EXPECT_EQ(hero.y, ground.Top() + hero.halfHeight + 0.1L);
  EXPECT_FALSE(HeroShown());
  EXPECT_FLOAT_EQ(HeroAlpha(), 0.7f);
  EXPECT_EQ(state.heroTintTimer, 2.0L);
  EXPECT_EQ(host.gameOverPictures, 0);
}

TEST_F(HeroContactTest, FallingOutOnTheLastLifeEndsTheGame) {
  counters.SetLives(1);
  hero.x = 5;
  hero.y = -13.9L;
  hero.falling = true;
  Frame();
  EXPECT_EQ(counters.GetLives(), 1);
  EXPECT_TRUE(state.gameOverPhase);
  EXPECT_EQ(host.gameOverPictures, 1);
  for (int icon = 0; icon < 3; ++icon) EXPECT_FALSE(IconShown(icon));
}

TEST_F(HeroContactTest, DyingOnTheLastLifeEndsTheGame) {
  counters.SetLives(1);
  hero.CatchHero(10);
  FramesUntil([&] { return !hero.dying; });
  EXPECT_EQ(counters.GetLives(), 1);
  EXPECT_TRUE(state.gameOverPhase);
  EXPECT_EQ(host.gameOverPictures, 1);
}

}  // namespace
}  // namespace game::testing
