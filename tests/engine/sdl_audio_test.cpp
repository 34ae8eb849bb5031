#include "engine/sdl/sdl_audio.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/shell/tiny_xm.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// A mono 16-bit WAV file of `seconds` of a quiet square wave.
void WriteWav(const char* path, double seconds) {
  const int rate = 22050;
  const auto frames = static_cast<std::uint32_t>(rate * seconds);
  std::vector<std::uint8_t> out;
  const auto text = [&out](const char* s) { out.insert(out.end(), s, s + 4); };
  const auto u32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto u16 = [&out](std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  text("RIFF");
  u32(36 + frames * 2);
  text("WAVE");
  text("fmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  text("data");
  u32(frames * 2);
  for (std::uint32_t i = 0; i < frames; ++i)
    u16(static_cast<std::uint16_t>(i / 50 % 2 ? 2000 : -2000));
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
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
  WriteWav("long.wav", 5);
  WriteWav("short.wav", 0.05);
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
