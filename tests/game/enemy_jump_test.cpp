// Jumping: the target platform, the path to it, the crouch, the flight along
// the path by the millisecond tick, and the landing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

struct JumpCase {
  const char* name;
  long double enemyX;  // on platform 0 at (0, -4), standing at y -2.8
  std::uint8_t direction;
  std::vector<std::pair<long double, long double>> platforms;  // after platform 0
  long double heroX, heroY;
  int target;  // -1: no jump
  long double apex, gx, gy;
  bool reachesGx;  // false: an equal-height jump stops short of gx
};

const JumpCase kJumpCases[] = {
    {"higher target: apex 3.0 above it", 2.6L, 1, {{8, -1}}, 9, 1, 1, 2.0L, 5.55L, 0.2L, true},
    {"lower target: apex 1.5 above the start",
     2.6L,
     1,
     {{8, -8}},
     9,
     -6,
     1,
     -2.5L,
     5.55L,
     -6.8L,
     true},
    {"equal height: a few points, a third of the gap",
     2.6L,
     1,
     {{8, -4}},
     9,
     -5,
     1,
     -2.5L,
     5.55L,
     -2.8L,
     false},
    {"facing left", -2.6L, 0, {{-8, -1}}, -9, 1, 1, 2.0L, -5.55L, 0.2L, true},
    {"first target in list order", 2.6L, 1, {{9, -1}, {8, 0}}, 9, 3, 1, 2.0L, 6.55L, 0.2L, true},
    {"skips a platform off the hero's side",
     2.6L,
     1,
     {{8, -8}, {8, -1}},
     9,
     1,
     2,
     2.0L,
     5.55L,
     0.2L,
     true},
    {"beyond the look-ahead box", 2.6L, 1, {{14, -1}}, 15, 1, -1, 0, 0, 0, false},
    {"below the look-ahead box", 2.6L, 1, {{8, -11}}, 9, -10, -1, 0, 0, 0, false},
    {"not wholly ahead", 2.6L, 1, {{5, -1}}, 9, 1, -1, 0, 0, 0, false},
};

class EnemyJumpTest : public EnemyTest {};

TEST_F(EnemyJumpTest, PlansTheTargetApexAndAPathEndingAtTheStandingHeight) {
  for (const JumpCase& c : kJumpCases) {
    SCOPED_TRACE(c.name);
    objects_.enemies.clear();
    objects_.platforms.clear();
    AddPlatform(0, -4);
    for (const auto& [px, py] : c.platforms) AddPlatform(px, py);
    TEnemy& e = AddEnemy(EnemyKind::Blue, 0, c.enemyX);
    e.direction = c.direction;
    PutHero(c.heroX, c.heroY);

    const long double startX = e.x;
    const long double startY = e.y;
    ASSERT_EQ(e.PlanJump(), c.target >= 0);
    EXPECT_EQ(e.platformIndex, std::max(c.target, 0));
    if (c.target < 0) continue;

    const int n = e.PathLength();
    const auto& path = e.path();
    ASSERT_GT(n, 0);
    ASSERT_LT(n, TEnemy::kPathSlots);
    EXPECT_GE(path[static_cast<std::size_t>(n)].x, TEnemy::kPathEnd);
    EXPECT_EQ(e.pathIndex(), 0);

    long double top = startY;
    long double previousX = startX;
    for (int i = 0; i < n; ++i) {
      const TEnemy::PathPoint& p = path[static_cast<std::size_t>(i)];
      top = std::max(top, p.y);
      // Each point moves towards gx and never past it.
      EXPECT_GE((p.x - previousX) * (c.gx - startX), 0) << "point " << i;
      EXPECT_LE(std::fabs(c.gx - p.x), std::fabs(c.gx - previousX) + 1e-12L) << "point " << i;
      previousX = p.x;
    }
    EXPECT_GE(top, c.apex);
    EXPECT_LT(top, c.apex + 0.2L + 1e-9L);
    const TEnemy::PathPoint& last = path[static_cast<std::size_t>(n - 1)];
    EXPECT_NEAR(static_cast<double>(last.y), static_cast<double>(c.gy), 1e-9);
    if (c.reachesGx) {
      EXPECT_NEAR(static_cast<double>(last.x), static_cast<double>(c.gx), 1e-9);
    } else {
      EXPECT_GE(n, 4);
      EXPECT_LE(n, 5);
      EXPECT_LE(std::fabs(last.x - startX), std::fabs(c.gx - startX) / 3 + 1e-9L);
    }
  }
}

// The crouch shows jump pictures 1 up to the kind's crouch end, one an update;
// landing shows the rest up to 5, so a kind whose crouch ends at 5 lands at once.
TEST_F(EnemyJumpTest, CrouchesJumpsAlongThePathByTheTickAndLandsOnTheTarget) {
  for (EnemyKind kind :
       {EnemyKind::Cangoroo, EnemyKind::Mouse, EnemyKind::Blue, EnemyKind::Toothy}) {
    objects_.enemies.clear();
    objects_.platforms.clear();
    AddPlatform(0, -4);
    AddPlatform(8, -1);
    TEnemy& e = AddEnemy(kind, 0, 2.6L);
    SCOPED_TRACE(e.look().name);
    PutHero(9, 1);

    Frame();
    ASSERT_TRUE(e.crouching);
    std::vector<int> crouch{e.frame};
    while (e.crouching) {
      Frame();
      EXPECT_FLOAT_EQ(SpriteScale(e).x, e.look().crouchScale);
      if (e.crouching) crouch.push_back(e.frame);
      EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Jump, e.frame));
    }
    std::vector<int> expectedCrouch;
    for (int f = 1; f <= e.look().crouchEnd; ++f) expectedCrouch.push_back(f);
    EXPECT_EQ(crouch, expectedCrouch);

    const int points = e.PathLength();
    int flightFrames = 0;
    while (e.jumping) {
      const int before = e.pathIndex();
      Frame();
      ++flightFrames;
      EXPECT_LE(e.pathIndex() - before, 1);
      EXPECT_FLOAT_EQ(SpriteScale(e).x, e.look().crouchScale);
      ASSERT_LT(flightFrames, 500);
    }
    // A point every two run phases (26.7 ms, the first step more than 20 ms on).
    EXPECT_NEAR(flightFrames, 2 * (points + 1), 2);
    EXPECT_TRUE(e.landing);
    EXPECT_NEAR(static_cast<double>(e.x), 5.55, 1e-9);
    EXPECT_NEAR(static_cast<double>(e.y), 0.2, 1e-9);
    EXPECT_EQ(e.platformIndex, 1);

    int landingUpdates = 0;
    while (e.landing) {
      Frame();
      ++landingUpdates;
    }
    EXPECT_EQ(landingUpdates, 5 - e.look().crouchEnd + 1);
    EXPECT_EQ(e.frame, 1);
    EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Walk, 1));
    EXPECT_FLOAT_EQ(SpriteScale(e).x, e.look().baseScale);
    // And it walks on along the target platform.
    Frame();
    EXPECT_GT(e.x, 5.55L);
  }
}

}  // namespace
}  // namespace game
