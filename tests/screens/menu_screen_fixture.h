// The whole scene on the headless engine and the scripted platform, opened on
// the main menu without the intro, in a fresh directory with the settings and
// high-score files, a menu tick and a menu song. Each Frame() is one run phase
// with DispatchFrame; the pointer is the system pointer over a game window
// whose client area is exactly 800 x 600 pixels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/persistent_files.h"
#include "core/program.h"
#include "engine/engine.h"
#include "engine/music.h"
#include "platform/scripted/scripted_platform.h"
#include "screens/scene.h"
#include "screens/submission.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"
#include "tests/support/tiny_xm.h"

namespace testing_support {

// The scene's submission worker: the stand-in, unless a test points it at
// another one (the real worker in the online tests).
class WorkerSwitch final : public screens::SubmissionWorker {
 public:
  explicit WorkerSwitch(screens::SubmissionWorker& target) : target_(&target) {}
  void Use(screens::SubmissionWorker& target) { target_ = &target; }
  void StartNew(const screens::SubmissionRecord& record) override { target_->StartNew(record); }
  screens::SubmissionOutcome TakeOutcome() override { return target_->TakeOutcome(); }

 private:
  screens::SubmissionWorker* target_;
};

class MenuScreenTest : public EngineTest {
 public:
  static constexpr const char* kSettingsPath = "data/settings.dat";
  static constexpr const char* kRecordsPath = "data/records.dat";

  MenuScreenTest() {
    std::filesystem::create_directories("data");
    WriteSilentWav("sound/mainmenuchg.WAV", 1100);  // 0.05 s: about four run phases
    TinyXm{.orders = 2}.Write("sound/1.xm");
    core::LoadPersistentFiles(program_.persistent);
    platform_.RegisterWindowClass(
        "Game", [this](platform::WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
          return platform_.DefWindowProc(w, m, wp, lp);
        });
    window_ = platform_.CreateGameWindow("Game", "Zorbelline Quester", 0, 0, 800,
                                         600 + platform_.CaptionHeight());
    program_.persistent.resumedFromBoss = true;  // straight to the main menu
    scene_.InitialiseAll();
    PointAt(15, -11);  // a corner where nothing is
    Frame();
    backend().TakeStartedSounds();
  }

  // One run phase: input is read, then the scene's frame runs.
  void Frame() {
    i3ImpactMain();
    i3ImpactRunBegin();
    scene_.DispatchFrame();
    i3ImpactRunEnd();
  }

  // Keys pressed and released before the next frame, which then runs.
  void Tap(std::initializer_list<int> codes) {
    for (const int code : codes) backend().KeyTap(code);
    Frame();
  }
  void Tap(int code) { Tap({code}); }

  // The pointer over screen position (x, y): the system pointer to the nearest
  // pixel (windowed) and the engine's mouse (full screen).
  void PointAt(long double x, long double y) {
    backend().MouseMove(static_cast<float>((x + 16) / 32), static_cast<float>((12 - y) / 24));
    const int px = static_cast<int>(std::lround((x + 16) * 25));
    const int py = static_cast<int>(std::lround((12 - y) * 25)) + platform_.CaptionHeight();
    platform_.SetCursorPos(px, py);
  }
  // Moves the pointer there and runs a frame (a hover).
  void MoveTo(long double x, long double y) {
    PointAt(x, y);
    Frame();
  }
  // Moves the pointer there and clicks in the same frame.
  void ClickAt(long double x, long double y) {
    PointAt(x, y);
    backend().MouseClick(0);
    Frame();
  }

  std::uint8_t state() const { return program_.ScreenState.load(); }

  // The scene and everything it owns go while the engine runs on; scene_ is
  // not to be used after.
  void DestroyScene() { sceneStore_.reset(); }

  // The texts printed and still shown, in order.
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const engine::PrintedText& t : world().texts) texts.push_back(t.text);
    return texts;
  }
  // The printed text that equals `text`, or null.
  const engine::PrintedText* FindText(const std::string& text) {
    for (const engine::PrintedText& t : world().texts)
      if (t.text == text) return &t;
    return nullptr;
  }
  bool Shown(iHandle sprite) {
    const auto it = world().sprites.find(sprite);
    return it != world().sprites.end() && it->second.shown;
  }
  // Menu ticks started since the last call.
  int Ticks() {
    int ticks = 0;
    for (const std::string& name : backend().TakeStartedSounds())
      if (name == "mainmenuchg.WAV") ++ticks;
    return ticks;
  }

  TempDir dir_;
  std::unique_ptr<engine::MusicMixer> mixer_ =
      engine::MusicMixer::Virtual(backend().virtualClock());
  engine::ScopedMusicInstall musicInstall_{*mixer_};
  platform::ScriptedPlatform platform_{backend().virtualClock()};
  core::Program program_{platform_};
  screens::NoSubmissionWorker worker_;
  WorkerSwitch submission_{worker_};
  std::optional<screens::Scene> sceneStore_;
  screens::Scene& scene_ =
      sceneStore_.emplace(program_, submission_, screens::SceneOptions{.seed = 1});
  platform::WindowId window_ = 0;
};

inline bool SameColour(const iColor& a, const iColor& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

}  // namespace testing_support
