// The five special bonuses: what each is made of, how each animates, and what
// taking each does.
#include <gtest/gtest.h>

#include <vector>

#include "game/delivered_bonuses.h"
#include "platform/random.h"
#include "tests/game/bonus_level_fixture.h"

namespace game {
namespace {

struct BonusCase {
  BonusKind kind;
  std::int32_t firstPicture;  // texture id shown after Load (first frame 1)
  const char* sound;
  float spriteRise;
  std::int32_t burstTag;
};

// In the level builder's order; TSnow's first frame is drawn, the test seeds it to 1.
const BonusCase kBonusCases[kDeliveredBonusCount] = {
    {BonusKind::Snow, 1001240, "allstop.wav", 0.0f, kSnowBurstTag},
    {BonusKind::LifePlus, 1001271, "drinking.wav", 0.5f, kLifePlusBurstTag},
    {BonusKind::Banana, kBananaTag, "money.wav", 0.5f, kBananaTag},
    {BonusKind::Pear, kPearTag, "money.wav", 0.5f, kPearTag},
    {BonusKind::Clock, kClockTag, "money.wav", 0.5f, kClockTag},
};

class BonusKindsTest : public BonusLevelTest {};

TEST_F(BonusKindsTest, EachKindLoadsItsPictureSoundBoxAndBurst) {
  for (int i = 0; i < kDeliveredBonusCount; ++i) {
    const BonusCase& c = kBonusCases[i];
    SCOPED_TRACE(i);
    // The first seed whose random(3) is 0 gives TSnow frame 1.
    for (std::uint64_t seed = 1;; ++seed) {
      if (platform::Random(seed).Next(3) == 0) {
        platform::SeedRandom(seed);
        break;
      }
    }
    const std::unique_ptr<TBonus> bonus = MakeDeliveredBonus(game, i);
    bonus->Load();
    bonus->x = 3;
    bonus->y = -2;
    bonus->Update();

    EXPECT_EQ(bonus->kind(), c.kind);
    EXPECT_FALSE(bonus->taken);
    EXPECT_EQ(bonus->halfWidth, 0.4L);
    EXPECT_EQ(bonus->halfHeight, 0.4L);
    EXPECT_EQ(PictureTag(bonus->sprite), c.firstPicture);
    EXPECT_EQ(SpriteOf(bonus->sprite).scale.x, 1.6f);
    EXPECT_EQ(SpriteOf(bonus->sprite).layer, 2);
    EXPECT_FALSE(Shown(bonus->sprite));
    EXPECT_FLOAT_EQ(SpriteOf(bonus->sprite).location.x, 3.0f);
    EXPECT_FLOAT_EQ(SpriteOf(bonus->sprite).location.y, -2.0f + c.spriteRise);
    EXPECT_EQ(SoundFile(bonus->sndTake), c.sound);
    EXPECT_EQ(world().textures.at(bonus->BurstTexture()).tag, c.burstTag);
  }
}

struct AnimationCase {
  int index;
  std::uint32_t stepMs;
  std::vector<std::int32_t> pictures;  // texture ids after each step, from frame 1
};

const AnimationCase kAnimations[] = {
    {0, 250, {1001241, 1001242, 1001243, 1001244, 1001240, 1001241}},
    {1, 100, {1001272, 1001271, 1001272}},
    {2, 0, {kBananaTag, kBananaTag}},
    {3, 0, {kPearTag, kPearTag}},
    {4, 0, {kClockTag, kClockTag}},
};

TEST_F(BonusKindsTest, PicturesStepOnlyAfterMoreThanTheirIntervalAndCycle) {
  for (const AnimationCase& c : kAnimations) {
    SCOPED_TRACE(c.index);
    clock.Set(0);
    const std::unique_ptr<TBonus> bonus = MakeDeliveredBonus(game, c.index);
    auto& special = static_cast<TDeliveredBonus&>(*bonus);
    bonus->Load();
    special.frame = 1;
    iSpriteTextureSet(bonus->sprite, special.Picture(1));
    const std::uint32_t interval = c.stepMs == 0 ? 1000 : c.stepMs;
    for (const std::int32_t expected : c.pictures) {
      clock.Advance(interval);  // exactly the interval: not yet
      const std::int32_t before = PictureTag(bonus->sprite);
      bonus->Update();
      EXPECT_EQ(PictureTag(bonus->sprite), before);
      clock.Advance(1);
      bonus->Update();
      EXPECT_EQ(PictureTag(bonus->sprite), expected);
    }
  }
}

TEST_F(BonusKindsTest, SnowStartsOnOneOfItsFirstThreeFrames) {
  platform::SeedRandom(7);
  platform::Random copy(7);
  const std::unique_ptr<TBonus> snow = MakeDeliveredBonus(game, 0);
  snow->Load();
  const int frame = copy.Next(3) + 1;
  EXPECT_EQ(static_cast<TDeliveredBonus&>(*snow).frame, frame);
  EXPECT_EQ(PictureTag(snow->sprite), 1001240 + frame - 1);
}

struct EffectCase {
  const char* name;
  int index;
  std::int32_t livesBefore;
  std::int32_t livesAfter;
  std::int32_t points;
  long double freezeAfter;
  long double clockStopAfter;
  std::vector<bool> iconsShown;  // life icons 1, 2, 3 after taking
};

// Before taking: score 100, freezeTimer 2.0 (enemies already frozen),
// clockStopTimer 1.0 (timer already stopped), every life icon shown.
const EffectCase kEffects[] = {
    {"snow restarts the freeze", 0, 2, 2, 0, 5.0L, 1.0L, {true, true, true}},
    {"extra life below three", 1, 2, 3, 0, 2.0L, 1.0L, {true, true, true}},
    {"extra life from one", 1, 1, 2, 0, 2.0L, 1.0L, {true, true, false}},
    {"extra life at three adds nothing", 1, 3, 3, 0, 2.0L, 1.0L, {true, true, true}},
    {"banana", 2, 2, 2, 20, 2.0L, 1.0L, {true, true, true}},
    {"pear", 3, 2, 2, 20, 2.0L, 1.0L, {true, true, true}},
    {"clock restarts the time stop", 4, 2, 2, 0, 2.0L, 5.0L, {true, true, true}},
};

TEST_F(BonusKindsTest, TakingEachKindHasItsEffectAndAlwaysCountsAsTaken) {
  AddDeliveredBonuses();
  for (const EffectCase& c : kEffects) {
    SCOPED_TRACE(c.name);
    counters.SetScore(100);
    counters.SetLives(c.livesBefore);
    state.freezeTimer = 2.0L;
    state.clockStopTimer = 1.0L;
    for (const engine::OwnedPicture& icon : resources.lifeIcons) iSpriteShow(icon.sprite);
    TBonus& bonus = *objects.bonuses[static_cast<std::size_t>(c.index)];
    bonus.taken = false;
    bonus.x = 2;
    bonus.y = 1;
    iSpriteShow(bonus.sprite);
    for (int phase = 0; phase < 5; ++phase) RunPhase();  // the previous sound has ended
    backend().TakeStartedSounds();

    bonus.Take(c.index);

    EXPECT_EQ(counters.GetLives(), c.livesAfter);
    EXPECT_EQ(counters.GetScore(), 100 + c.points);
    EXPECT_EQ(state.freezeTimer, c.freezeAfter);
    EXPECT_EQ(state.clockStopTimer, c.clockStopAfter);
    for (std::size_t n = 0; n < 3; ++n) {
      EXPECT_EQ(Shown(resources.lifeIcons[n].sprite), c.iconsShown[n]) << "icon " << n + 1;
    }
    EXPECT_TRUE(bonus.taken);
    EXPECT_FALSE(Shown(bonus.sprite));
    EXPECT_EQ(backend().TakeStartedSounds(), std::vector<std::string>{SoundFile(bonus.sndTake)});
    EXPECT_EQ(objects.emitters[static_cast<std::size_t>(c.index)]->centreY, 1.5L);
  }
}

TEST_F(BonusKindsTest, ReloadKeepsStateShowsTheCurrentPictureAndRemakesItsBurst) {
  AddDeliveredBonuses();
  auto& life = static_cast<TDeliveredBonus&>(*objects.bonuses[1]);
  clock.Set(101);
  life.Update();  // frame 2
  life.x = 4;
  const iHandle oldSprite = life.sprite;
  const iHandle oldBurst = objects.emitters[1]->sprites[0];

  life.Reload();

  EXPECT_NE(life.sprite, oldSprite);
  EXPECT_EQ(life.frame, 2);
  EXPECT_EQ(life.x, 4);
  EXPECT_EQ(PictureTag(life.sprite), 1001272);
  EXPECT_NE(objects.emitters[1]->sprites[0].get(), oldBurst);
  EXPECT_EQ(world().textures.at(SpriteOf(objects.emitters[1]->sprites[0]).texture).tag,
            kLifePlusBurstTag);
}

}  // namespace
}  // namespace game
