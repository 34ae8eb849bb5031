// The game's frame: the entry with the UFO, the level timer and the clock stop,
// time over, level complete (a bonus level's too), what clearing a level stops,
// game over into the name entry or the main menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "game/balloon.h"
#include "game/enemy.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "tests/game/game_fixture.h"

namespace {

using testing_support::GameTest;
using testing_support::LiveObjects;

TEST_F(GameTest, TheTimeAllowedShrinksWithTheLevelTowardsForty) {
  const struct {
    int level;
    long double timeLeft;
  } kCases[] = {{1, 70}, {2, 55}, {3, 50}, {4, 47.5L}, {10, 43}, {20, 41.5L}};
  NewGame();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.level);
    StartLevel(c.level);
    EXPECT_EQ(level().timeLeft, c.timeLeft);
    EXPECT_EQ(level().timeTotal, c.timeLeft + 0.1L);
  }
}

TEST_F(GameTest, TheBackgroundFollowsTheLevelInTurns) {
  NewGame();
  std::vector<iHandle> shown;
  for (int n = 1; n <= 4; ++n) {
    game().HideGameSprites();
    StartLevel(n);
    int count = 0;
    for (const auto& [handle, sprite] : world().sprites) {
      if (sprite.shown && sprite.scale.x == 25.6f) {
        shown.push_back(handle);
        ++count;
      }
    }
    EXPECT_EQ(count, 1) << n;
  }
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[1], shown[2]);
  EXPECT_EQ(shown[3], shown[0]);
}

TEST_F(GameTest, TheUfoComesDownThenTheHeroWalksOutAndPlayBegins) {
  NewGame();
  EXPECT_EQ(level().ufoCountdown, 160);
  EXPECT_EQ(game().ufo().y, 13);
  EXPECT_EQ(Started("UFO.wav"), 1);
  Frames(160);
  EXPECT_EQ(level().ufoCountdown, 0);
  EXPECT_EQ(game().ufo().y, -6);
  EXPECT_NEAR(static_cast<double>(game().cameraY()), 160 * 0.00859375, 1e-12);
  EXPECT_FALSE(level().walkingOut);

  Frame();  // the walk-out begins
  EXPECT_TRUE(level().walkingOut);
  EXPECT_EQ(level().walkOutCountdown, 40);
  const long double startX = game().hero()->x;
  Frames(40);
  EXPECT_NEAR(static_cast<double>(game().hero()->x - startX), 40 * 0.06, 1e-12);
  EXPECT_TRUE(level().entryPhase);

  Frame();  // out: play from the next frame, camera back, UFO behind the level
  EXPECT_FALSE(level().entryPhase);
  EXPECT_FALSE(level().walkingOut);
  EXPECT_EQ(game().cameraY(), 0);
  EXPECT_EQ(game().ufo().layer, 2);
  EXPECT_EQ(level().timeLeft, 70);  // the timer ran in no entry frame
  Frame();
  EXPECT_EQ(level().timeLeft, 70 - 0.01333L);
}

TEST_F(GameTest, ALevelWithoutDiamondsIsCompleteWhileTheUfoStillComesDown) {
  NewGame();
  for (game::TDiamond* d : Diamonds()) d->taken = true;  // in their first sink-and-rise
  Frames(5);
  EXPECT_FALSE(level().levelCompletePhase);  // a diamond in the ground is not taken yet
  TakeEveryDiamond();
  Frame();
  EXPECT_TRUE(level().entryPhase);
  EXPECT_TRUE(level().levelCompletePhase);
  EXPECT_TRUE(Shown(game().levelCompletePicture()));
  EXPECT_EQ(Started("level_complete.wav"), 1);
}

TEST_F(GameTest, ACompletedLevelLeadsToTheNextAfterTwoSeconds) {
  PlayLevelOne();
  game().SetScore(350);
  TakeEveryDiamond();
  Frame();
  ASSERT_TRUE(level().levelCompletePhase);
  // 2.0 counted down by 0.013, then the frame that clears the level; the
  // dispatcher starts the next one in that same frame.
  EXPECT_EQ(FramesWhile([&] { return game().GetLevel() == 1; }), 155);
  EXPECT_EQ(state(), core::ssPlaying);
  EXPECT_TRUE(level().entryPhase);
  EXPECT_EQ(game().GetLevel(), 2);
  EXPECT_EQ(game().GetScore(), 350);
  EXPECT_EQ(game().GetLives(), 3);
  EXPECT_EQ(level().timeLeft, 55);
  EXPECT_FALSE(level().levelCompletePhase);
}

