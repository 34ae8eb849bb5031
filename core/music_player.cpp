#include "core/music_player.h"

#include <string>

#include "engine/music.h"

namespace core {

MusicPlayer::MusicPlayer(const GameSettings& settings, const DriverFlags& driver,
                         const bool& menuSceneActive)
    : settings_(settings), driver_(driver), menuSceneActive_(menuSceneActive) {}

MusicPlayer::~MusicPlayer() {
  if (currentSong_ != 0) SongFree(currentSong_);
}

void MusicPlayer::MusicPlay(std::string_view name, bool fromResource) {
  if (settings_.MusicOn == 0) return;
  lastOrder_ = 0;
  if (currentSong_ != 0) SongFree(currentSong_);
  const std::string text(name);
  currentSong_ = fromResource ? SongLoadFromResource(text.c_str())
                              : SongLoadFromFile(("sound\\" + text + ".xm").c_str());
  currentName_ = currentSong_ != 0 ? text : std::string();
  if (currentSong_ != 0) SongPlay(currentSong_);
}

void MusicPlayer::MusicStop(std::string_view /*name*/) {
  if (currentSong_ != 0) SongFree(currentSong_);
  currentSong_ = 0;
  currentName_.clear();
}

void MusicPlayer::MusicLoopCheck() {
  if (currentSong_ == 0) return;
  if (SongGetOrder(currentSong_) != 0 || lastOrder_ == 0) {
    lastOrder_ = SongGetOrder(currentSong_);
    return;
  }
  // Back at order 0 after having moved on: the song wrapped around.
  if (settings_.MusicOn != 0 && driver_.WindowActivated)
    MusicPlay(menuSceneActive_ ? "1" : "2", false);
}

}  // namespace core
