// The audio device: sound effects on SDL_mixer channels and the module music
// mixed in through SDL_mixer's music hook, so both share one device. Without a
// usable device everything is silent and songs advance with the clock instead.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/music.h"
#include "platform/clock.h"

struct Mix_Chunk;

namespace engine {

class SdlAudio {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kChannels = 32;

  explicit SdlAudio(const platform::Clock& clock);
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool deviceOpen() const { return open_; }
  MusicMixer& music() { return *music_; }

  // 0 when the file cannot be read (or there is no device).
  int Load(const std::string& path);
  // Starts the effect; unless `restart`, not while it is still playing.
  void Play(int id, bool restart);
  bool Playing(int id) const;
  void Free(int id);

 private:
  struct Effect {
    Mix_Chunk* chunk = nullptr;
    int channel = -1;
  };

  bool open_ = false;
  std::unique_ptr<MusicMixer> music_;
  std::map<int, Effect> effects_;
  int nextId_ = 1;
};

}  // namespace engine
