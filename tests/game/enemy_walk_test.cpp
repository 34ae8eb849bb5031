// Walking: to and fro on the platform, turning at the edges unless a jump
// towards the hero is planned.
#include <gtest/gtest.h>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyWalkTest : public EnemyTest {
 protected:
  // Platform 0 at (0, -4): an enemy on it stands at y -2.8 and turns at x +-2.55.
  EnemyWalkTest() { AddPlatform(0, -4); }
};

TEST_F(EnemyWalkTest, WalksAStepAFrameAndAdvancesItsPictureEveryHundredMilliseconds) {
  TEnemy& e = AddEnemy(EnemyKind::Blue, 0, 0);
  Frame();
  EXPECT_NEAR(static_cast<double>(e.x), 0.03, 1e-12);
  Frames(6);  // 7 frames: 93 ms
  EXPECT_EQ(e.frame, 1);
  Frame();  // 107 ms
  EXPECT_EQ(e.frame, 2);
  Frames(7);
  EXPECT_EQ(e.frame, 2);
  Frame();
  EXPECT_EQ(e.frame, 3);
  EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Walk, 3));
  EXPECT_NEAR(static_cast<double>(e.x), 16 * 0.03, 1e-12);
}

TEST_F(EnemyWalkTest, NeverWalksOffItsPlatform) {
  TEnemy& e = AddEnemy(EnemyKind::Mouse, 0, 1);
  long double lowest = e.x;
  long double highest = e.x;
  int turns = 0;
  std::uint8_t facing = e.direction;
  for (int i = 0; i < 1500; ++i) {
    Frame();
    lowest = std::min(lowest, e.x);
    highest = std::max(highest, e.x);
    if (e.direction != facing) {
      ++turns;
      facing = e.direction;
      EXPECT_EQ(e.frame, 1);
      EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Walk, 1));
    }
  }
  EXPECT_GE(turns, 5);
  EXPECT_GE(static_cast<double>(lowest), -2.55 - 0.03 - 1e-9);
  EXPECT_LE(static_cast<double>(highest), 2.55 + 0.03 + 1e-9);
  EXPECT_FALSE(e.crouching || e.jumping);
}

struct EdgeCase {
  const char* name;
  long double heroX, heroY;
  bool platformAhead;  // a platform at (8, -1), within reach above to the right
  bool jumps;
};

const EdgeCase kEdgeCases[] = {
    {"hero ahead, platform on his side", 9, 1, true, true},
    {"hero behind", -9, 1, true, false},
    {"hero ahead, no platform", 9, 1, false, false},
    {"hero ahead but below, platform above", 9, -8, true, false},
    {"hero exactly level horizontally", 2.6L, 1, true, false},
};

TEST_F(EnemyWalkTest, AtTheEdgeItJumpsOnlyTowardsAHeroAheadWithAPlatformOnHisSide) {
  for (const EdgeCase& c : kEdgeCases) {
    SCOPED_TRACE(c.name);
    objects_.enemies.clear();
    objects_.platforms.resize(1);
    if (c.platformAhead) AddPlatform(8, -1);
    TEnemy& e = AddEnemy(EnemyKind::Cangoroo, 0, 2.6L);  // at the right edge
    PutHero(c.heroX, c.heroY);
    Frame();
    EXPECT_EQ(e.crouching, c.jumps);
    EXPECT_EQ(e.direction, c.jumps ? 1 : 0);
    EXPECT_EQ(e.frame, 1);
    EXPECT_EQ(ShownImage(e), Image(e, c.jumps ? EnemySet::Jump : EnemySet::Walk, 1));
    EXPECT_EQ(e.platformIndex, c.jumps ? 1 : 0);
    EXPECT_EQ(e.x, 2.6L);  // no step at the edge
  }
}

TEST_F(EnemyWalkTest, FacingLeftItTurnsAtTheLeftEdge) {
  TEnemy& e = AddEnemy(EnemyKind::Toothy, 0, -2.5L);
  e.direction = 0;
  Frames(2);
  EXPECT_EQ(e.direction, 0);
  Frame();  // x -2.56 reached the edge
  EXPECT_EQ(e.direction, 1);
}

}  // namespace
}  // namespace game
