// Background music: one song at a time, "sound\<name>.xm", restarted whenever
// it wraps around to its first order while music is on and the window active.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/persistent_files.h"
#include "core/screen_state.h"

namespace core {

class MusicPlayer {
 public:
  // Reads MusicOn from the live settings, WindowActivated from the driver flags
  // and the menu-scene flag (which song a restart plays) at each call.
  MusicPlayer(const GameSettings& settings, const DriverFlags& driver, const bool& menuSceneActive);
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Replaces the current song by "sound\<name>.xm" (or the resource <name>) and
  // plays it; does nothing while music is off.
  void MusicPlay(std::string_view name, bool fromResource);
  // Stops and releases the current song, whatever its name.
  void MusicStop(std::string_view name);
  // Once per frame: restarts the song once it has wrapped to order 0.
  void MusicLoopCheck();

  std::int32_t CurrentSong() const { return currentSong_; }
  std::int32_t LastOrder() const { return lastOrder_; }
  // The name last played ("1", "2"), or "" while no song is loaded.
  const std::string& CurrentSongName() const { return currentName_; }

 private:
  const GameSettings& settings_;
  const DriverFlags& driver_;
  const bool& menuSceneActive_;
  std::int32_t currentSong_ = 0;
  std::int32_t lastOrder_ = 0;
  std::string currentName_;
};

}  // namespace core
