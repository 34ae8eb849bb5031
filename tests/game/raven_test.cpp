// The raven: its runs, the parcel's drop and landing, and its idle runs while a
// special bonus is in play.
#include "game/raven.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/diamond.h"
#include "platform/random.h"
#include "tests/game/bonus_level_fixture.h"

namespace game {
namespace {

class RavenTest : public BonusLevelTest {
 protected:
  TRaven& SetUpRaven() {
    objects.ravens.push_back(std::make_unique<TRaven>(game));
    objects.ravens.back()->SetUp();
    return *objects.ravens.back();
  }

  // What TGame does with the raven each frame.
  void DriveRaven(TRaven& raven) {
    if (raven.delay > 0) {
      raven.delay -= 0.013L;
    } else if (!raven.Carrying()) {
      raven.NewRun();
    } else {
      raven.FlyStep();
    }
  }

  // A carried parcel already past the drop point, falling from (x, parcelY)
  // while the raven flies right along y = 8.
  void StartFallAt(TRaven& raven, long double x, long double parcelY) {
    raven.direction = 1;
    raven.x = x;
    raven.y = 8;
    raven.endX = 19.2L;
    raven.dropX = x - 1;
    raven.parcelX = x;
    raven.parcelY = parcelY;
    raven.dropped = false;
    raven.done = false;
    raven.delay = 0;
  }