TEST_F(GameTest, OnABonusLevelTheTimerStandsAndTheSandClockStaysFull) {
  NewGame();
  StartLevel(5);
  EXPECT_EQ(objects().balloons.size(), 5u);
  EXPECT_EQ(objects().emitters.size(), objects().bonuses.size() + 5);
  FinishEntry();
  Frames(200);
  EXPECT_EQ(level().timeLeft, 46);
  EXPECT_EQ(game().sandclock().current, 7);
  EXPECT_FALSE(level().timeOverPhase);
}

// A bonus level is won when no balloon is left in the air: each one popped or
// escaped over the top, the last perhaps in the same frame (the balloons move
// before the test). Diamonds still lying about do not hold it up.
TEST_F(GameTest, ABonusLevelIsWonWhenEveryBalloonIsPoppedOrEscaped) {
  enum class Last { Popped, Escaped, EscapesThisFrame, Rising };
  const struct {
    const char* name;
    Last last;  // the fifth balloon; the other four are popped
    bool complete;
  } kCases[] = {
      {"every balloon popped", Last::Popped, true},
      {"four popped, one escaped", Last::Escaped, true},
      {"four popped, the last escaping in this frame", Last::EscapesThisFrame, true},
      {"four popped, one still rising", Last::Rising, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    NewGame();
    StartLevel(5);
    FinishEntry();
    const auto& balloons = objects().balloons;
    ASSERT_EQ(balloons.size(), 5u);
    const int bonusCount = static_cast<int>(objects().bonuses.size());
    for (int j = 0; j < 4; ++j) balloons[static_cast<std::size_t>(j)]->Pop(bonusCount + j);
    game::TBaloon& last = *balloons[4];
    last.x = 15;  // out of the hero's reach
    switch (c.last) {
      case Last::Popped:
        last.Pop(bonusCount + 4);
        break;
      case Last::Escaped:
        last.y = 14.5L;
        last.Update();
        ASSERT_TRUE(last.taken);
        break;
      case Last::EscapesThisFrame:
        last.y = 13.99L;
        break;
      case Last::Rising:
        last.y = -5;
        break;
    }
    const std::vector<game::TDiamond*> diamonds = Diamonds();
    ASSERT_TRUE(std::any_of(diamonds.begin(), diamonds.end(),
                            [](const game::TDiamond* d) { return !d->taken; }));
    ASSERT_FALSE(level().levelCompletePhase);

    Frame();
    EXPECT_EQ(level().levelCompletePhase, c.complete);
    EXPECT_EQ(Shown(game().levelCompletePicture()), c.complete);
  }
}

TEST_F(GameTest, TheClockStopHoldsTheTimerAndCarriesOverIntoTheNextLevel) {
  PlayLevelOne();
  level().clockStopTimer = 5.0L;
  Frames(100);
  EXPECT_EQ(level().timeLeft, 70);
  EXPECT_NEAR(static_cast<double>(level().clockStopTimer), 5.0 - 100 * 0.013, 1e-9);

  TakeEveryDiamond();
  Frame();  // one more play frame, which finds the level won
  FramesWhile([&] { return game().GetLevel() == 1; });
  ASSERT_EQ(game().GetLevel(), 2);  // the stop is still running
  EXPECT_NEAR(static_cast<double>(level().clockStopTimer), 5.0 - 101 * 0.013, 1e-9);
  FinishEntry();
  Frames(284);  // what is left of the stop: 3.687 / 0.013 = 283.6 frames
  EXPECT_EQ(level().timeLeft, 55);
  EXPECT_LT(level().clockStopTimer, 0);
  Frame();
  EXPECT_EQ(level().timeLeft, 55 - 0.01333L);
}

TEST_F(GameTest, TimeRunningOutReplaysTheLevelWithALifeLess) {
  PlayLevelOne();
  level().timeLeft = 0.005L;
  Frame();
  ASSERT_TRUE(level().timeOverPhase);
  Frame();
  EXPECT_TRUE(Printed("TIME IS OVER!"));
  EXPECT_TRUE(testing_support::SameColour(FindText("TIME IS OVER!")->color, {1, 1, 0, 1}));
  const iHandle firstPlatform = objects().platforms[0]->sprite;
  EXPECT_EQ(FramesWhile([&] { return level().timeOverPhase; }), 154);
  EXPECT_EQ(game().GetLevel(), 1);  // the same level, newly built in the same frame
  EXPECT_NE(objects().platforms[0]->sprite, firstPlatform);
  EXPECT_TRUE(level().entryPhase);
  EXPECT_EQ(game().GetLives(), 2);
  EXPECT_EQ(level().timeLeft, 70);
  EXPECT_EQ(objects().platforms.size(), 13u);
}

// The last life lost on time: game over, then after three seconds the name
// entry when the score beats an entry of the table, else the main menu. The
// default table's lowest score is 100; equal does not beat it.
TEST_F(GameTest, GameOverEndsInTheNameEntryOnlyForAScoreThatBeatsTheTable) {
  const struct {
    std::int32_t score;
    std::uint8_t after;
  } kCases[] = {{100, core::ssMainMenu}, {101, core::ssRecordEntryName}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.score);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    PlayLevelOne();
    game().SetLives(1);
    game().SetScore(c.score);
    level().timeLeft = -1;
    Frame();
    while (level().timeOverPhase) Frame();
    ASSERT_TRUE(game().gameOverPhase());
    EXPECT_EQ(state(), core::ssPlaying);
    // 3.0 counted down by 0.013
    EXPECT_EQ(FramesWhile([&] { return game().gameOverPhase(); }), 231);
    EXPECT_EQ(state(), c.after);
    EXPECT_EQ(level().gameOverTimer, 3);
    if (c.after == core::ssMainMenu) {
      EXPECT_TRUE(program_.MenuSceneActive);
      EXPECT_EQ(game().GetLevel(), 0);
      EXPECT_EQ(game().GetLives(), 3);
      EXPECT_EQ(game().GetScore(), 0);
      EXPECT_TRUE(objects().platforms.empty());
    }
  }
}

