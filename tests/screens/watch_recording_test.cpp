// Watching the recorded game of a high-score entry from the table: a click on
// its row or its rank's digit plays it in place of the table, which comes back
// when the recording ends or Esc is pressed, with the game's own recorder in
// charge again; an entry without a recording does nothing, and a damaged one
// says so on the table while the game goes on.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "game/hero.h"
#include "screens/main_menu.h"
#include "screens/replay_files.h"
#include "tests/game/game_fixture.h"

namespace {

using screens::RankReplayPath;

// The middle of a row's text, by rank.
constexpr long double RowY(int rank) {
  return 6.5L - 1.12L * rank;
}

class WatchRecordingTest : public testing_support::GameTest {
 protected:
  // A game played from New Game: the hero runs right and jumps, then the
  // game is left through the question. Its recording is kept for `rank`.
  void PlayAndKeepFor(int rank) {
    scene_.mainMenu().Activate(screens::TMainMenu::kNewGame);
    Frame();
    ASSERT_EQ(state(), core::ssPlaying);
    FinishEntry();
    backend().KeyDown(screens::kKeyRight);
    Frames(30);
    Tap(screens::kKeyUp);
    Frames(30);
    backend().KeyUp(screens::kKeyRight);
    Frames(20);
    playedHeroX_ = game().hero()->x;
    Tap(screens::kKeyEsc);
    Tap(screens::kKeyEnter);  // YES: the score of 0 enters no table
    ASSERT_EQ(state(), core::ssMainMenu);
    ASSERT_TRUE(scene_.recorder().last());
    screens::SaveReplay(RankReplayPath(rank), *scene_.recorder().last());
  }

  void OpenTable() {
    scene_.mainMenu().Activate(screens::TMainMenu::kHighScores);
    Frame();
    ASSERT_EQ(state(), core::ssRecords);
  }

  // Runs frames while a recorded game plays (at most `limit`); what the
  // player saw last is kept.
  void WatchToTheEnd(int limit = 2000) {
    for (int i = 0; i < limit && scene_.player(); ++i) {
      Frame();
      if (const screens::GamePlayer* player = scene_.player()) {
        departure_ = player->firstDifferentFrame();
        framesWatched_ = player->framesRun();
        if (state() == core::ssPlaying) watchedHeroX_ = game().hero()->x;
      }
    }
    ASSERT_EQ(scene_.player(), nullptr) << "the recording never ended";
  }

  // The next frame (the one after the game's end) shows the table.
  void ExpectBackOnTheTable() {
    Frame();
    EXPECT_EQ(state(), core::ssRecords);
    EXPECT_TRUE(scene_.recordsMenu().shown());
    EXPECT_TRUE(program_.MenuSceneActive);
    EXPECT_EQ(scene_.player(), nullptr);
    EXPECT_EQ(game().GetLevel(), 0);
    EXPECT_TRUE(Printed(screens::RecordRowText(program_.persistent.records.entries[0])));
    EXPECT_EQ(program_.music.CurrentSongName(), "1");
  }

