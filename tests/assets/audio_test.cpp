#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <xmp.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/assets/audio_assets.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

struct Wav {
  int format = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;
};

// The plain 44-byte-header layout our writer produces.
Wav ParseWav(const std::vector<std::uint8_t>& b) {
  Wav wav;
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " ||
      std::string(b.begin() + 36, b.begin() + 40) != "data" || Le(b, 40, 4) != b.size() - 44) {
    return wav;
  }
  wav.format = static_cast<int>(Le(b, 20, 2));
  wav.channels = static_cast<int>(Le(b, 22, 2));
  wav.rate = static_cast<int>(Le(b, 24, 4));
  wav.bits = static_cast<int>(Le(b, 34, 2));
  for (std::size_t at = 44; at + 1 < b.size(); at += 2) {
    wav.samples.push_back(static_cast<std::int16_t>(Le(b, at, 2)));
  }
  return wav;
}

// SDL_mixer opened on the dummy driver: decodes without a sound device.
class MixerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    SDL_Quit();
  }
  testing_support::TempDir dir_;
};

using SoundEffects = MixerTest;

TEST_F(SoundEffects, EveryEffectOpensInTheMixerStartsAndEndsSilentAndNeverClips) {
  const struct {
    const char* name;
    double minSeconds, maxSeconds;
  } effects[] = {
      {"mainmenuchg.WAV", 0.02, 0.15}, {"level_complete.wav", 0.8, 3.0},
      {"game_over.wav", 1.0, 3.5},     {"UFO.wav", 1.6, 2.5},
      {"out_time.wav", 0.1, 0.6},      {"step.wav", 0.02, 0.2},
      {"hero_jump.wav", 0.1, 0.5},     {"die.wav", 0.5, 2.0},
      {"money.wav", 0.1, 0.8},         {"allstop.wav", 0.4, 2.0},
      {"drinking.wav", 0.2, 1.2},      {"baloon.wav", 0.03, 0.4},
      {"eating.wav", 0.1, 0.6},        {"enemy_die.wav", 0.1, 0.8},
      {"diam_down.wav", 0.1, 0.6},
  };
  assets::WriteSounds("sound");
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator("sound")) files += entry.is_regular_file();
  EXPECT_EQ(files, std::size(effects));

  for (const auto& e : effects) {
    SCOPED_TRACE(e.name);
    const fs::path path = fs::path("sound") / e.name;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    EXPECT_NE(chunk, nullptr) << Mix_GetError();
    if (chunk) {
      EXPECT_GT(chunk->alen, 0u);
      Mix_FreeChunk(chunk);
    }

    const Wav wav = ParseWav(ReadBytes(path));
    ASSERT_FALSE(wav.samples.empty());
    EXPECT_EQ(wav.format, 1);  // PCM
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << wav.rate;
    const double seconds = static_cast<double>(wav.samples.size()) / wav.rate;
    EXPECT_GE(seconds, e.minSeconds);
    EXPECT_LE(seconds, e.maxSeconds);

    // No click: the first and last samples are within 1 % of full scale.
    EXPECT_LE(std::abs(wav.samples.front()), 328);
    EXPECT_LE(std::abs(wav.samples.back()), 328);
    int peak = 0;
    for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 32768 / 5) << "too quiet";
    EXPECT_LT(peak, 32767 * 98 / 100) << "at or near clipping";
  }
}

struct SongCase {
  const char* name;
  int minOrders;
};

struct Playthrough {
  int orders = 0;
  std::set<int> patternsPlayed;
  int lastOrderBeforeWrap = -1;
  bool wrappedToZero = false;
  double secondsUntilLoop = 0;
  double rms = 0;
  int peak = 0;
  int clippedSamples = 0;
};

// Plays the song once through at 44.1 kHz, the way the game's music loop
// watches it: until the order returns to 0.
Playthrough PlayOnce(const fs::path& path) {
  Playthrough result;
  xmp_context ctx = xmp_create_context();
  EXPECT_EQ(xmp_load_module(ctx, path.c_str()), 0);
  xmp_module_info info;
  xmp_get_module_info(ctx, &info);
  result.orders = info.mod->len;
  EXPECT_EQ(xmp_start_player(ctx, 44100, XMP_FORMAT_MONO), 0);
  double sumSquares = 0;
  std::size_t count = 0;
  int lastOrder = 0;
  for (int frame = 0; frame < 200000 && !result.wrappedToZero; ++frame) {
    if (xmp_play_frame(ctx) != 0) break;
    xmp_frame_info fi;
    xmp_get_frame_info(ctx, &fi);
    if (fi.pos == 0 && lastOrder != 0) {
      result.wrappedToZero = true;
      result.lastOrderBeforeWrap = lastOrder;
      break;
    }
    lastOrder = fi.pos;
    result.patternsPlayed.insert(fi.pattern);
    result.secondsUntilLoop = fi.time / 1000.0;
    const auto* pcm = static_cast<const std::int16_t*>(fi.buffer);
    for (int i = 0; i < fi.buffer_size / 2; ++i) {
      const int s = pcm[i];
      sumSquares += static_cast<double>(s) * s;
      result.peak = std::max(result.peak, std::abs(s));
      result.clippedSamples += s >= 32767 || s <= -32768;
      ++count;
    }
  }
  result.rms = count ? std::sqrt(sumSquares / static_cast<double>(count)) / 32768.0 : 0.0;
  xmp_end_player(ctx);
  xmp_release_module(ctx);
  xmp_free_context(ctx);
  return result;
}

TEST(Songs, BothSongsPlayInLibxmpForOverAMinuteAndLoopBackToTheFirstOrder) {
  testing_support::TempDir dir;
  assets::WriteSongs("sound");
  for (const SongCase& song : {SongCase{"1.xm", 6}, SongCase{"2.xm", 6}}) {
    SCOPED_TRACE(song.name);
    const Playthrough play = PlayOnce(fs::path("sound") / song.name);
    EXPECT_GE(play.orders, song.minOrders);
    EXPECT_GE(play.patternsPlayed.size(), 3u);
    EXPECT_TRUE(play.wrappedToZero);
    EXPECT_EQ(play.lastOrderBeforeWrap, play.orders - 1) << "the song left before its last order";
    EXPECT_GE(play.secondsUntilLoop, 60.0);
    EXPECT_GT(play.rms, 0.05) << "nearly silent";
    EXPECT_EQ(play.clippedSamples, 0);
    EXPECT_LT(play.peak, 32767 * 9 / 10);
  }
}

TEST(SoundTree, WritingTwiceGivesTheSameBytes) {
  testing_support::TempDir dir;
  for (const char* run : {"a", "b"}) {
    assets::WriteSounds(fs::path(run) / "sound");
    assets::WriteSongs(fs::path(run) / "sound");
  }
  std::size_t compared = 0;
  for (const auto& entry : fs::directory_iterator(fs::path("a") / "sound")) {
    SCOPED_TRACE(entry.path().string());
    const fs::path other = fs::path("b") / "sound" / entry.path().filename();
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(other));
    ++compared;
  }
  EXPECT_EQ(compared, 17u);
}

}  // namespace
