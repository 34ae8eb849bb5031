// Knocked down by a missile: the fall with its spray and sound, lying, getting
// up; the freeze's limits on the update; the picture after an engine reload.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyKnockDownTest : public EnemyTest {
 protected:
  EnemyKnockDownTest() { AddPlatform(0, -4); }

  bool Started(const std::string& name) {
    const std::vector<std::string> sounds = backend().TakeStartedSounds();
    return std::any_of(sounds.begin(), sounds.end(),
                       [&](const std::string& s) { return s.find(name) != std::string::npos; });
  }
  std::size_t Particles(const TEnemy& e) {
    return world().particleSystems.at(e.sprayParticles).particles.size();
  }
  // What the game does for a lying enemy each frame when nothing is frozen.
  void CountLyingTime(TEnemy& e) {
    e.lyingTimer -= 0.013L;
    if (e.lyingTimer < 0) {
      e.knockedDown = true;
      e.lying = false;
    }
  }
};

TEST_F(EnemyKnockDownTest, FallsWithASprayAndASoundLiesFiveSecondsAndGetsUp) {
  AddPlatform(8, -1);  // not a target: the hero is behind
  TEnemy& e = AddEnemy(EnemyKind::Mouse, 0, 0);
  Frames(3);
  backend().TakeStartedSounds();
  ASSERT_TRUE(e.MissileCanHit());
  e.KnockDown();
  EXPECT_TRUE(e.knockedDown && e.goingDown);
  EXPECT_FALSE(e.MissileCanHit());
  EXPECT_EQ(ShownImage(e), Image(e, EnemySet::KnockDown, 1));
  EXPECT_TRUE(Started("enemy_die.wav"));

  // The spray: ten particles an update where it falls, eight updates.
  const long double x = e.x;
  Frame();
  EXPECT_EQ(Particles(e), 10u);
  const iVec3 at = world().emitters.at(e.sprayEmitter).location;
  EXPECT_FLOAT_EQ(at.x, static_cast<float>(x * 5.5L / 16));
  EXPECT_FLOAT_EQ(at.y, static_cast<float>(e.y * 5.5L / 16));
  std::size_t most = 0;
  int falling = 1;
  while (e.knockedDown) {
    EXPECT_EQ(e.x, x);  // it does not walk while falling
    Frame();
    ++falling;
    most = std::max(most, Particles(e));
    ASSERT_LT(falling, 200);
  }
  EXPECT_LE(most, 80u);
  EXPECT_TRUE(e.lying);
  EXPECT_EQ(e.frame, 10);
  EXPECT_EQ(ShownImage(e), Image(e, EnemySet::KnockDown, 10));
  EXPECT_EQ(e.lyingTimer, 5.0L);

  // Lying, its Update does nothing; the game counts its time down.
  int lyingFrames = 0;
  while (e.lying) {
    Frame();
    CountLyingTime(e);
    ++lyingFrames;
    ASSERT_LT(lyingFrames, 1000);
  }
  EXPECT_EQ(lyingFrames, 385);  // 5.0 / 0.013
  EXPECT_EQ(e.frame, 10);

  // Getting up plays the knock-down pictures backwards to walking frame 1.
  std::vector<int> up;
  while (e.knockedDown) {
    Frame();
    if (e.knockedDown) up.push_back(e.frame);
    ASSERT_LT(up.size(), 100u);
  }
  EXPECT_EQ(up, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2}));
  EXPECT_FALSE(e.lying);
  EXPECT_TRUE(e.goingDown);
  EXPECT_EQ(e.frame, 1);
  EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Walk, 1));
  EXPECT_TRUE(e.MissileCanHit());
  Frame();
  EXPECT_GT(e.x, x);  // walking again
}

