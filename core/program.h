// All program state that crosses layers: the platform services, the persistent
// records, the screen state, the driver's flags, the music player and the window
// parameters. One Program per run of the game (and per test); nothing lives in
// statics.
#pragma once

#include <functional>

#include "core/music_player.h"
#include "core/persistent_files.h"
#include "core/screen_state.h"
#include "core/window_params.h"
#include "platform/platform.h"

namespace core {

struct Program {
  explicit Program(platform::Platform& services) : platform(services) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  platform::Platform& platform;
  PersistentState persistent;
  ScreenStateByte ScreenState{0};
  bool MenuSceneActive = false;
  DriverFlags driver;
  MusicPlayer music{persistent.settings, driver, MenuSceneActive};
  TWindowParams windowParams;
};

// The game procedures the driver calls: InitialiseAll once per engine
// initialisation phase, DispatchFrame once per run phase.
struct GameHooks {
  std::function<void()> InitialiseAll;
  std::function<void()> DispatchFrame;
};

}  // namespace core
