// Hopping on diamonds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyDiamondTest : public EnemyTest {
 protected:
  // Platform 0 at (0, -4); a diamond on it stands at y -3.0, its top at -2.6.
  EnemyDiamondTest() { AddPlatform(0, -4); }
};

TEST_F(EnemyDiamondTest, HopsInPlaceOnAnUntakenDiamondWithAThud) {
  TDiamond& diamond = AddDiamond(0, 1.5L);
  TEnemy& e = AddEnemy(EnemyKind::Cangoroo, 0, 0.2L);
  const long double y = e.y;
  bool crouched = false;
  for (int i = 0; i < 20 && !crouched; ++i) {
    Frame();
    crouched = e.crouching;
  }
  ASSERT_TRUE(crouched);
  // The first step whose box reaches the diamond's left edge at 1.1.
  EXPECT_NEAR(static_cast<double>(e.x), 0.32, 1e-9);
  // The crouch starts in the update that found the diamond.
  EXPECT_EQ(e.frame, 2);
  EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Jump, 2));
  const std::vector<std::string> sounds = backend().TakeStartedSounds();
  EXPECT_EQ(
      std::count_if(sounds.begin(), sounds.end(),
                    [](const std::string& s) { return s.find("diam_down") != std::string::npos; }),
      1);

  ASSERT_EQ(e.PathLength(), 8);
  const long double rises[] = {0.1L, 0.2L, 0.3L, 0.4L, 0.3L, 0.2L, 0.1L, 0.0L};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(e.path()[static_cast<std::size_t>(i)].x, e.x);
    EXPECT_NEAR(static_cast<double>(e.path()[static_cast<std::size_t>(i)].y - y),
                static_cast<double>(rises[i]), 1e-12);
  }
  EXPECT_EQ(e.path()[8].x, 101.0L);

  // Crouch, hop and landing in place, then on its way again.
  ASSERT_TRUE(FramesUntil([&] { return !(e.crouching || e.jumping || e.landing); }, 200));
  EXPECT_NEAR(static_cast<double>(e.x), 0.32, 1e-9);
  EXPECT_EQ(e.y, y);
  EXPECT_EQ(e.platformIndex, 0);
  (void)diamond;
}

TEST_F(EnemyDiamondTest, ATakenDiamondIsNoHopAndOnlyDiamondsCount) {
  TDiamond& diamond = AddDiamond(0, 1.5L);
  diamond.taken = true;
  TEnemy& e = AddEnemy(EnemyKind::Mouse, 0, 0.2L);
  Frames(60);
  EXPECT_FALSE(e.crouching || e.jumping);
  EXPECT_GT(e.x, 1.5L);
}

// The diamond's box reaches 0.1 above its top for an enemy's feet.
TEST_F(EnemyDiamondTest, TheDiamondReachesATenthAboveItsTop) {
  struct Case {
    long double gap;  // enemy's bottom above the diamond's top
    bool hops;
  };
  for (const Case& c : {Case{0.09L, true}, Case{0.11L, false}}) {
    SCOPED_TRACE(static_cast<double>(c.gap));
    objects_.enemies.clear();
    objects_.bonuses.clear();
    const TDiamond& diamond = AddDiamond(0, 1.0L);
    TEnemy& e = AddEnemy(EnemyKind::Blue, 0, 1.0L);
    e.y = diamond.y + diamond.halfHeight + c.gap + e.halfHeight;
    Frame();
    EXPECT_EQ(e.crouching, c.hops);
  }
}

}  // namespace
}  // namespace game
