// An engine restart in full screen (focus lost, then the boss hot key) with a
// menu page open: the page comes back as it was, in front of the main menu's
// items, the sun and the cloud. Rendered headless with the generated art (the
// run's tree, ZQ_RUNTIME_DIR, or one made with zq-assets).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "engine/image.h"
#include "core/program.h"
#include "tests/sim/sim_fixture.h"

namespace {

namespace fs = std::filesystem;
using testing_support::SimTest;

class RestartPictureTest : public SimTest {
 protected:
  void SetUp() override {
    const char* tree = std::getenv("ZQ_RUNTIME_DIR");
    if (tree && *tree && fs::exists(fs::path(tree) / "data")) {
      fs::copy(fs::path(tree) / "data", "data",
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } else {
      const fs::path generator = fs::path(ZQ_BINARY_DIR) / "tools" / "assets" / "zq-assets";
      ASSERT_TRUE(fs::exists(generator)) << "no runtime tree (ZQ_RUNTIME_DIR) and no " << generator;
      ASSERT_EQ(std::system((generator.string() + " . >/dev/null").c_str()), 0);
    }
    fs::remove("data/settings.dat");
    fs::remove("data/boss.dat");
    core::GameSettings settings;
    settings.Windowed = 0;
    WriteSettings(settings);
  }

  // The pictures of the given frames.
  std::map<int, engine::Image> Pictures(const std::string& script, int frames,
                                        std::initializer_list<int> shots) {
    std::istringstream in(script);
    sim::Session session({.seed = 7, .script = sim::ParseScript(in, "test")});
    std::map<int, engine::Image> pictures;
    const std::set<int> wanted(shots);
    session.Run(
        frames, [&](int frame) { return wanted.count(frame) > 0; },
        [&](const sim::FrameRecord& record) {
          if (record.picture) pictures[record.frame] = *record.picture;
        });
    return pictures;
  }
};

// Pixels of the page's middle (where no menu character runs) that differ
// clearly between two pictures, as a fraction.
double ChangedInPage(const engine::Image& a, const engine::Image& b) {
  int changed = 0, all = 0;
  for (int y = 80; y < 520; ++y) {
    for (int x = 100; x < 700; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * a.width + x) * 4;
      int difference = 0;
      for (int c = 0; c < 3; ++c) difference += std::abs(a.rgba[at + c] - b.rgba[at + c]);
      if (difference > 48) ++changed;
      ++all;
    }
  }
  return static_cast<double>(changed) / all;
}

TEST_F(RestartPictureTest, OpenPageComesBackAsItWasAfterARestart) {
  const struct {
    const char* page;
    const char* keys;
  } kPages[] = {
      {"options", "240 key DOWN\n241 key ENTER\n"},
      {"high scores", "240 key DOWN\n241 key DOWN\n242 key ENTER\n"},
      {"help", "240 key DOWN\n241 key DOWN\n242 key DOWN\n243 key ENTER\n"},
  };
  for (const auto& page : kPages) {
    SCOPED_TRACE(page.page);
    // Lost focus after frame 260 ends the engine run; the hot key opens the next.
    const std::string script = std::string(page.keys) + "261 focus-lost\n262 hotkey\n";
    const auto pictures = Pictures(script, 266, {260, 265});
    ASSERT_EQ(pictures.size(), 2u);
    const engine::Image& before = pictures.at(260);
    const engine::Image& after = pictures.at(265);
    ASSERT_EQ(before.width, after.width);
    EXPECT_LT(ChangedInPage(before, after), 0.02);
  }
}

}  // namespace
