#include "engine/sdl/sdl_audio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/support/tiny_xm.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

using namespace std::chrono_literals;

// A mono 16-bit WAV file of `seconds` of a quiet square wave.
void WriteSquareWav(const char* path, double seconds) {
  const int rate = 22050;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(rate * seconds));
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = i / 50 % 2 ? 2000 : -2000;
  testing_support::WriteWav(path, rate, samples);
}

template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 300; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return condition();
}

// Channels that stopped (ended or were halted) since the counter was last reset.
std::atomic<int> g_channelsStopped{0};
void CountStopped(int) {
  ++g_channelsStopped;
}

// The audio device of the window backend on SDL's dummy driver, which consumes
// samples in real time without sound hardware.
class SdlAudioTest : public ::testing::Test {
 protected:
  SdlAudioTest() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

  testing_support::TempDir dir_;
  platform::SteadyClock clock_;
};

TEST_F(SdlAudioTest, EffectsPlayUnlessPlayingAndPlayNowRestarts) {
  WriteSquareWav("long.wav", 5);
  WriteSquareWav("short.wav", 0.05);
  engine::SdlAudio audio(clock_);
  ASSERT_TRUE(audio.deviceOpen());
  EXPECT_EQ(audio.Load("missing.wav"), 0);
  const int id = audio.Load("long.wav");
  ASSERT_NE(id, 0);
  EXPECT_FALSE(audio.Playing(id));
  Mix_ChannelFinished(CountStopped);
  g_channelsStopped = 0;
  audio.Play(id, false);
  EXPECT_TRUE(audio.Playing(id));
  audio.Play(id, false);  // already playing: nothing happens
  EXPECT_EQ(g_channelsStopped, 0) << "a playing effect is not cut off";
  EXPECT_EQ(Mix_Playing(-1), 1);
  audio.Play(id, true);  // restarted: the playing start is cut off, one plays
  EXPECT_EQ(g_channelsStopped, 1);
  EXPECT_EQ(Mix_Playing(-1), 1);
  EXPECT_TRUE(audio.Playing(id));
  Mix_ChannelFinished(nullptr);
  audio.Free(id);
  EXPECT_FALSE(audio.Playing(id));

  const int blip = audio.Load("short.wav");
  audio.Play(blip, false);
  EXPECT_TRUE(Eventually([&] { return !audio.Playing(blip); })) << "a short effect ends";
}

TEST_F(SdlAudioTest, MusicIsMixedThroughTheDeviceAndItsOrderMoves) {
  testing_support::TinyXm{.orders = 3, .rows = 2, .speed = 1, .bpm = 250}.Write("song.xm");
  engine::SdlAudio audio(clock_);
  ASSERT_TRUE(audio.deviceOpen());
  engine::MusicMixer& music = audio.music();
  const std::int32_t song = music.Load("song.xm");
  ASSERT_NE(song, 0);
  music.Play(song);
  EXPECT_TRUE(Eventually([&] { return music.Order(song) != 0; }))
      << "the device pulls the song along";
  music.Free(song);
  EXPECT_EQ(music.Playing(), 0);
}

}  // namespace
