// The driver on the scripted platform with the headless engine and a virtual
// music mixer, in a fresh directory holding sound/1.xm and sound/2.xm. The game
// hooks are stand-ins: InitialiseAll counts, DispatchFrame counts, runs the
// actions scheduled for its frame and does the music loop check as the real
// one does.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "core/program.h"
#include "engine/engine.h"
#include "engine/headless/headless_backend.h"
#include "engine/music.h"
#include "engine/runtime.h"
#include "platform/scripted/scripted_platform.h"
#include "shell/main_loop.h"
#include "tests/support/tiny_xm.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

struct DriverScenario {
  static constexpr int kF12 = 88;      // DirectInput code of the default boss key
  static constexpr int kF12Key = 123;  // its virtual key
  static constexpr int kFrameLimit = 3000;

  explicit DriverScenario(bool windowed = true) {
    settings().Windowed = windowed ? 1 : 0;
    TinyXm{.orders = 2}.Write("sound/1.xm");
    TinyXm{.orders = 4}.Write("sound/2.xm");
    hooks_.InitialiseAll = [this] { ++initialisations_; };
    hooks_.DispatchFrame = [this] {
      ++frames_;
      if (auto it = actions_.find(frames_); it != actions_.end()) it->second();
      if (frames_ >= kFrameLimit) {
        ADD_FAILURE() << "the scenario never ended its engine runs";
        iExit();
      }
      program_.music.MusicLoopCheck();
    };
  }

  core::GameSettings& settings() { return program_.persistent.settings; }

  // Runs the driver with the window parameters the program entry would fill.
  void RunDriver() {
    core::FillWindowParams(program_.windowParams, 1024, 768, settings());
    shell::RunMainLoop(program_, hooks_);
  }

  // Schedules an action for a frame, counted over every engine run.
  void AtFrame(int frame, std::function<void()> action) { actions_[frame] = std::move(action); }
  // The boss key pressed (and released) with these modifier keys held.
  void PressBossKey(std::initializer_list<int> modifiers = {}) {
    for (int m : modifiers) backend_->KeyDown(m);
    backend_->KeyTap(settings().BossKey);
  }
  void CloseWindow() { platform_.PostToGameWindow(platform::WM_CLOSE); }

  const platform::ScriptedPlatform::WindowRecord& WindowRecord(platform::WindowId id) {
    const auto* w = platform_.Window(id);
    if (!w) throw std::logic_error("no such window");
    return *w;
  }

  TempDir dir_;
  engine::HeadlessBackend* backend_ = new engine::HeadlessBackend;
  engine::Engine engine_{std::unique_ptr<engine::Backend>(backend_)};
  engine::ScopedInstall install_{engine_};
  std::unique_ptr<engine::MusicMixer> mixer_ =
      engine::MusicMixer::Virtual(backend_->virtualClock());
  engine::ScopedMusicInstall music_{*mixer_};
  platform::ScriptedPlatform platform_{backend_->virtualClock()};
  core::Program program_{platform_};
  core::GameHooks hooks_;
  std::map<int, std::function<void()>> actions_;
  int initialisations_ = 0;
  int frames_ = 0;
};

class DriverTest : public ::testing::Test, public DriverScenario {};

// Starts in full screen.
class RestartTest : public ::testing::Test, public DriverScenario {
 protected:
  RestartTest() : DriverScenario(false) {}
};

}  // namespace testing_support
