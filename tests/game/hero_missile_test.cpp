// Throwing missiles: their flight, their end, and what they hit.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/enemy.h"
#include "platform/key_codes.h"
#include "tests/game/hero_fixture.h"
#include "tools/sim/hero_json.h"

namespace game::testing {
namespace {

namespace keys = platform::keys;

// An enemy that only remembers being knocked down.
class TargetEnemy : public TEnemy {
 public:
  explicit TargetEnemy(GameContext& game) : TEnemy(game, EnemyKind::Mouse) {}
  void KnockDown() override { ++knockDowns; }
  int knockDowns = 0;
};

class HeroMissileTest : public HeroTest {
 protected:
  HeroMissileTest() : ground(AddPlatform(-10, -10.3L)) { StandOn(ground, -10); }

  void Throw() {
    Tap(keys::kKeyLeftCtrl);
    Frame();
  }
  int InFlight() const {
    return static_cast<int>(std::count_if(hero.missiles.begin(), hero.missiles.end(),
                                          [](const THeroMissile& m) { return !m.idle; }));
  }
  TargetEnemy& AddEnemy(long double atX, long double atY) {
    auto enemy = std::make_unique<TargetEnemy>(context);
    enemy->x = atX;
    enemy->y = atY;
    objects.enemies.push_back(std::move(enemy));
    return static_cast<TargetEnemy&>(*objects.enemies.back());
  }

  TPlatform& ground;
};

TEST_F(HeroMissileTest, FliesFourTenthsAFrameForSixtyFrames) {
  Throw();
  const THeroMissile& missile = hero.missiles[0];
  ASSERT_FALSE(missile.idle);
  // Thrown from his hand after this frame's missile steps.
  EXPECT_NEAR(static_cast<double>(missile.x), static_cast<double>(hero.x + 0.5L), 1e-12);
  EXPECT_EQ(missile.age, 0);
  Frame();
  EXPECT_EQ(missile.age, 4);
  EXPECT_NEAR(static_cast<double>(missile.x), static_cast<double>(hero.x + 0.5L + 0.4L), 1e-12);
  EXPECT_EQ(missile.heading, 0);

  Frames(59);
  EXPECT_FALSE(missile.idle);
  EXPECT_EQ(missile.age, THeroMissile::kLifeSteps);
  Frame();
  EXPECT_TRUE(missile.idle);
}

TEST_F(HeroMissileTest, ThrownLeftItFliesLeft) {
  hero.direction = 0;
  Throw();
  const THeroMissile& missile = hero.missiles[0];
  EXPECT_EQ(missile.heading, THeroMissile::kHeadingLeft);
  EXPECT_EQ(missile.x, hero.x - 0.5L);
  Frame();
  EXPECT_NEAR(static_cast<double>(missile.x), static_cast<double>(hero.x - 0.9L), 1e-6);
}

TEST_F(HeroMissileTest, OneMissilePerPressAndNoneWhenAllFifty) {
  Throw();
  Frame();  // no new press
  EXPECT_EQ(InFlight(), 1);
  for (int i = 1; i < THero::kMissileCount; ++i) hero.Throw();
  ASSERT_EQ(InFlight(), THero::kMissileCount);
  const long double firstX = hero.missiles[0].x;
  hero.Throw();
  EXPECT_EQ(InFlight(), THero::kMissileCount);
  EXPECT_EQ(hero.missiles[0].x, firstX);  // none was thrown again
}

TEST_F(HeroMissileTest, SpentMissilesAreThrownAgainFirstIndexFirst) {
  Throw();
  Throw();
  Frames(70);
  ASSERT_EQ(InFlight(), 0);
  const iHandle trail = hero.missiles[0].trails[0];
  Throw();
  EXPECT_FALSE(hero.missiles[0].idle);
  EXPECT_TRUE(hero.missiles[1].idle);
  EXPECT_EQ(hero.missiles[0].trails[0], trail);  // the same particles reused
}

TEST_F(HeroMissileTest, APlatformStopsIt) {
  TPlatform& wall = AddPlatform(-2, hero.y);
  Throw();
  FramesUntil([&] { return hero.missiles[0].idle; });
  EXPECT_GE(hero.missiles[0].x + 0.44L, wall.x - wall.halfWidth);
  EXPECT_LT(hero.missiles[0].x, wall.x - wall.halfWidth);
}

TEST_F(HeroMissileTest, KnocksDownTheFirstEnemyItReachesAndStops) {
  // The enemy's box stops 1.2 below the missile; its reach 1.5 above catches it.
  TargetEnemy& enemy = AddEnemy(-4, hero.y - 0.44L - 0.6L - 1.2L);
  Throw();
  FramesUntil([&] { return hero.missiles[0].idle; });
  EXPECT_EQ(enemy.knockDowns, 1);
  EXPECT_LT(hero.missiles[0].x, enemy.x);
}

TEST_F(HeroMissileTest, PassesEnemiesThatCannotBeHit) {
  struct Case {
    const char* name;
    bool TEnemy::*state;
  };
  const Case cases[] = {{"lying", &TEnemy::lying},
                        {"knocked down", &TEnemy::knockedDown},
                        {"jumping", &TEnemy::jumping},
                        {"crouching", &TEnemy::crouching},
                        {"landing", &TEnemy::landing}};
  for (const Case& c : cases) {
    objects.enemies.clear();
    TargetEnemy& enemy = AddEnemy(-4, hero.y);
    enemy.*c.state = true;
    Throw();
    FramesUntil([&] { return InFlight() == 0; });
    EXPECT_EQ(enemy.knockDowns, 0) << c.name;
  }
}

TEST_F(HeroMissileTest, OnlyMissilesInFlightAreDumped) {
  Throw();
  Throw();
  hero.missiles[0].idle = true;
  sim::JsonWriter json;
  json.BeginObject();
  sim::AppendHero(json, hero);
  json.EndObject();
  const std::string& text = json.str();
  EXPECT_NE(text.find("\"missiles\":[{\"index\":2,"), std::string::npos) << text;
  EXPECT_EQ(text.find("\"index\":1,"), std::string::npos) << text;
  EXPECT_NE(text.find("\"shown\":true"), std::string::npos) << text;
}

}  // namespace
}  // namespace game::testing
