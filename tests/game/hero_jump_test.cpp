// Walking, jumping, falling and landing on a hand-made level.
#include <gtest/gtest.h>

#include "platform/key_codes.h"
#include "tests/game/hero_fixture.h"

namespace game::testing {
namespace {

namespace keys = platform::keys;

TEST(JumpArcTest, HeightChangeByStep) {
  struct Case {
    std::int32_t step;
    long double dy;
  };
  const Case cases[] = {{-20, 0.2L}, {-1, 0.2L},  {0, 0.2L},  {10, 0.2L},  {11, 0.14L},
                        {25, 0.14L}, {26, 0.1L},  {30, 0.1L}, {31, 0.08L}, {35, 0.08L},
                        {36, 0.05L}, {40, 0.05L}, {41, 0.0L}};
  for (const Case& c : cases) EXPECT_EQ(JumpArc(c.step), c.dy) << "step " << c.step;
}

TEST(JumpArcTest, ARiseClimbsFivePointFourFiveInFortyTwoFrames) {
  long double height = 0;
  for (std::int32_t step = 0; step < THero::kRiseSteps; ++step) height += JumpArc(step);
  EXPECT_NEAR(static_cast<double>(height), 5.45, 1e-12);
}

class HeroJumpTest : public HeroTest {
 protected:
  HeroJumpTest() : ground(AddPlatform(-10, -10.3L)) { StandOn(ground, -10); }