  long double playedHeroX_ = 0;
  long double watchedHeroX_ = 0;
  std::optional<std::uint32_t> departure_;
  std::uint32_t framesWatched_ = 0;
};

TEST_F(WatchRecordingTest, AnEntrysGamePlaysAsRecordedAndEndsBackOnTheTable) {
  const struct {
    const char* name;
    int rank;
    void (*choose)(WatchRecordingTest&, int rank);
  } kWays[] = {
      {"click on the row", 3, [](WatchRecordingTest& t, int rank) { t.ClickAt(-1, RowY(rank)); }},
      {"its digit", 3, [](WatchRecordingTest& t, int) { t.Tap(screens::kKey1 + 2); }},
      {"0 for the tenth", 10, [](WatchRecordingTest& t, int) { t.Tap(screens::kKey0); }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.name);
    PlayAndKeepFor(way.rank);
    const std::uint32_t recordedFrames = scene_.recorder().last()->Frames();
    ASSERT_GT(recordedFrames, 256u);  // past the first digest
    OpenTable();
    EXPECT_TRUE(Printed("Click a score to watch it"));
    way.choose(*this, way.rank);
    ASSERT_NE(scene_.player(), nullptr);
    EXPECT_EQ(state(), core::ssPlaying);
    EXPECT_FALSE(scene_.recordsMenu().shown());
    EXPECT_FALSE(program_.MenuSceneActive);
    WatchToTheEnd();
    EXPECT_EQ(departure_, std::nullopt) << "the game left its recording";
    EXPECT_EQ(framesWatched_, recordedFrames);
    EXPECT_EQ(watchedHeroX_, playedHeroX_);
    ExpectBackOnTheTable();
    // Nothing of the watched game is entered or kept as a recording.
    EXPECT_EQ(scene_.recorder().last()->Frames(), recordedFrames);
    Tap(screens::kKeyEsc);
    ASSERT_EQ(state(), core::ssMainMenu);
  }
}

TEST_F(WatchRecordingTest, EscEndsWatchingAndTheNextNewGameIsRecordedAgain) {
  PlayAndKeepFor(1);
  OpenTable();
  Tap(screens::kKey1);
  ASSERT_NE(scene_.player(), nullptr);
  Frames(100);
  ASSERT_EQ(state(), core::ssPlaying);
  Tap(screens::kKeyEsc);
  ExpectBackOnTheTable();
  EXPECT_FALSE(scene_.exitMenu().boxSprite() && Shown(scene_.exitMenu().boxSprite()));

  Tap(screens::kKeyEsc);  // back to the main menu
  ASSERT_EQ(state(), core::ssMainMenu);
  NewGame();
  EXPECT_TRUE(scene_.recorder().recording());
  EXPECT_EQ(scene_.player(), nullptr);
}

// The game-over picture ends a game in the main menu; a watched one goes back
// to the table instead. The game is brought to its end by the same change at
// the same frame in both plays: one life left and the time over.
TEST_F(WatchRecordingTest, AWatchedGameOverGoesBackToTheTable) {
  const auto endTheGame = [this] {
    game().SetLives(1);
    level().timeLeft = -1;
  };
  scene_.mainMenu().Activate(screens::TMainMenu::kNewGame);
  Frame();
  FinishEntry();
  const std::uint32_t frames = scene_.recorder().Current(0, 1)->Frames();
  endTheGame();
  ASSERT_GT(FramesWhile([&] { return state() != core::ssMainMenu; }), 200);
  ASSERT_TRUE(scene_.recorder().last());
  screens::SaveReplay(RankReplayPath(1), *scene_.recorder().last());

  OpenTable();
  Tap(screens::kKey1);
  ASSERT_NE(scene_.player(), nullptr);
  FramesWhile([&] { return scene_.player() && scene_.player()->framesRun() < frames; });
  ASSERT_EQ(scene_.player()->framesRun(), frames);
  endTheGame();
  bool mainMenu = false;
  FramesWhile([&] {
    mainMenu = mainMenu || state() == core::ssMainMenu;
    return scene_.player() != nullptr;
  });
  EXPECT_FALSE(mainMenu) << "the main menu came up";
  ExpectBackOnTheTable();
}

TEST_F(WatchRecordingTest, AnEntryWithoutARecordingDoesNothing) {
  OpenTable();
  EXPECT_FALSE(Printed("Click a score to watch it"));
  ClickAt(-1, RowY(2));
  Tap(screens::kKey1 + 1);
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(scene_.player(), nullptr);
  EXPECT_TRUE(scene_.recordsMenu().shown());
  EXPECT_EQ(scene_.recordsMenu().HintLine(), "");
}

TEST_F(WatchRecordingTest, ADamagedRecordingIsNamedOnTheTableAndTheGameGoesOn) {
  PlayAndKeepFor(2);
  {
    std::fstream file("data/replays/rank-02.zqr", std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(20);
    file.put('\x5a').put('\xa5').put('\x5a');
  }
  OpenTable();
  ClickAt(-1, RowY(2));
  EXPECT_EQ(state(), core::ssRecords);
  EXPECT_EQ(scene_.player(), nullptr);
  Frame();
  EXPECT_TRUE(Printed("That game cannot be played"));
  EXPECT_FALSE(Printed("Click a score to watch it"));
  // The table works on as before.
  Tap(screens::kKeyEsc);
  EXPECT_EQ(state(), core::ssMainMenu);
  OpenTable();
  EXPECT_TRUE(Printed("Click a score to watch it"));
}

}  // namespace
