// An engine restart in the middle of a level (display change, boss key in full
// screen): every engine object dies, the scene makes its own again and the game
// brings every level object back where it was.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/engine.h"
#include "engine/image.h"
#include "game/bonus_emitter.h"
#include "game/level_platform.h"
#include "tests/game/game_fixture.h"

namespace {

using testing_support::GameTest;

class GameRestartTest : public GameTest {
 protected:
  // The parts of the picture a restart changes on purpose made alike: the
  // platforms draw their block picture again at random and the clouds are
  // dropped until the next level.
  engine::Image Picture() {
    for (const auto& platform : objects().platforms) {
      iSpriteTextureSet(platform->sprite, game().resources().blockTextures[4]);
    }
    for (const game::TCloud& cloud : game().clouds()) iSpriteHide(cloud.sprite);
    return Render();
  }
};

TEST_F(GameRestartTest, ALevelComesBackAsItWasAfterAnEngineRestart) {
  if (!LinkGameArt()) GTEST_SKIP() << "no zq-assets to make the pictures with";
  RestartEngine();  // the scene's font and pictures from the art too
  PlayLevelOne();
  Frames(60);  // the parked bursts have run out
  ASSERT_FALSE(objects().platforms.empty());
  const engine::Image before = Picture();
  std::vector<long double> platformPlaces;
  for (const auto& p : objects().platforms)
    platformPlaces.insert(platformPlaces.end(), {p->x, p->y});

  RestartEngine();
  game().DrawHud();  // the frame would print it again
  EXPECT_TRUE(game().clouds().empty());
  std::vector<long double> placesAfter;
  for (const auto& p : objects().platforms) placesAfter.insert(placesAfter.end(), {p->x, p->y});
  EXPECT_EQ(placesAfter, platformPlaces);

  const engine::Image after = Picture();
  ASSERT_EQ(after.width, before.width);
  if (after.rgba != before.rgba) {
    engine::WritePng("before.png", before);
    engine::WritePng("after.png", after);
    if (const char* keep = std::getenv("ZQ_KEEP_PICTURES")) {
      std::filesystem::copy_file("before.png", std::filesystem::path(keep) / "before.png",
                                 std::filesystem::copy_options::overwrite_existing);
      std::filesystem::copy_file("after.png", std::filesystem::path(keep) / "after.png",
                                 std::filesystem::copy_options::overwrite_existing);
    }
    ADD_FAILURE() << "the level looks different after the restart";
  }
  Frames(100);
  EXPECT_EQ(DeadHandleCalls(), 0u);
  EXPECT_EQ(state(), core::ssPlaying);
}

TEST_F(GameRestartTest, ABurstInFlightGoesOnWhereItWas) {
  PlayLevelOne();
  Frames(60);
  Diamonds()[0]->Take(0);
  Frames(10);
  const game::TBonusEmitter& burst = *objects().emitters[0];
  std::vector<iVec2> ring;
  for (const iHandle s : burst.sprites) ring.push_back(world().sprites.at(s).location);

  RestartEngine();
  for (std::size_t i = 0; i < burst.sprites.size(); ++i) {
    const auto& sprite = world().sprites.at(burst.sprites[i]);
    EXPECT_TRUE(sprite.shown);
    EXPECT_EQ(sprite.location.x, ring[i].x);
    EXPECT_EQ(sprite.location.y, ring[i].y);
  }
  Frame();
  EXPECT_NEAR(burst.radius, 1.1L, 1e-12L);
}

TEST_F(GameRestartTest, TheEntryGoesOnWithTheUfoWhereItWas) {
  NewGame();
  Frames(50);
  RestartEngine();
  EXPECT_EQ(world().sprites.at(game().ufo().sprite).location.y, game().ufo().y);
  EXPECT_TRUE(Shown(game().ufo().sprite));
  EXPECT_TRUE(level().entryPhase);
  FinishEntry();
  EXPECT_EQ(world().sprites.at(game().ufo().sprite).layer, 2);
}

}  // namespace
