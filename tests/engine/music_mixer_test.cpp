#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/music.h"
#include "tests/support/tiny_xm.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TinyXm;

// The game's own menu song from the generated runtime tree (./test sets
// ZQ_RUNTIME_DIR): 10 orders of about 7.7 s each.
std::filesystem::path MenuSong() {
  const char* tree = std::getenv("ZQ_RUNTIME_DIR");
  return tree ? std::filesystem::path(tree) / "sound" / "1.xm" : std::filesystem::path();
}

// Advances the virtual clock by `seconds` in run phases.
void Advance(platform::VirtualClock& clock, double seconds) {
  for (int i = 0; i < static_cast<int>(seconds * 75); ++i) clock.AdvancePhase();
}

TEST(MusicMixer, OperationsDoNothingWithoutAnInstalledMixer) {
  testing_support::TempDir dir;
  TinyXm{}.Write("sound/1.xm");
  EXPECT_EQ(SongLoadFromFile("sound\\1.xm"), 0);
  SongPlay(1);
  SongFree(1);
  EXPECT_EQ(SongGetOrder(1), 0);
}

TEST(MusicMixer, VirtualSongFollowsTheClockAndLoopsByItself) {
  testing_support::TempDir dir;
  const TinyXm song{.orders = 3};
  song.Write("sound/1.xm");
  platform::VirtualClock clock;
  auto mixer = engine::MusicMixer::Virtual(clock);
  engine::ScopedMusicInstall install(*mixer);

  const std::int32_t handle = SongLoadFromFile("sound\\1.xm");
  ASSERT_NE(handle, 0);
  EXPECT_EQ(SongGetOrder(handle), 0);  // loaded, not playing
  Advance(clock, 1.0);
  SongPlay(handle);
  EXPECT_EQ(SongGetOrder(handle), 0);  // time before the start does not count
  std::vector<int> orders;
  for (int i = 0; i < static_cast<int>(3.5 * song.OrderSeconds() * 75); ++i) {
    clock.AdvancePhase();
    const int order = SongGetOrder(handle);
    if (orders.empty() || orders.back() != order) orders.push_back(order);
  }
  EXPECT_EQ(orders, (std::vector<int>{0, 1, 2, 0}));
  SongFree(handle);
  EXPECT_EQ(SongGetOrder(handle), 0);
  EXPECT_EQ(mixer->Playing(), 0);
}

TEST(MusicMixer, PlayingAnotherSongStopsTheFirst) {
  testing_support::TempDir dir;
  TinyXm{}.Write("a.xm");
  platform::VirtualClock clock;
  auto mixer = engine::MusicMixer::Virtual(clock);
  const std::int32_t a = mixer->Load("a.xm");
  const std::int32_t b = mixer->Load("a.xm");
  mixer->Play(a);
  mixer->Play(b);
  EXPECT_EQ(mixer->Playing(), b);
  Advance(clock, 2 * TinyXm{}.OrderSeconds());
  EXPECT_EQ(mixer->Order(a), 0);
  EXPECT_NE(mixer->Order(b), 0);
  mixer->Free(a);
  EXPECT_EQ(mixer->Playing(), b);
}

TEST(MusicMixer, StreamingSongAdvancesAsTheDevicePullsSamples) {
  testing_support::TempDir dir;
  const TinyXm song{.orders = 3};
  song.Write("1.xm");
  constexpr int kRate = 22050;
  auto mixer = engine::MusicMixer::Streaming(kRate);
  std::vector<std::uint8_t> buffer(4096, 0xAA);  // 1024 stereo frames of 16 bits

  mixer->Mix(buffer.data(), static_cast<int>(buffer.size()));
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0; }))
      << "silence while no song plays";

  const std::int32_t handle = mixer->Load("1.xm");
  mixer->Play(handle);
  EXPECT_EQ(mixer->Order(handle), 0);
  const int buffersPerOrder = static_cast<int>(song.OrderSeconds() * kRate / 1024) + 1;
  for (int i = 0; i < buffersPerOrder; ++i)
    mixer->Mix(buffer.data(), static_cast<int>(buffer.size()));
  EXPECT_EQ(mixer->Order(handle), 1);
}

TEST(MusicMixer, RealModuleLoadsAndAdvances) {
  const std::filesystem::path song = MenuSong();
  if (song.empty() || !std::filesystem::exists(song)) {
    GTEST_SKIP() << "no generated runtime tree (ZQ_RUNTIME_DIR)";
  }
  platform::VirtualClock clock;
  auto mixer = engine::MusicMixer::Virtual(clock);
  const std::int32_t handle = mixer->Load(song.c_str());
  ASSERT_NE(handle, 0);
  mixer->Play(handle);
  EXPECT_EQ(mixer->Order(handle), 0);
  Advance(clock, 10.0);
  EXPECT_EQ(mixer->Order(handle), 1);
  Advance(clock, 8.0);
  EXPECT_EQ(mixer->Order(handle), 2);
}

}  // namespace