  TPlatform& ground;
};

TEST_F(HeroJumpTest, StandsOnTheSpotTheLevelPutsHimOn) {
  Frames(20);
  EXPECT_FALSE(hero.Busy());
  EXPECT_EQ(hero.y, ground.Top() + hero.halfHeight + 0.1L);
}

TEST_F(HeroJumpTest, StandsOnEveryStairAndGeneratedHeight) {
  // Exactly 0.1 above a platform still counts as standing (the raised top).
  for (const long double platformY : {-10.3L, -6.3L, -2.0L, 2.3L, -8.67L, -3.33L, 6.99L, 1.0L}) {
    ground.y = platformY;
    StandOn(ground, -10);
    Frame();
    EXPECT_FALSE(hero.falling) << "platform at " << static_cast<double>(platformY);
  }
}

TEST_F(HeroJumpTest, JumpRisesAlongTheArcAndLandsWithDust) {
  const long double startY = hero.y;
  Tap(keys::kKeyUp);
  Frame();
  EXPECT_TRUE(hero.takeOff);
  const int takeOffFrames = FramesUntil([&] { return hero.rising; });
  EXPECT_GT(takeOffFrames, 0);

  long double top = hero.y;
  int risingFrames = 0;
  while (hero.rising) {
    Frame();
    ++risingFrames;
    top = std::max(top, hero.y);
  }
  EXPECT_NEAR(static_cast<double>(top - startY), 5.45, 1e-9);
  EXPECT_TRUE(hero.falling);

  FramesUntil([&] { return hero.landing; });
  EXPECT_FALSE(hero.falling);
  EXPECT_EQ(hero.jumpStep, 0);
  EXPECT_EQ(hero.y, ground.Top() + hero.halfHeight + 0.05L);
  EXPECT_EQ(hero.dustTimer, 0.5L);
  Frame();
  EXPECT_FALSE(world().particleSystems[hero.dust].particles.empty());
  const iVec3 dustAt = world().emitters[hero.dustEmitter].location;
  EXPECT_FLOAT_EQ(dustAt.y, static_cast<float>((ground.Top() + 0.3L) * 5.5L / 16));

  FramesUntil([&] { return !hero.landing; });
  EXPECT_FALSE(hero.Busy());
  EXPECT_EQ(hero.frame, 1);
}

TEST_F(HeroJumpTest, APlatformOverheadEndsTheRiseAtOnce) {
  // His head is 0.9 below the slab: the fifth rise step of 0.2 would enter it.
  TPlatform& ceiling = AddPlatform(-10, hero.y + hero.halfHeight + 0.9L + 0.5L);
  Tap(keys::kKeyUp);
  FramesUntil([&] { return hero.rising; });
  FramesUntil([&] { return hero.falling; });
  EXPECT_FALSE(hero.rising);
  EXPECT_LT(hero.y + hero.halfHeight, ceiling.y - ceiling.halfHeight);
  EXPECT_EQ(hero.jumpStep, 3);  // four steps up, then one counted back by the fall
}

TEST_F(HeroJumpTest, WalkingOffAnEdgeFallsAtFullSpeedAtOnce) {
  hero.x = ground.x + ground.halfWidth + hero.halfWidth - 0.02L;
  hero.PlaceHero();
  Hold(keys::kKeyRight);
  const long double startY = hero.y;
  FramesUntil([&] { return hero.falling; });
  EXPECT_EQ(hero.y, startY - 0.2L);
  EXPECT_EQ(hero.jumpStep, -1);
  EXPECT_FALSE(hero.running);
}

TEST_F(HeroJumpTest, HoldingDownWhileFallingDoublesTheDropAndCountsThreeAFrame) {
  hero.y = 5;
  hero.falling = true;
  hero.jumpStep = 30;  // next step 29: 0.1
  Hold(keys::kKeyDown);
  Frame();
  EXPECT_EQ(hero.jumpStep, 27);
  EXPECT_EQ(hero.y, 5 - 2 * 0.1L);
}

TEST_F(HeroJumpTest, AFallThatWouldEnterAPlatformPutsHimOnTop) {
  // Feet already 0.3 below the top, as after slipping in from the side.
  hero.y = ground.Top() - 0.3L + hero.halfHeight;
  hero.falling = true;
  hero.jumpStep = 0;
  Frame();
  EXPECT_TRUE(hero.landing);
  EXPECT_EQ(hero.y, ground.Top() + hero.halfHeight + 0.05L);
}

TEST_F(HeroJumpTest, FallsThroughToTheNextPlatformBelowOnlyWhenMissingTheFirst) {
  TPlatform& lower = AddPlatform(5, -10.3L);
  hero.x = 5;
  hero.y = 0;
  hero.falling = true;
  FramesUntil([&] { return !hero.falling; });
  EXPECT_TRUE(hero.landing);
  EXPECT_EQ(hero.y, lower.Top() + hero.halfHeight + 0.05L);
}

struct DriftCase {
  const char* name;
  bool inAir;
  bool rising;
  int key;
  long double dx;
};

TEST_F(HeroJumpTest, SidewaysSpeedOnTheGroundRisingAndFalling) {
  const DriftCase cases[] = {
      {"running right", false, false, keys::kKeyRight, 0.12L},
      {"running left", false, false, keys::kKeyLeft, -0.12L},
      {"rising right", true, true, keys::kKeyRight, 0.12L},
      {"rising left", true, true, keys::kKeyLeft, -0.12L},
      {"falling right", true, false, keys::kKeyRight, 0.09L},
      {"falling left", true, false, keys::kKeyLeft, -0.15L},
  };
  for (const DriftCase& c : cases) {
    StandOn(ground, -10);
    hero.running = hero.rising = hero.falling = hero.landing = hero.takeOff = false;
    hero.jumpStep = 0;
    if (c.inAir) {
      hero.y += 3;  // well clear of the ground
      hero.rising = c.rising;
      hero.falling = !c.rising;
      hero.jumpStep = c.rising ? 12 : 20;
    }
    hero.direction = c.key == keys::kKeyRight ? 0 : 1;  // turning costs no distance
    Hold(c.key);
    Frame();  // a ground step only turns and starts him; the sub-steps follow
    const long double before = hero.x;
    Frame();
    Release(c.key);
    EXPECT_NEAR(static_cast<double>(hero.x - before), static_cast<double>(c.dx), 1e-12) << c.name;
  }
}

TEST_F(HeroJumpTest, PlatformsBlockHimFromTheSide) {
  TPlatform& wall = AddPlatform(-3, ground.y + 1.0L);  // its slab at his chest
  hero.x = wall.x - wall.halfWidth - hero.halfWidth - 0.05L;
  hero.PlaceHero();
  Hold(keys::kKeyRight);
  Frames(10);
  EXPECT_LT(hero.x + hero.halfWidth, wall.x - wall.halfWidth);
  EXPECT_GT(hero.x + hero.halfWidth, wall.x - wall.halfWidth - 0.03L);
}

TEST_F(HeroJumpTest, StopsAtTheScreenEdge) {
  ground.x = 14;
  StandOn(ground, 15.9L);
  Hold(keys::kKeyRight);
  Frames(10);
  EXPECT_GE(hero.x, 16);
  EXPECT_LT(hero.x, 16.03L);
}

TEST_F(HeroJumpTest, AnEngineRestartBringsHimBackAsHeWas) {
  Tap(keys::kKeyUp);
  Frames(10);  // rising
  hero.SetColor(1, 1, 1, 0.7f);
  const long double atY = hero.y;
  const std::int32_t frame = hero.frame;
  const iHandle oldSprite = hero.sprite;
  hero.ReloadHero();
  ASSERT_NE(hero.sprite, oldSprite);
  const engine::Sprite& sprite = world().sprites[hero.sprite];
  EXPECT_TRUE(sprite.shown);
  EXPECT_FLOAT_EQ(sprite.color.a, 0.7f);
  EXPECT_FLOAT_EQ(sprite.location.y, static_cast<float>(atY));
  EXPECT_EQ(hero.frame, frame);
  EXPECT_EQ(hero.dustTimer, -1.0L);
  EXPECT_TRUE(hero.rising);
}

TEST_F(HeroJumpTest, UpDoesNothingWhileBusy) {
  hero.joy = true;
  Tap(keys::kKeyUp);
  Frame();
  EXPECT_FALSE(hero.takeOff);
}

}  // namespace
}  // namespace game::testing
