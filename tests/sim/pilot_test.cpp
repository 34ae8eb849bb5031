// The soak's pilot on made-up levels: the key it gives for a diamond on his
// platform, above him (out from under it, then the jump, then his head kept
// beside it until he is over its top) and below him, for enemies ahead,
// behind, close behind, about to get up beside him, coming down on him or
// waiting where he would land, and when no diamond can be reached; and the
// keys when he only guards a level.
#include "tools/sim/pilot.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using game::RectBox;
using sim::Controls;
using sim::EnemySight;
using sim::LevelSight;

// A block of ground as the levels have them, centred on (x, y).
RectBox Block(double x, double y) {
  return {y + 0.5, x - 2.75, y - 0.5, x + 2.75};
}

// An enemy standing on `ground` at x, `above` its top.
EnemySight Enemy(const RectBox& ground, double x, bool hittable, double above = 0.1) {
  return {{ground.top + above + 1.2, x - 0.8, ground.top + above, x + 0.8}, true, hittable};
}

// A knocked-down enemy on `ground` at x, about to get up.
EnemySight Waking(const RectBox& ground, double x) {
  EnemySight e = Enemy(ground, x, false);
  e.dangerous = false;
  e.waking = true;
  return e;
}

sim::Spot DiamondOn(const RectBox& ground, double x) {
  return {x, ground.top + 0.5};
}

LevelSight Standing(std::vector<RectBox> platforms, int on, double x, int direction = 1) {
  LevelSight level;
  level.steerable = true;
  level.heroX = x;
  level.heroY = platforms[static_cast<std::size_t>(on)].top + 0.05 + level.heroHalfHeight;
  level.heroDirection = direction;
  level.platforms = std::move(platforms);
  return level;
}

Controls Keys(bool left, bool right, bool jump = false, bool fire = false) {
  Controls c;
  c.left = left;
  c.right = right;
  c.jump = jump;
  c.fire = fire;
  return c;
}

std::string Describe(const Controls& c) {
  std::string s;
  if (c.left) s += "left ";
  if (c.right) s += "right ";
  if (c.jump) s += "jump ";
  if (c.fire) s += "fire ";
  return s.empty() ? "nothing" : s;
}

// A lower block and one 5 above it, overlapping it by 2.5 on the right: the
// way the columns of a level climb.
const RectBox kLow = Block(-1.5, -8);
const RectBox kHigh = Block(1.5, -3);
// Where he takes off for kHigh: just left of it, his box clear of it.
constexpr double kTakeOff = -1.25 - 0.8 - 0.06;

