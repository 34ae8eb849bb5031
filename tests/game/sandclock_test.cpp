// The sand-clock: its picture for the time left, the red pulse in the last two
// sevenths with a beep when picture 2 replaces 3 and one each pulse period.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/game/game_fixture.h"

namespace {

using testing_support::GameTest;

iColor ColourOf(engine::World& world, iHandle sprite) {
  return world.sprites.at(sprite).color;
}

TEST_F(GameTest, TheSandClockPictureFollowsTheShareOfTimeLeft) {
  // Level 1: 70 seconds, a total of 70.1; picture n stands for the n-th
  // seventh of the total, counted from the bottom.
  const struct {
    long double sevenths;  // time left in sevenths of the total
    int picture;
  } kCases[] = {{6.99L, 7},  {6.001L, 7}, {5.999L, 6}, {3.5L, 4},   {2.999L, 3},
                {2.001L, 3}, {1.999L, 2}, {1.001L, 2}, {0.999L, 1}, {0.001L, 1}};
  PlayLevelOne();
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<double>(c.sevenths));
    level().timeLeft = c.sevenths * 70.1L / 7;
    Frame();
    EXPECT_EQ(game().sandclock().current, c.picture);
  }
}

TEST_F(GameTest, TheLastTwoSeventhsPulseRedAndBeep) {
  PlayLevelOne();
  level().timeLeft = 22;
  Frame();
  ASSERT_EQ(game().sandclock().current, 3);
  EXPECT_TRUE(
      testing_support::SameColour(ColourOf(world(), game().sandclock().sprite), {1, 1, 1, 1}));
  Started("out_time.wav");
  level().timeLeft = 20;
  Frame();
  ASSERT_EQ(game().sandclock().current, 2);
  EXPECT_EQ(Started("out_time.wav"), 1);  // picture 2 replaces 3
  const iColor pulse = ColourOf(world(), game().sandclock().sprite);
  EXPECT_FLOAT_EQ(pulse.g, std::sin(0.1f));
  EXPECT_EQ(pulse.g, pulse.b);
  EXPECT_EQ(pulse.r, 1);

  // The phase passes 2 pi on the 63rd step: a beep, and again 63 frames later.
  std::vector<int> beeps;
  for (int frame = 2; frame <= 130; ++frame) {
    Frame();
    if (Started("out_time.wav") > 0) beeps.push_back(frame);
  }
  EXPECT_EQ(beeps, (std::vector<int>{63, 126}));
}

TEST_F(GameTest, TheSandClockStandsStillOutsidePlayFrames) {
  PlayLevelOne();
  level().timeLeft = 5;
  Frame();
  ASSERT_EQ(game().sandclock().current, 1);
  TakeEveryDiamond();
  FramesWhile([&] { return game().GetLevel() == 1; });
  // The next level's entry still shows the picture the last one ended with.
  Frames(100);
  EXPECT_TRUE(level().entryPhase);
  EXPECT_EQ(game().sandclock().current, 1);
  FinishEntry();
  Frame();
  EXPECT_EQ(game().sandclock().current, 7);
}

}  // namespace