// A missile in flight and a landing puff when the level is cleared: neither is
// seen afterwards nor goes on in the next level or the next game, and the next
// throw flies and glows as ever.
TEST_F(GameTest, ClearingALevelGroundsTheMissilesAndStopsTheDust) {
  const struct {
    const char* name;
    std::function<void()> clear;
  } kCases[] = {
      {"level complete, on to the next",
       [&] {
         TakeEveryDiamond();
         Frame();
         FramesWhile([&] { return game().GetLevel() == 1; });
       }},
      {"time over, the level again",
       [&] {
         level().timeLeft = -1;
         Frame();
         FramesWhile([&] { return level().timeOverPhase; });
       }},
      {"leaving the game for a new one",
       [&] {
         scene_.ReturnToMenuFromGame();
         NewGame();
       }},
  };
  const auto seen = [&](iHandle system) {
    const engine::ParticleSystem& s = world().particleSystems.at(system);
    return s.shown && !s.particles.empty();
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    PlayLevelOne();
    game::THero& hero = *game().hero();
    hero.Throw();
    game::THeroMissile& missile = hero.missiles[0];
    missile.x = -15.5L;  // along the top of the screen, clear of every platform
    missile.y = 11.5L;
    Frame();
    ASSERT_FALSE(missile.idle);
    hero.dustTimer = 0.5L;

    c.clear();
    ASSERT_TRUE(level().entryPhase);
    EXPECT_LT(hero.dustTimer, 0);
    for (const game::THeroMissile& m : hero.missiles) {
      EXPECT_TRUE(m.idle);
      for (const iHandle trail : m.trails) EXPECT_FALSE(seen(trail));
      EXPECT_FALSE(seen(m.flash));
    }

    FinishEntry();
    hero.Throw();
    Frame();
    EXPECT_FALSE(missile.idle);
    EXPECT_TRUE(seen(missile.trails[0]));
    EXPECT_TRUE(seen(missile.flash));
  }
}

TEST_F(GameTest, ANegativeScoreIsIgnored) {
  NewGame();
  game().SetScore(120);
  game().SetScore(-5);
  EXPECT_EQ(game().GetScore(), 120);
}

// An enemy that counts its updates, standing in for the real kinds.
class CountingEnemy : public game::TEnemy {
 public:
  explicit CountingEnemy(game::GameContext& game) : TEnemy(game, game::EnemyKind::Mouse) {}
  void Update() override { ++updates; }
  int updates = 0;
};

