// Module music: tracker songs (.xm and the other formats libxmp reads) loaded,
// played and released by handle, with the song's current order number so the
// program can see it wrap around. One song plays at a time.
//
// The operations act on the MusicMixer installed with engine::InstallMusic;
// with none installed they return 0 and do nothing. The window backend installs
// a streaming mixer that the audio device pulls through; tests and tools install
// a virtual one that advances with the engine's clock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/clock.h"

// A song handle; 0 when the file is missing or not a module.
std::int32_t SongLoadFromFile(const char* path);
// There are no resources: always 0.
std::int32_t SongLoadFromResource(const char* name);
// Starts the song from its beginning; it replaces any song that was playing.
void SongPlay(std::int32_t song);
// Stops the song if it plays and releases it.
void SongFree(std::int32_t song);
// The order (position in the song's order list) being played; 0 at the start.
std::int32_t SongGetOrder(std::int32_t song);

namespace engine {

class MusicMixer {
 public:
  // Songs advance as the audio device pulls 16-bit signed stereo samples at
  // sampleRate through Mix (called on the audio thread).
  static std::unique_ptr<MusicMixer> Streaming(int sampleRate);
  // Songs advance with `clock`: asking for the order first renders, into a
  // scratch buffer at a low rate, as much of the song as the time since it
  // started needs. Deterministic with a virtual clock.
  static std::unique_ptr<MusicMixer> Virtual(const platform::Clock& clock);

  ~MusicMixer();
  MusicMixer(const MusicMixer&) = delete;
  MusicMixer& operator=(const MusicMixer&) = delete;

  std::int32_t Load(const char* path);
  void Play(std::int32_t song);
  void Free(std::int32_t song);
  std::int32_t Order(std::int32_t song);
  // The song now playing, 0 if none.
  std::int32_t Playing() const;

  // Audio thread: fills `bytes` bytes with the playing song, silence if none.
  void Mix(std::uint8_t* stream, int bytes);

 private:
  struct Song;
  MusicMixer(int sampleRate, const platform::Clock* clock);
  Song* Find(std::int32_t song);
  void AdvanceToClock(Song& song);

  const int sampleRate_;
  const platform::Clock* const clock_;  // null: streaming
  std::map<std::int32_t, std::unique_ptr<Song>> songs_;
  std::int32_t nextHandle_ = 1;
  mutable std::mutex mixing_;  // guards playing_ and the playing song's player
  Song* playing_ = nullptr;
};

// The mixer the Song* operations act on; nullptr uninstalls.
void InstallMusic(MusicMixer* mixer);
MusicMixer* InstalledMusic();

class ScopedMusicInstall {
 public:
  explicit ScopedMusicInstall(MusicMixer& mixer) { InstallMusic(&mixer); }
  ~ScopedMusicInstall() { InstallMusic(nullptr); }
  ScopedMusicInstall(const ScopedMusicInstall&) = delete;
  ScopedMusicInstall& operator=(const ScopedMusicInstall&) = delete;
};

}  // namespace engine
