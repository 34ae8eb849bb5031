// Balloons: where they start, how they float, pop and escape.
#include "game/balloon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/random.h"
#include "tests/game/bonus_level_fixture.h"

namespace game {
namespace {

class BalloonTest : public BonusLevelTest {
 protected:
  struct Step {
    int frame;
    std::int32_t picture;
    bool shown;
  };
  // Updates once and tells what the balloon shows.
  Step UpdateAndLook(TBaloon& balloon) {
    balloon.Update();
    return {balloon.frame, PictureTag(balloon.sprite), Shown(balloon.sprite)};
  }
};

TEST_F(BalloonTest, LoadDrawsFirstFrameThenXThenYBelowTheScreen) {
  platform::SeedRandom(42);
  platform::Random copy(42);
  TBaloon& balloon = AddBalloon();

  const int frame = copy.Next(3) + 1;
  EXPECT_EQ(balloon.frame, frame);
  EXPECT_EQ(balloon.x, copy.Next(3200) / 100.0L - 16);
  EXPECT_EQ(balloon.y, -13 - copy.Next(1000) / 100.0L);
  EXPECT_EQ(PictureTag(balloon.sprite), 1001260 + frame - 1);
  EXPECT_FALSE(balloon.taken);
  EXPECT_EQ(balloon.halfWidth, 1.4L);
  EXPECT_EQ(SpriteOf(balloon.sprite).scale.x, 3.2f);
  EXPECT_EQ(SoundFile(balloon.sndTake), "baloon.wav");
}

TEST_F(BalloonTest, FloatsUpCyclingItsFirstThreeFrames) {
  TBaloon& balloon = AddBalloon();
  balloon.frame = 2;
  balloon.x = 1;
  balloon.y = -5;
  std::vector<int> frames;
  for (int i = 0; i < 4; ++i) {
    clock.Advance(101);
    balloon.Update();
    frames.push_back(balloon.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 1, 2, 3}));
  EXPECT_NEAR(static_cast<double>(balloon.y), -5 + 4 * 0.02, 1e-12);
  EXPECT_FLOAT_EQ(SpriteOf(balloon.sprite).location.y, static_cast<float>(balloon.y - 0.02L + 1));
  EXPECT_FALSE(balloon.taken);
}

TEST_F(BalloonTest, PoppedOnFrameTwoShowsFramesThreeToSixThenDisappears) {
  TBaloon& balloon = AddBalloon();
  balloon.frame = 2;
  balloon.x = -3;
  balloon.y = 2;
  iSpriteShow(balloon.sprite);
  counters.SetScore(40);
  backend().TakeStartedSounds();

  balloon.Pop(0);

  EXPECT_EQ(counters.GetScore(), 50);
  EXPECT_TRUE(balloon.taken);
  EXPECT_TRUE(Shown(balloon.sprite));
  EXPECT_EQ(backend().TakeStartedSounds(), std::vector<std::string>{"baloon.wav"});
  EXPECT_EQ(objects.emitters[0]->centreX, -3);
  EXPECT_EQ(objects.emitters[0]->centreY, 3.5L);
  const long double poppedAt = balloon.y;

  // Within 50 ms nothing changes; then one frame per more-than-50 ms.
  clock.Advance(50);
  EXPECT_EQ(UpdateAndLook(balloon).frame, 2);
  std::vector<int> frames;
  for (int i = 0; i < 4; ++i) {
    clock.Advance(51);
    const Step step = UpdateAndLook(balloon);
    EXPECT_EQ(step.picture, 1001260 + step.frame - 1);
    EXPECT_TRUE(step.shown);
    frames.push_back(step.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 4, 5, 6}));
  const Step last = UpdateAndLook(balloon);
  EXPECT_EQ(last.frame, 7);
  EXPECT_TRUE(last.shown);
  EXPECT_FALSE(UpdateAndLook(balloon).shown);
  EXPECT_FALSE(UpdateAndLook(balloon).shown);
  EXPECT_EQ(balloon.y, poppedAt);  // a popped balloon stops rising
  EXPECT_EQ(counters.GetScore(), 50);
}

TEST_F(BalloonTest, AboveFourteenItEscapesWithoutScoringAndPlaysItsPop) {
  TBaloon& balloon = AddBalloon();
  balloon.frame = 1;
  balloon.y = 13.97L;
  iSpriteShow(balloon.sprite);
  counters.SetScore(0);
  balloon.Update();  // 13.99
  EXPECT_FALSE(balloon.taken);
  balloon.Update();  // 14.01
  EXPECT_TRUE(balloon.taken);
  EXPECT_EQ(counters.GetScore(), 0);
  std::vector<int> frames;
  for (int i = 0; i < 7; ++i) {
    clock.Advance(51);
    frames.push_back(UpdateAndLook(balloon).frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 5, 6, 7, 7}));
  EXPECT_FALSE(Shown(balloon.sprite));
  EXPECT_EQ(counters.GetScore(), 0);
}

TEST_F(BalloonTest, SetLayerMovesItsSprite) {
  TBaloon& balloon = AddBalloon();
  balloon.SetLayer(0);
  EXPECT_EQ(SpriteOf(balloon.sprite).layer, 0);
  balloon.SetLayer(2);
  EXPECT_EQ(SpriteOf(balloon.sprite).layer, 2);
}

TEST_F(BalloonTest, ReloadKeepsItsPlaceAndFrameAndRemakesItsBurst) {
  AddDeliveredBonuses();
  AddBalloon();
  TBaloon& balloon = AddBalloon();
  balloon.frame = 5;
  balloon.x = 2;
  balloon.y = 3;
  const iHandle oldBurst = objects.emitters[6]->sprites[0];

  balloon.Reload();

  EXPECT_EQ(PictureTag(balloon.sprite), 1001264);
  EXPECT_FLOAT_EQ(SpriteOf(balloon.sprite).location.y, 4.0f);
  EXPECT_NE(objects.emitters[6]->sprites[0].get(), oldBurst);
  EXPECT_EQ(world().textures.at(SpriteOf(objects.emitters[6]->sprites[0]).texture).tag,
            kBalloonBurstTag);
}

}  // namespace
}  // namespace game