TEST_F(GameTest, FrozenEnemiesStandStillUnlessInTheMiddleOfAJumpALandingOrAFall) {
  PlayLevelOne();
  objects().enemies.clear();
  const struct {
    const char* name;
    bool jumping, landing, knockedDown, lying;
    int updatesFrozen, updatesFree;
  } kCases[] = {
      {"walking", false, false, false, false, 0, 1},
      {"jumping", true, false, false, false, 1, 1},
      {"landing", false, true, false, false, 1, 1},
      {"getting up", false, false, true, false, 1, 1},
      {"lying", false, false, false, true, 0, 0},
  };
  std::vector<CountingEnemy*> enemies;
  for (const auto& c : kCases) {
    auto enemy = std::make_unique<CountingEnemy>(context());
    enemy->jumping = c.jumping;
    enemy->landing = c.landing;
    enemy->knockedDown = c.knockedDown;
    enemy->lying = c.lying;
    enemy->lyingTimer = 1.0L;
    enemies.push_back(enemy.get());
    objects().enemies.push_back(std::move(enemy));
  }
  level().freezeTimer = 0.005L;
  Frame();
  EXPECT_LT(level().freezeTimer, 0);
  for (std::size_t i = 0; i < enemies.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(enemies[i]->updates, kCases[i].updatesFrozen);
    EXPECT_EQ(enemies[i]->lyingTimer, 1.0L);
  }
  Frame();
  for (std::size_t i = 0; i < enemies.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(enemies[i]->updates, kCases[i].updatesFrozen + kCases[i].updatesFree);
  }
  EXPECT_EQ(enemies[4]->lyingTimer, 1.0L - 0.013L);
}

TEST_F(GameTest, AnEnemyLyingKnockedOutGetsUpWhenItsTimeIsOver) {
  PlayLevelOne();
  objects().enemies.clear();
  auto owned = std::make_unique<CountingEnemy>(context());
  CountingEnemy& enemy = *owned;
  objects().enemies.push_back(std::move(owned));
  enemy.lying = true;
  enemy.lyingTimer = 0.02L;
  Frame();
  EXPECT_TRUE(enemy.lying);
  Frame();
  EXPECT_FALSE(enemy.lying);
  EXPECT_TRUE(enemy.knockedDown);
  EXPECT_EQ(enemy.updates, 0);
  Frame();
  EXPECT_EQ(enemy.updates, 1);
}

}  // namespace

// Each level makes its level objects and several pictures afresh: what the old
// level had must be freed, or a long game piles up sprites and textures.
TEST_F(GameTest, LevelAfterLevelTheEngineHoldsNoMoreObjects) {
  NewGame();
  StartLevel(2);
  Frames(5);
  const std::size_t sprites = world().sprites.size();
  const std::size_t textures = world().textures.size();
  for (int level = 3; level <= 6; ++level) {
    StartLevel(level == 5 ? 7 : level);  // ordinary levels: the same kinds of objects
    Frames(5);
  }
  const long slack = 40;  // enemies, diamonds and clouds differ from level to level
  EXPECT_LE(static_cast<long>(world().sprites.size()), static_cast<long>(sprites) + slack);
  EXPECT_LE(static_cast<long>(world().textures.size()), static_cast<long>(textures) + slack);
}

// One round from the main menu and back: a game of three levels left through
// the question (with a score for the table through the name entry), then each
// menu screen opened, looked through and left.
class EngineObjectsTest : public GameTest {
 protected:
  void PlayAndLeaveGame(bool withRecord) {
    NewGame();
    for (int n = 1; n <= 3; ++n) {
      FinishEntry();
      TakeEveryDiamond();
      FramesWhile([&] { return game().GetLevel() == n; });
      ASSERT_EQ(game().GetLevel(), n + 1);
    }
    if (withRecord) game().SetScore(5000);  // above every default entry
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssConfirmLeaveGame);
    Tap(screens::kKeyEnter);  // YES
    if (withRecord) {
      ASSERT_EQ(state(), core::ssRecordEntryName);
      Tap(screens::kKeyEsc);  // CANCEL
    }
    ASSERT_EQ(state(), core::ssMainMenu);
  }

  void VisitMenuScreens() {
    constexpr iVec2 kHelpNext{1.5f, -7};
    const struct {
      const char* name;
      int item;
      std::vector<iVec2> clicks;
      std::vector<int> keys;  // then tapped; the last one leaves the screen
    } kScreens[] = {
        {"help, pages turned",
         screens::TMainMenu::kHelp,
         {kHelpNext, kHelpNext},
         {screens::kKeyEsc}},
        {"options", screens::TMainMenu::kOptions, {}, {screens::kKeyDown, screens::kKeyEsc}},
        {"high scores", screens::TMainMenu::kHighScores, {}, {screens::kKeyEsc}},
    };
    for (const auto& screen : kScreens) {
      SCOPED_TRACE(screen.name);
      scene_.mainMenu().Activate(screen.item);
      Frame();
      ASSERT_NE(state(), core::ssMainMenu);
      for (const iVec2& at : screen.clicks) ClickAt(at.x, at.y);
      PointAt(15, -11);  // off every item again
      for (const int key : screen.keys) Tap(key);
      ASSERT_EQ(state(), core::ssMainMenu);
    }
  }

  void Round(int round) {
    SCOPED_TRACE(round);
    PlayAndLeaveGame(round % 2 == 1);
    VisitMenuScreens();
  }
};