  // FlySteps until the parcel is done; the number of steps taken.
  int FlyUntilDone(TRaven& raven) {
    int steps = 0;
    while (!raven.done && steps < 1000) {
      raven.FlyStep();
      ++steps;
    }
    return steps;
  }
};

struct RunCase {
  const char* name;
  bool diamondInPlay;
  int specialInPlay;  // index among the specials, -1 none
  bool fetches;
};

const RunCase kRuns[] = {
    {"nothing in play", false, -1, true},
    {"only a diamond in play", true, -1, true},
    {"the banana in play", false, 2, false},
    {"the clock in play", true, 4, false},
};

TEST_F(RavenTest, NewRunDrawsItsRandomNumbersInOrderAndFetchesOnlyWhenNoDeliveredBonusIsInPlay) {
  for (const RunCase& c : kRuns) {
    for (const std::uint64_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
      SCOPED_TRACE(testing::Message() << c.name << ", seed " << seed);
      objects.Clear();
      if (c.diamondInPlay) objects.bonuses.push_back(std::make_unique<TDiamond>(game));
      AddDeliveredBonuses();
      if (c.specialInPlay >= 0) {
        objects.bonuses[static_cast<std::size_t>(c.specialInPlay) + (c.diamondInPlay ? 1 : 0)]
            ->taken = false;
      }
      platform::SeedRandom(seed);
      platform::Random copy(seed);

      TRaven& raven = SetUpRaven();

      const int direction = copy.Next(2);
      long double x = 0;
      long double endX = 0;
      if (direction == 1) {
        x = -19 - copy.Next(10) / 100.0L;
        endX = copy.Next(30) / 100.0L + 19;
      } else {
        x = copy.Next(10) / 100.0L + 19;
        endX = -19 - copy.Next(30) / 100.0L;
      }
      const long double dropX = copy.Next(3200) / 100.0L - 16;
      const long double y = copy.Next(20) / 100.0L + 8;
      EXPECT_EQ(raven.direction, direction);
      EXPECT_EQ(raven.x, x);
      EXPECT_EQ(raven.endX, endX);
      EXPECT_EQ(raven.dropX, dropX);
      EXPECT_EQ(raven.y, y);
      EXPECT_EQ(raven.parcelX, direction == 1 ? x - 0.3L : x + 0.3L);
      EXPECT_EQ(raven.parcelY, y - 0.7L);
      EXPECT_FALSE(raven.dropped);
      EXPECT_FALSE(raven.done);
      EXPECT_TRUE(Shown(raven.sprite));
      EXPECT_TRUE(Shown(raven.parcelSprite));
      EXPECT_EQ(PictureTag(raven.sprite), 1001300 + 6 * direction);
      EXPECT_EQ(PictureTag(raven.parcelSprite), 1001350);
      EXPECT_FLOAT_EQ(SpriteOf(raven.sprite).location.x, static_cast<float>(x));
      EXPECT_EQ(raven.Carrying(), c.fetches);
      if (c.fetches) {
        const int k = copy.Next(5);
        EXPECT_EQ(raven.bonusIndex, k + (c.diamondInPlay ? 1 : 0));
        EXPECT_EQ(raven.delay, copy.Next(20) / 10.0L + 2.0L);
        EXPECT_GE(raven.delay, 2.0L);  // at least 154 frames beyond the edge
      } else {
        EXPECT_EQ(raven.delay, -1.0L);
      }
      EXPECT_EQ(copy.Next(1000000), platform::random(1000000)) << "draws out of step";
    }
  }
}

struct LandingCase {
  const char* name;
  // Two platforms whose tops the falling parcel reaches on the same frame,
  // in list order: centre y and half-height.
  long double firstY, firstHalfHeight;
  long double secondY, secondHalfHeight;
  long double bonusY;  // landing platform's top + 0.4 + 0.1
};

// The parcel's bottom goes from -4.4 to -4.6 in one frame: it reaches both tops.
const LandingCase kLandings[] = {
    {"lower top first", -5.0L, 0.5L, -4.95L, 0.5L, -4.0L},
    {"higher top first", -4.95L, 0.5L, -5.0L, 0.5L, -3.95L},
    {"thick platform first", -5.5L, 1.0L, -4.95L, 0.5L, -4.0L},
};

TEST_F(RavenTest, ParcelLandsOnTheFirstPlatformInListOrderItTouches) {
  for (const LandingCase& c : kLandings) {
    SCOPED_TRACE(c.name);
    objects.Clear();
    AddDeliveredBonuses();
    AddPlatform(0, c.firstY, 2.75L, c.firstHalfHeight);
    AddPlatform(0.5L, c.secondY, 2.75L, c.secondHalfHeight);
    TRaven& raven = SetUpRaven();
    ASSERT_TRUE(raven.Carrying());
    StartFallAt(raven, 0, 0.0L);
    raven.bonusIndex = 3;

    EXPECT_EQ(FlyUntilDone(raven), 22);

    TBonus& pear = *objects.bonuses[3];
    EXPECT_FALSE(pear.taken);
    EXPECT_TRUE(Shown(pear.sprite));
    EXPECT_NEAR(static_cast<double>(pear.y), static_cast<double>(c.bonusY), 1e-9);
    EXPECT_EQ(pear.x, raven.parcelX);
    // Carried 0.1 on the dropping frame, then drifting 0.05 a frame.
    EXPECT_NEAR(static_cast<double>(pear.x), 0.1 + 21 * 0.05, 1e-9);
    EXPECT_FALSE(Shown(raven.parcelSprite));
    for (std::size_t i = 0; i < objects.bonuses.size(); ++i) {
      if (i != 3) {
        EXPECT_TRUE(objects.bonuses[i]->taken) << i;
      }
    }
  }
}

TEST_F(RavenTest, ParcelMissingEveryPlatformIsLostBelowMinusFourteen) {
  AddDeliveredBonuses();
  AddPlatform(10, -5);  // far to the right of the fall
  TRaven& raven = SetUpRaven();
  StartFallAt(raven, -10, 7.3L);
  raven.bonusIndex = 0;

  const int steps = FlyUntilDone(raven);

  EXPECT_LT(raven.parcelY, -14);
  EXPECT_GE(raven.parcelY + 0.2L, -14);
  EXPECT_EQ(steps, 107);  // 7.3 - 107 * 0.2 = -14.1
  EXPECT_TRUE(objects.bonuses[0]->taken);
  EXPECT_FALSE(Shown(objects.bonuses[0]->sprite));
  // The raven flies on to its end point, then the next run fetches again.
  EXPECT_NEAR(static_cast<double>(raven.x), -10 + steps * 0.1, 1e-9);
  for (int i = 0; i < 400 && raven.done; ++i) raven.FlyStep();
  EXPECT_FALSE(raven.done);
  EXPECT_GE(std::abs(static_cast<double>(raven.x)), 19.0);
  EXPECT_TRUE(raven.Carrying());
}

TEST_F(RavenTest, RunEndingBeforeTheParcelIsDoneRestartsOnTheFrameAfterIt) {
  AddDeliveredBonuses();
  TRaven& raven = SetUpRaven();
  StartFallAt(raven, 15, 7);
  raven.endX = 16;  // passed after 11 steps, long before the parcel is lost

  const int steps = FlyUntilDone(raven);
  EXPECT_GT(raven.x, raven.endX);
  EXPECT_NEAR(static_cast<double>(raven.x), 15 + steps * 0.1, 1e-9);  // still the old run
  raven.FlyStep();
  EXPECT_FALSE(raven.done);  // a new run
  EXPECT_GE(std::abs(static_cast<double>(raven.x)), 19.0);
}

TEST_F(RavenTest, StaysIdleWhileTheDeliveredBonusIsInPlayAndFetchesOnceItIsTaken) {
  AddDeliveredBonuses();
  AddPlatform(0, -5);
  TRaven& raven = SetUpRaven();
  // Let TGame drive it until the bonus stands on the platform.
  int frames = 0;
  const auto inPlay = [this] {
    for (const auto& bonus : objects.bonuses) {
      if (!bonus->taken) return true;
    }
    return false;
  };
  while (!inPlay() && frames < 5000) {
    clock.Advance(13);
    DriveRaven(raven);
    ++frames;
  }
  ASSERT_TRUE(inPlay()) << "no delivery";
  EXPECT_GE(frames, 154);
  TBonus& delivered = *objects.bonuses[static_cast<std::size_t>(raven.bonusIndex)];
  EXPECT_NEAR(static_cast<double>(delivered.y), -4.5 + 0.4 + 0.1, 1e-9);

  // However long it lies there (the delivering run ends within 400 frames),
  // every later run is idle beyond a screen edge.
  for (int i = 0; i < 2000; ++i) {
    clock.Advance(13);
    DriveRaven(raven);
  }
  EXPECT_FALSE(raven.Carrying());
  EXPECT_EQ(raven.delay, -1.0L);
  EXPECT_GE(std::abs(static_cast<double>(raven.x)), 19.0);
  int inPlayCount = 0;
  for (const auto& bonus : objects.bonuses) inPlayCount += bonus->taken ? 0 : 1;
  EXPECT_EQ(inPlayCount, 1);
  EXPECT_FALSE(delivered.taken);

  delivered.Take(raven.bonusIndex);
  DriveRaven(raven);
  EXPECT_TRUE(raven.Carrying());
  EXPECT_GE(raven.delay, 2.0L);
}

TEST_F(RavenTest, PicturesCycleByTheTickAndFollowTheDirection) {
  AddDeliveredBonuses();
  TRaven& raven = SetUpRaven();
  StartFallAt(raven, 0, 7);
  raven.direction = 0;
  raven.dropX = 5;  // flying left, already past it
  raven.frame = 6;
  raven.parcelFrame = 7;
  clock.Set(1000);
  raven.lastStepTime = 950;
  raven.parcelStepTime = 949;

  raven.FlyStep();  // 50 ms since the raven's last step: not yet; 51 for the parcel

  EXPECT_EQ(raven.frame, 6);
  EXPECT_EQ(raven.parcelFrame, 1);
  EXPECT_EQ(PictureTag(raven.parcelSprite), 1001350);
  clock.Advance(1);
  raven.FlyStep();
  EXPECT_EQ(raven.frame, 1);
  EXPECT_EQ(PictureTag(raven.sprite), 1001300);
  raven.direction = 1;
  clock.Advance(51);
  raven.FlyStep();
  EXPECT_EQ(PictureTag(raven.sprite), 1001300 + 6 + 1);
  EXPECT_EQ(PictureTag(raven.parcelSprite), 1001351);
}

TEST_F(RavenTest, ReloadRemakesItsSpritesInPlaceKeepingTheRun) {
  AddDeliveredBonuses();
  TRaven& raven = SetUpRaven();
  raven.direction = 1;
  raven.frame = 4;
  raven.parcelFrame = 3;
  raven.x = -19.05L;
  raven.parcelX = -19.35L;
  const long double delay = raven.delay;
  const iHandle old = raven.sprite;

  raven.Reload();

  EXPECT_NE(raven.sprite, old);
  EXPECT_EQ(PictureTag(raven.sprite), 1001300 + 6 + 3);
  EXPECT_EQ(PictureTag(raven.parcelSprite), 1001352);
  EXPECT_FLOAT_EQ(SpriteOf(raven.sprite).location.x, -19.05f);
  EXPECT_FLOAT_EQ(SpriteOf(raven.parcelSprite).location.x, -19.35f);
  EXPECT_EQ(SpriteOf(raven.sprite).scale.x, 3.2f);
  EXPECT_EQ(SpriteOf(raven.parcelSprite).scale.x, 1.6f);
  EXPECT_EQ(raven.delay, delay);
  raven.Show();
  EXPECT_TRUE(Shown(raven.sprite));
  raven.Hide();
  EXPECT_FALSE(Shown(raven.sprite));
  EXPECT_FALSE(Shown(raven.parcelSprite));
}

}  // namespace
}  // namespace game