TEST(PilotTest, KeysForEachSituation) {
  const RectBox wide = Block(0, -4);
  const RectBox below = Block(5, -8);
  const struct {
    const char* name;
    LevelSight level;
    std::vector<sim::Spot> diamonds;
    std::vector<sim::Spot> sunk;
    std::vector<EnemySight> enemies;
    Controls keys;
    bool lost;
  } kCases[] = {
      {"diamond ahead on his platform",
       Standing({wide}, 0, -2),
       {DiamondOn(wide, 1.5)},
       {},
       {},
       Keys(false, true),
       false},
      {"diamond behind on his platform",
       Standing({wide}, 0, 2),
       {DiamondOn(wide, -1.5)},
       {},
       {},
       Keys(true, false),
       false},
      {"under the block above: out from under it",
       Standing({kLow, kHigh}, 0, 0),
       {DiamondOn(kHigh, 2)},
       {},
       {},
       Keys(true, false),
       false},
      {"beside the block above: jump",
       Standing({kLow, kHigh}, 0, kTakeOff + 0.03),
       {DiamondOn(kHigh, 2)},
       {},
       {},
       Keys(false, false, true),
       false},
      {"diamond on a lower block: towards it",
       Standing({wide, below}, 0, 0),
       {DiamondOn(below, 5)},
       {},
       {},
       Keys(false, true),
       false},
      {"enemy walking ahead: throw",
       Standing({wide}, 0, -1, 1),
       {DiamondOn(wide, 2.5)},
       {},
       {Enemy(wide, 2, true)},
       Keys(false, false, false, true),
       false},
      {"enemy walking behind: turn to it",
       Standing({wide}, 0, -1, 1),
       {DiamondOn(wide, 2.5)},
       {},
       {Enemy(wide, -3.5, true)},
       Keys(true, false),
       false},
      {"enemy close behind: away before he turns to it",
       Standing({wide}, 0, -1, 1),
       {DiamondOn(wide, 2.5)},
       {},
       {Enemy(wide, -2.2, true)},
       Keys(false, true),
       false},
      {"enemy about to get up beside him: away from it",
       Standing({wide}, 0, -1, 0),
       {DiamondOn(wide, 2.5)},
       {},
       {Waking(wide, 0.5)},
       Keys(true, false),
       false},
      {"enemy coming down on him: away from it",
       Standing({wide}, 0, -1, 1),
       {DiamondOn(wide, 2.5)},
       {},
       {Enemy(wide, 0, false, 2)},
       Keys(true, false),
       false},
      {"enemy where he would land: stand back",
       Standing({kLow, kHigh}, 0, kTakeOff),
       {DiamondOn(kHigh, 2)},
       {},
       {Enemy(kHigh, 0, true)},
       Keys(true, false),
       false},
      {"only a sunk diamond: go where it rises",
       Standing({wide}, 0, -2),
       {},
       {DiamondOn(wide, 1.5)},
       {},
       Keys(false, true),
       false},
      {"sunk diamond under him: wait",
       Standing({wide}, 0, 1.4),
       {},
       {DiamondOn(wide, 1.5)},
       {},
       Keys(false, false),
       false},
      {"diamond out of reach: lost",
       Standing({wide, Block(0, 6)}, 0, 0),
       {DiamondOn(Block(0, 6), 0)},
       {},
       {},
       Keys(false, false),
       true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    LevelSight level = c.level;
    level.diamonds = c.diamonds;
    level.sunkDiamonds = c.sunk;
    level.enemies = c.enemies;
    sim::Pilot pilot;
    const Controls keys = pilot.Steer(level);
    EXPECT_EQ(Describe(keys), Describe(c.keys));
    EXPECT_EQ(pilot.lost(), c.lost);
  }
}

TEST(PilotTest, NoKeysWhileTheLevelIsNotHis) {
  LevelSight level = Standing({kLow, kHigh}, 0, 0);
  level.diamonds = {DiamondOn(kLow, 3)};
  level.steerable = false;
  sim::Pilot pilot;
  EXPECT_EQ(Describe(pilot.Steer(level)), "nothing");
  EXPECT_FALSE(pilot.lost());
}

// Guarding a level until its time is over he takes no diamond but still meets
// the enemies.
TEST(PilotTest, GuardingMeetsEnemiesOnly) {
  const RectBox wide = Block(0, -4);
  const struct {
    const char* name;
    std::vector<EnemySight> enemies;
    Controls keys;
  } kCases[] = {
      {"diamond ahead, no enemy: he stays", {}, Keys(false, false)},
      {"enemy walking ahead: throw", {Enemy(wide, 2, true)}, Keys(false, false, false, true)},
      {"enemy walking behind: turn to it", {Enemy(wide, -3.5, true)}, Keys(true, false)},
      {"enemy coming down on him: away from it", {Enemy(wide, 0, false, 2)}, Keys(true, false)},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    LevelSight level = Standing({wide}, 0, -1, 1);
    level.diamonds = {DiamondOn(wide, 1.5)};
    level.enemies = c.enemies;
    sim::Pilot pilot;
    EXPECT_EQ(Describe(pilot.Guard(level)), Describe(c.keys));
    EXPECT_FALSE(pilot.lost());
  }
}

// Pressing towards the block while his head is below it would put him under
// it and end the rise: he presses only once his head is beside it.
TEST(PilotTest, KeepsOutFromUnderTheBlockHeJumpsTo) {
  LevelSight level = Standing({kLow, kHigh}, 0, kTakeOff);
  level.diamonds = {DiamondOn(kHigh, 2)};
  sim::Pilot pilot;
  ASSERT_TRUE(pilot.Steer(level).jump);
  const double feet = kLow.top + 0.05;
  const struct {
    const char* name;
    double feetAbove;  // above where he took off
    bool right;
  } kSteps[] = {
      {"head below the block", 0.5, false},
      {"head beside the block", 2.5, true},
      {"feet over its top", 5.1, true},
  };
  for (const auto& s : kSteps) {
    SCOPED_TRACE(s.name);
    level.heroInAir = level.heroBusy = true;
    level.heroY = feet + s.feetAbove + level.heroHalfHeight;
    const Controls keys = pilot.Steer(level);
    EXPECT_EQ(keys.right, s.right);
    EXPECT_FALSE(keys.left);
  }
}

// A jump that lands him back where he took off is tried once more, then given
// up for the level: with no other way up, the diamond is out of reach.
TEST(PilotTest, GivesUpAJumpThatFailedTwice) {
  LevelSight ground = Standing({kLow, kHigh}, 0, kTakeOff);
  ground.diamonds = {DiamondOn(kHigh, 2)};
  LevelSight air = ground;
  air.heroInAir = air.heroBusy = true;
  sim::Pilot pilot;
  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    ASSERT_TRUE(pilot.Steer(ground).jump);
    pilot.Steer(air);
  }
  EXPECT_EQ(Describe(pilot.Steer(ground)), "nothing");
  EXPECT_TRUE(pilot.lost());
}

TEST(PilotTest, JumpReachFollowsTheJumpsArc) {
  const struct {
    double rise;
    int direction;
    double headRoom;
    double least, most;
  } kCases[] = {
      {0, 1, 1e9, 5, 12},   // across: the whole rise and a long fall
      {5.3, 1, 1e9, 4, 7},  // the next block up a column: he gets there at the top
      {5.5, 1, 1e9, 0, 0},  // higher than he jumps
      {0, 1, 1.0, 0.3, 3},  // his head meets a block: a short hop
      {2, 0, 1e9, 5, 12},   // falling he drifts faster to the left
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << "rise " << c.rise << " room " << c.headRoom);
    const double reach = sim::JumpReach(c.rise, c.direction, c.headRoom);
    EXPECT_GE(reach, c.least);
    EXPECT_LE(reach, c.most);
  }
  EXPECT_GT(sim::JumpReach(2, 0), sim::JumpReach(2, 1));
}

}  // namespace