TEST_F(EnemyKnockDownTest, AMissileChangesNothingForAnEnemyThatIsBusy) {
  struct Busy {
    const char* name;
    bool TEnemy::*flag;
  };
  for (const Busy& busy :
       {Busy{"eating", &TEnemy::eating}, Busy{"crouching", &TEnemy::crouching},
        Busy{"jumping", &TEnemy::jumping}, Busy{"landing", &TEnemy::landing},
        Busy{"knocked down", &TEnemy::knockedDown}, Busy{"lying", &TEnemy::lying}}) {
    SCOPED_TRACE(busy.name);
    objects_.enemies.clear();
    TEnemy& e = AddEnemy(EnemyKind::Cangoroo, 0, 0);
    e.*busy.flag = true;
    e.frame = 3;
    const int image = ShownImage(e);
    backend().TakeStartedSounds();
    e.KnockDown();
    EXPECT_EQ(e.frame, 3);
    EXPECT_EQ(ShownImage(e), image);
    EXPECT_EQ(e.knockedDown, busy.flag == &TEnemy::knockedDown);
    EXPECT_FALSE(e.goingDown);
    EXPECT_FALSE(Started("enemy_die.wav"));
  }
}

TEST_F(EnemyKnockDownTest, AMissileOnAnEatingEnemyLeavesItEating) {
  TEnemy& e = AddEnemy(EnemyKind::Blue, 0, 0);
  PutHero(1.5L, -1.9L);
  Frame();
  ASSERT_TRUE(e.eating);
  e.KnockDown();
  Frame();
  EXPECT_TRUE(e.eating);
  EXPECT_FALSE(e.knockedDown);
}

// The game runs only the enemies that move while frozen: one in the air
// finishes its jump and landing and then stands; one falling comes to lie.
TEST_F(EnemyKnockDownTest, UnderTheFreezeAJumpEndsOnTheTargetAndAFallEndsLying) {
  AddPlatform(8, -1);
  TEnemy& jumper = AddEnemy(EnemyKind::Toothy, 0, 2.6L);
  TEnemy& faller = AddEnemy(EnemyKind::Blue, 1, 8);
  PutHero(9, 3);
  Frame();
  ASSERT_TRUE(jumper.crouching);
  while (jumper.crouching) Frame();
  faller.KnockDown();
  for (int i = 0; i < 500; ++i) {
    RunPhase();
    context_.step = LiveStepInput(platform_);
    for (auto& enemy : objects_.enemies) {
      if (enemy->MovesWhileFrozen()) enemy->Update();
    }
  }
  EXPECT_FALSE(jumper.jumping || jumper.landing);
  EXPECT_EQ(jumper.platformIndex, 1);
  EXPECT_NEAR(static_cast<double>(jumper.y), 0.2, 1e-9);
  EXPECT_TRUE(faller.lying);
  EXPECT_EQ(faller.lyingTimer, 5.0L);
}

struct ReloadCase {
  const char* name;
  void (*set)(TEnemy&);
  EnemySet pictures;
};

const ReloadCase kReloadCases[] = {
    {"walking", [](TEnemy& e) { e.frame = 2; }, EnemySet::Walk},
    {"crouching", [](TEnemy& e) { e.crouching = true, e.frame = 2; }, EnemySet::Jump},
    {"eating", [](TEnemy& e) { e.eating = true, e.frame = 4; }, EnemySet::Eat},
    {"getting up", [](TEnemy& e) { e.knockedDown = true, e.frame = 3; }, EnemySet::KnockDown},
    {"lying", [](TEnemy& e) { e.lying = true, e.frame = 7; }, EnemySet::KnockDown},
};

TEST_F(EnemyKnockDownTest, AfterAnEngineRestartItShowsThePictureOfItsState) {
  for (const ReloadCase& c : kReloadCases) {
    SCOPED_TRACE(c.name);
    objects_.enemies.clear();
    TEnemy& e = AddEnemy(EnemyKind::Blue, 0, 1);
    e.direction = 0;
    c.set(e);
    e.lyingTimer = 2.5L;
    i3ImpactClose();  // every engine object is gone
    e.Reload();
    EXPECT_EQ(ShownImage(e), Image(e, c.pictures, e.frame));
    EXPECT_FLOAT_EQ(SpriteScale(e).x, e.look().baseScale);
    EXPECT_EQ(world().sprites.at(e.sprite).layer, 2);
    EXPECT_FLOAT_EQ(world().sprites.at(e.sprite).location.x, 1.0f);
    EXPECT_EQ(e.lyingTimer, 2.5L);
    EXPECT_EQ(e.sprayTimer, -1.0L);
    EXPECT_EQ(world().textures.size(), 46u);
  }
}

}  // namespace
}  // namespace game
