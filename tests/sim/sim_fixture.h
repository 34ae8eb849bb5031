// The whole program under the simulator's session (the real driver, scene and
// persistent files on the scripted platform and the headless engine) in a fresh
// runtime directory holding a menu tick and the two songs, with the state of
// every frame kept for the test to look at.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/persistent_files.h"
#include "core/program.h"
#include "screens/scene.h"
#include "tests/screens/menu_screen_fixture.h"
#include "tests/support/tiny_xm.h"
#include "tests/support/temp_dir.h"
#include "tools/sim/script.h"
#include "tools/sim/session.h"

namespace testing_support {

// What the test reads of one frame.
struct SimFrame {
  int frame = 0;
  std::uint8_t state = 0;
  bool menuScene = false;
  bool intro = false;
  int mainSelection = 0;
  int dialogSelection = 0;
  iVec2 backdropScale;
  bool sunShown = false;
  std::vector<std::string> texts;
  std::vector<std::string> sounds;
  std::string music;
};

class SimTest : public ::testing::Test {
 protected:
  SimTest() {
    std::filesystem::create_directories("data");
    WriteSilentWav("sound/mainmenuchg.WAV", 1100);
    TinyXm{.orders = 2}.Write("sound/1.xm");
    TinyXm{.orders = 2}.Write("sound/2.xm");
  }

  void WriteSettings(const core::GameSettings& settings) {
    const auto bytes = settings.ToBytes();
    std::ofstream("data/settings.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  void WriteResumeRecord() {
    const char bytes[8] = {0, 3, 1, 0, 0, 0, 0, 0};
    std::ofstream("data/boss.dat", std::ios::binary).write(bytes, sizeof bytes);
  }

  // Runs the script for at most `frames` run phases; `each` may act on the
  // program after each frame.
  sim::Session::End Run(const std::string& script, int frames,
                        const std::function<void(sim::Session&, const SimFrame&)>& each = {}) {
    std::istringstream in(script);
    session_ = std::make_unique<sim::Session>(
        sim::Session::Options{.seed = 7, .script = sim::ParseScript(in, "test")});
    frames_.clear();
    return session_->Run(
        frames, [](int) { return false; },
        [&](const sim::FrameRecord& record) {
          SimFrame f;
          f.frame = record.frame;
          core::Program& program = session_->program();
          screens::Scene& scene = session_->scene();
          f.state = program.ScreenState.load();
          f.menuScene = program.MenuSceneActive;
          f.intro = scene.intro().running();
          f.mainSelection = scene.mainMenu().selection();
          f.dialogSelection = scene.exitMenu().selection();
          f.backdropScale = scene.menuScene().backdropScale();
          const auto sun = session_->world().sprites.find(scene.menuScene().sunSprite());
          f.sunShown = sun != session_->world().sprites.end() && sun->second.shown;
          for (const engine::PrintedText& t : record.texts) f.texts.push_back(t.text);
          f.sounds = record.sounds;
          f.music = session_->CurrentSong();
          frames_.push_back(f);
          if (each) each(*session_, f);
        });
  }

  // Frame n (1-based) as recorded.
  const SimFrame& At(int n) const { return frames_.at(static_cast<std::size_t>(n - 1)); }

  TempDir dir_;
  std::unique_ptr<sim::Session> session_;
  std::vector<SimFrame> frames_;
};

}  // namespace testing_support