// Every level start makes the overlay and dialog pictures again, and menus and
// games come and go: back at the main menu the engine holds exactly as many
// objects of each kind after each round as after the first.
TEST_F(EngineObjectsTest, StartingAndLeavingGamesLeavesNoEngineObjectsBehind) {
  if (!LinkGameArt()) GTEST_SKIP() << "no zq-assets to make the pictures with";
  Round(0);
  const LiveObjects first = Live();
  for (int round = 1; round < 4; ++round) {
    Round(round);
    EXPECT_EQ(Live(), first) << "after round " << round;
  }
  EXPECT_EQ(DeadHandleCalls(), 0u);
}

// Whatever the game and the menus made, in this engine life or before a
// restart, goes with the scene: nothing but the camera and the font is left
// (the engine cannot free those), and nothing dead is touched.
TEST_F(EngineObjectsTest, AGoneSceneLeavesNoEngineObjectsBehind) {
  if (!LinkGameArt()) GTEST_SKIP() << "no zq-assets to make the pictures with";
  Round(0);
  PlayLevelOne();
  Frames(30);
  RestartEngine();  // everything made so far dies and is made again
  Frames(30);
  Tap(screens::kKeyEsc);
  Tap(screens::kKeyEnter);  // YES
  ASSERT_EQ(state(), core::ssMainMenu);
  Round(1);
  DestroyScene();
  EXPECT_EQ(Live(), LiveObjects{});
  EXPECT_EQ(DeadHandleCalls(), 0u);
}

// The last life lost on time, up to the first frame of the game-over picture.
class GameOverTest : public GameTest {
 protected:
  void ReachGameOver(std::int32_t score) {
    PlayLevelOne();
    game().SetLives(1);
    game().SetScore(score);
    level().timeLeft = -1;
    Frame();
    while (level().timeOverPhase) Frame();
    ASSERT_TRUE(game().gameOverPhase());
  }
};

// The final level and score stay printed under the picture from its first
// frame to its last.
TEST_F(GameOverTest, TheLevelAndScoreStayUpThroughTheGameOverPicture) {
  ReachGameOver(4321);
  do {
    ASSERT_TRUE(Printed("1"));
    ASSERT_TRUE(Printed("4321"));
    Frame();
  } while (game().gameOverPhase());
}

// A game left during the game-over picture does not shorten the next one.
TEST_F(GameOverTest, LeavingDuringTheGameOverPictureLeavesTheNextOneWhole) {
  ReachGameOver(0);
  Frames(37);
  Tap(screens::kKeyEsc);
  ASSERT_EQ(state(), core::ssConfirmLeaveGame);
  Tap(screens::kKeyEnter);  // YES
  ASSERT_EQ(state(), core::ssMainMenu);
  ReachGameOver(0);
  EXPECT_EQ(level().gameOverTimer, 3);
  EXPECT_EQ(FramesWhile([&] { return game().gameOverPhase(); }), 231);
}

// The boss key stops the music when it pauses the game; whichever way play goes
// on, the level's song plays again.
TEST_F(GameTest, PlayGoingOnAfterAPauseBringsBackTheLevelsSong) {
  const struct {
    const char* name;
    std::vector<int> keys;
  } kCases[] = {
      {"P", {screens::kKeyP}},
      {"Pause", {screens::kKeyPause}},
      {"Esc, NO", {screens::kKeyEsc, screens::kKeyRight, screens::kKeyEnter}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    if (state() != core::ssMainMenu) scene_.ReturnToMenuFromGame();
    NewGame();
    ASSERT_EQ(program_.music.CurrentSongName(), "2");
    Tap(screens::kKeyP);
    ASSERT_EQ(state(), core::ssPaused);
    program_.music.MusicStop("2");  // what the boss key does
    for (const int key : c.keys) Tap(key);
    ASSERT_EQ(state(), core::ssPlaying);
    EXPECT_EQ(program_.music.CurrentSongName(), "2");
  }
}
