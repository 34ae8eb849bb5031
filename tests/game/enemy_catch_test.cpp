// Catching the hero and eating him.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyCatchTest : public EnemyTest {
 protected:
  // Platform 0 at (0, -4), an enemy in the middle of it at y -2.8.
  EnemyCatchTest() { AddPlatform(0, -4); }

  // The hero on the same platform, his box just overlapping the enemy's.
  void HeroTouching(const TEnemy& e) { PutHero(e.x + 1.5L, -1.9L); }

  int StartedSounds(const std::string& name) {
    const std::vector<std::string> sounds = backend().TakeStartedSounds();
    return static_cast<int>(std::count_if(sounds.begin(), sounds.end(), [&](const std::string& s) {
      return s.find(name) != std::string::npos;
    }));
  }
};

struct CatchCase {
  const char* name;
  bool entryPhase, respawnRequested, rising, falling, heroProtected;
  bool eats;
};

const CatchCase kCatchCases[] = {
    {"hero on the ground", false, false, false, false, false, true},
    {"hero protected (still eaten, unharmed)", false, false, false, false, true, true},
    {"entry phase", true, false, false, false, false, false},
    {"respawn pending", false, true, false, false, false, false},
    {"hero rising in a jump", false, false, true, false, false, false},
    {"hero falling", false, false, false, true, false, false},
};

TEST_F(EnemyCatchTest, CatchesAHeroOnTheGroundUnlessTheGameOrHisJumpLetsHimPass) {
  for (const CatchCase& c : kCatchCases) {
    SCOPED_TRACE(c.name);
    objects_.enemies.clear();
    TEnemy& e = AddEnemy(EnemyKind::Mouse, 0, 0);
    state_.entryPhase = c.entryPhase;
    state_.respawnRequested = c.respawnRequested;
    state_.heroTintTimer = c.heroProtected ? 1.5L : -1.0L;
    hero_->rising = c.rising;
    hero_->falling = c.falling;
    hero_->dying = false;  // a catch in the previous case left him dying
    HeroTouching(e);
    Frame();
    EXPECT_EQ(e.eating, c.eats);
    if (c.eats) {
      EXPECT_EQ(e.frame, 1);
      EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Eat, 1));
    }
    if (c.heroProtected) {
      EXPECT_FALSE(hero_->dying);
    }
  }
}

TEST_F(EnemyCatchTest, AHeroJustOutOfReachIsNotCaught) {
  TEnemy& e = AddEnemy(EnemyKind::Blue, 0, 0);
  PutHero(e.x + 1.7L, -1.9L);  // boxes 0.1 apart, and the enemy walks 0.03
  Frame();
  EXPECT_FALSE(e.eating);
}

// Each kind shows its eat pictures 1..shown (the Cangoroo's sixth is never
// shown), scaled as the kind eats, with the chomp every frame, then walks on.
TEST_F(EnemyCatchTest, EatsThroughItsShownPicturesThenWalksAtItsBaseScale) {
  for (EnemyKind kind :
       {EnemyKind::Cangoroo, EnemyKind::Mouse, EnemyKind::Blue, EnemyKind::Toothy}) {
    objects_.enemies.clear();
    TEnemy& e = AddEnemy(kind, 0, 0);
    SCOPED_TRACE(e.look().name);
    HeroTouching(e);
    Frame();
    ASSERT_TRUE(e.eating);
    PutHero(-15, -30);  // gone, so that it does not catch him again
    backend().TakeStartedSounds();

    std::vector<int> shown{1};
    int updates = 0;
    while (e.eating) {
      Frame();
      ++updates;
      ASSERT_LT(updates, 200);
      EXPECT_FLOAT_EQ(SpriteScale(e).x, e.eating ? e.look().eatScale : e.look().baseScale);
      if (e.eating && e.frame != shown.back()) {
        shown.push_back(e.frame);
        EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Eat, e.frame));
      }
    }
    std::vector<int> expected;
    for (int f = 1; f <= e.look().eatShown; ++f) expected.push_back(f);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(StartedSounds("eating.wav"), 1);  // played every frame, started once
    EXPECT_EQ(e.frame, 1);
    EXPECT_EQ(ShownImage(e), Image(e, EnemySet::Walk, 1));
  }
}

TEST_F(EnemyCatchTest, NoChompWhileTheSoundIsOff) {
  settings_.SoundOn = 0;
  TEnemy& e = AddEnemy(EnemyKind::Toothy, 0, 0);
  HeroTouching(e);
  Frames(5);
  ASSERT_TRUE(e.eating);
  EXPECT_EQ(StartedSounds("eating.wav"), 0);
}

}  // namespace
}  // namespace game
