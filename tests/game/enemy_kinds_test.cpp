// The four kinds: each only a row of data under one behaviour.
#include <gtest/gtest.h>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

struct EnemyCase {
  EnemyKind kind;
  const char* name;
  int packImages;
  int firstSlot;
  std::int32_t textureBase;
  float baseScale;
  float drawOffset;
};

const EnemyCase kEnemyCases[] = {
    {EnemyKind::Cangoroo, "cangoroo", 44, 95, 1000500, 3.2f, 1.1f},
    {EnemyKind::Mouse, "mouse", 48, 139, 1000600, 3.2f, 1.0f},
    {EnemyKind::Blue, "blue", 46, 187, 1000700, 3.2f, 0.5f},
    {EnemyKind::Toothy, "toothy", 40, 233, 1000800, 2.5f, 1.0f},
};

TEST(EnemyLookTest, EachKindUsesItsWholePackAndTheSlotsAfterThePreviousKind) {
  int nextSlot = 95;
  for (const EnemyCase& c : kEnemyCases) {
    const EnemyLook& look = LookOf(c.kind);
    EXPECT_STREQ(look.name, c.name);
    EXPECT_EQ(look.ImageCount(), c.packImages) << c.name;
    EXPECT_EQ(look.firstSlot, nextSlot) << c.name;
    nextSlot += look.ImageCount();
    // Sets follow one another, left frames before right frames.
    EXPECT_EQ(look.ImageIndex(EnemySet::Walk, 0, 1), 0) << c.name;
    EXPECT_EQ(look.ImageIndex(EnemySet::Jump, 0, 1), 2 * look.Frames(EnemySet::Walk)) << c.name;
    EXPECT_EQ(look.ImageIndex(EnemySet::KnockDown, 1, look.Frames(EnemySet::KnockDown)),
              c.packImages - 1)
        << c.name;
  }
  EXPECT_EQ(nextSlot, 273);  // the last image slot is Toothy's last picture
}

class EnemyKindTest : public EnemyTest {};

TEST_F(EnemyKindTest, ANewEnemyFacesRightOnItsFirstWalkPictureWithTheSameBox) {
  AddPlatform(0, -4);
  for (const EnemyCase& c : kEnemyCases) {
    SCOPED_TRACE(c.name);
    TEnemy& e = AddEnemy(c.kind, 0, 0.5L);
    EXPECT_EQ(e.kind(), c.kind);
    EXPECT_EQ(e.direction, 1);
    EXPECT_EQ(e.frame, 1);
    EXPECT_FALSE(e.jumping || e.crouching || e.landing || e.eating || e.knockedDown || e.lying);
    EXPECT_EQ(ShownImage(e), e.look().Frames(EnemySet::Walk));  // right-facing frame 1
    EXPECT_EQ(world().sprites.at(e.sprite).layer, 2);
    EXPECT_FLOAT_EQ(SpriteScale(e).x, c.baseScale);
    EXPECT_FLOAT_EQ(SpriteScale(e).y, c.baseScale);
    // The box is 1.6 wide and 1.2 high for every kind; only the picture moves.
    const RectBox box = e.Box();
    EXPECT_DOUBLE_EQ(box.right - box.left, 1.6);
    EXPECT_NEAR(box.top - box.bottom, 1.2, 1e-12);
    EXPECT_FLOAT_EQ(world().sprites.at(e.sprite).location.y,
                    static_cast<float>(e.y) + c.drawOffset);
    // Every picture of the pack became a texture with the kind's id.
    for (int i = 0; i < c.packImages; ++i) {
      bool found = false;
      for (const auto& [handle, texture] : world().textures) {
        found = found || texture.tag == c.textureBase + i;
      }
      EXPECT_TRUE(found) << "image " << i;
    }
  }
}

TEST_F(EnemyKindTest, MakeEnemyFollowsTheBuildersNumbering) {
  EXPECT_EQ(MakeEnemy(context_, 0)->kind(), EnemyKind::Cangoroo);
  EXPECT_EQ(MakeEnemy(context_, 1)->kind(), EnemyKind::Mouse);
  EXPECT_EQ(MakeEnemy(context_, 2)->kind(), EnemyKind::Blue);
  EXPECT_EQ(MakeEnemy(context_, 3)->kind(), EnemyKind::Toothy);
}

TEST_F(EnemyKindTest, AnEnemyReleasesItsEngineObjects) {
  const std::size_t textures = world().textures.size();
  const std::size_t sprites = world().sprites.size();
  AddPlatform(0, -4);
  AddEnemy(EnemyKind::Mouse, 0, 0);
  EXPECT_EQ(world().textures.size(), textures + 48);
  objects_.enemies.clear();
  EXPECT_EQ(world().textures.size(), textures);
  EXPECT_EQ(world().sprites.size(), sprites + 1);  // the platform's
  EXPECT_TRUE(world().sounds.empty());
  EXPECT_TRUE(world().particleSystems.empty());
  EXPECT_TRUE(world().emitters.empty());
}

}  // namespace
}  // namespace game
