#include "core/music_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "engine/music.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tiny_xm.h"

namespace {

using testing_support::TinyXm;

// A music player over a virtual mixer in a fresh directory with sound/1.xm
// (two orders) and sound/2.xm (four orders), so the song that plays shows in
// the highest order it reaches.
class MusicPlayerTest : public ::testing::Test {
 protected:
  MusicPlayerTest() {
    TinyXm{.orders = 2}.Write("sound/1.xm");
    TinyXm{.orders = 4}.Write("sound/2.xm");
    driver_.WindowActivated = true;
  }

  // One frame: the clock moves one run phase, then the frame's loop check.
  void Frame() {
    clock_.AdvancePhase();
    player_.MusicLoopCheck();
  }
  int PhasesPerOrder() const { return static_cast<int>(std::ceil(TinyXm{}.OrderSeconds() * 75)); }
  // Runs frames until the current song is replaced; returns false after `limit`.
  bool RunUntilRestart(int limit) {
    const std::int32_t song = player_.CurrentSong();
    for (int i = 0; i < limit; ++i) {
      Frame();
      if (player_.CurrentSong() != song) return true;
    }
    return false;
  }
  // The highest order the current song reaches within `phases`.
  int HighestOrder(int phases) {
    int highest = 0;
    for (int i = 0; i < phases; ++i) {
      clock_.AdvancePhase();
      highest = std::max(highest, SongGetOrder(player_.CurrentSong()));
    }
    return highest;
  }

  testing_support::TempDir dir_;
  platform::VirtualClock clock_;
  std::unique_ptr<engine::MusicMixer> mixer_ = engine::MusicMixer::Virtual(clock_);
  engine::ScopedMusicInstall install_{*mixer_};
  core::GameSettings settings_;
  core::DriverFlags driver_;
  bool menuScene_ = true;
  core::MusicPlayer player_{settings_, driver_, menuScene_};
};

TEST_F(MusicPlayerTest, PlayStartsAtOrderZeroAndTheOrderAdvances) {
  player_.MusicPlay("1", false);
  ASSERT_NE(player_.CurrentSong(), 0);
  EXPECT_EQ(mixer_->Playing(), player_.CurrentSong());
  EXPECT_EQ(SongGetOrder(player_.CurrentSong()), 0);
  for (int i = 0; i < PhasesPerOrder() + 1; ++i) Frame();
  EXPECT_EQ(player_.LastOrder(), 1);
}

TEST_F(MusicPlayerTest, WrappedSongRestartsOnlyWhileMusicIsOnAndTheWindowActive) {
  struct Case {
    bool musicOn;
    bool activated;
  };
  for (const Case c :
       {Case{true, true}, Case{false, true}, Case{true, false}, Case{false, false}}) {
    SCOPED_TRACE(testing::Message() << "music " << c.musicOn << ", active " << c.activated);
    settings_.MusicOn = 1;
    driver_.WindowActivated = true;
    player_.MusicPlay("1", false);
    settings_.MusicOn = c.musicOn;
    driver_.WindowActivated = c.activated;
    const int songPhases = 2 * PhasesPerOrder();
    const bool restarted = RunUntilRestart(songPhases + 5);
    EXPECT_EQ(restarted, c.musicOn && c.activated);
    if (restarted) {
      EXPECT_EQ(player_.LastOrder(), 0);
      continue;
    }
    // The restart waits with LastOrder kept, and happens in the first frame
    // in which both conditions hold.
    EXPECT_NE(player_.LastOrder(), 0);
    const std::int32_t waiting = player_.CurrentSong();
    settings_.MusicOn = 1;
    driver_.WindowActivated = true;
    Frame();
    EXPECT_NE(player_.CurrentSong(), waiting);
    player_.MusicStop("1");
  }
}

TEST_F(MusicPlayerTest, SongWithOneOrderIsNeverRestarted) {
  TinyXm{.orders = 1}.Write("sound/1.xm");
  player_.MusicPlay("1", false);
  const std::int32_t song = player_.CurrentSong();
  ASSERT_NE(song, 0);
  for (int i = 0; i < 10 * PhasesPerOrder(); ++i) Frame();
  EXPECT_EQ(player_.CurrentSong(), song);
  EXPECT_EQ(player_.LastOrder(), 0);
}

TEST_F(MusicPlayerTest, BackToTheMenuTheLoopCheckRestartsTheMenuSong) {
  menuScene_ = false;
  player_.MusicPlay("2", false);
  EXPECT_EQ(player_.CurrentSongName(), "2");
  EXPECT_GE(HighestOrder(3 * PhasesPerOrder() + 2), 3);  // the game song has four orders
  menuScene_ = true;
  player_.MusicPlay("1", false);
  ASSERT_TRUE(RunUntilRestart(3 * PhasesPerOrder()));
  EXPECT_EQ(player_.CurrentSongName(), "1");
  EXPECT_EQ(HighestOrder(4 * PhasesPerOrder()), 1);  // "1", not "2"
}

TEST_F(MusicPlayerTest, StopReleasesTheSongAndTheLoopCheckThenDoesNothing) {
  player_.MusicPlay("1", false);
  player_.MusicStop("2");  // the name is not used
  EXPECT_EQ(player_.CurrentSong(), 0);
  EXPECT_EQ(player_.CurrentSongName(), "");
  EXPECT_EQ(mixer_->Playing(), 0);
  for (int i = 0; i < 3 * PhasesPerOrder(); ++i) Frame();
  EXPECT_EQ(player_.CurrentSong(), 0);
}

TEST_F(MusicPlayerTest, WithMusicOffPlayNeitherLoadsNorStops) {
  player_.MusicPlay("1", false);
  const std::int32_t song = player_.CurrentSong();
  settings_.MusicOn = 0;
  player_.MusicPlay("2", false);
  EXPECT_EQ(player_.CurrentSong(), song);
  EXPECT_EQ(mixer_->Playing(), song);
}

TEST_F(MusicPlayerTest, MissingCorruptOrResourceSongGivesNoHandleAndSilence) {
  std::ofstream("sound/3.xm") << "Extended Module: but nothing after it";
  std::ofstream("sound/4.xm");
  struct Case {
    const char* name;
    bool fromResource;
  };
  for (const Case c : {Case{"9", false}, Case{"3", false}, Case{"4", false}, Case{"1", true}}) {
    SCOPED_TRACE(c.name);
    player_.MusicPlay("2", false);
    player_.MusicPlay(c.name, c.fromResource);
    EXPECT_EQ(player_.CurrentSong(), 0);
    EXPECT_EQ(player_.CurrentSongName(), "");
    EXPECT_EQ(mixer_->Playing(), 0);
    Frame();
    EXPECT_EQ(player_.CurrentSong(), 0);
  }
}

TEST_F(MusicPlayerTest, SongFileNameIsResolvedWithoutRegardToCase) {
  std::filesystem::rename("sound", "Sound");
  std::filesystem::rename("Sound/1.xm", "Sound/1.XM");
  player_.MusicPlay("1", false);
  EXPECT_NE(player_.CurrentSong(), 0);
}

}  // namespace
