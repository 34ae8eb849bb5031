#include "engine/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace engine {
namespace {

void MixMusic(void* mixer, Uint8* stream, int bytes) {
  static_cast<MusicMixer*>(mixer)->Mix(stream, bytes);
}

}  // namespace

SdlAudio::SdlAudio(const platform::Clock& clock) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    // No format changes allowed: SDL converts for the device, so the music hook
    // always receives 16-bit stereo at kSampleRate, as libxmp renders it.
    open_ = Mix_OpenAudioDevice(kSampleRate, AUDIO_S16SYS, 2, 1024, nullptr, 0) == 0;
    if (!open_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  if (open_) {
    Mix_AllocateChannels(kChannels);
    music_ = MusicMixer::Streaming(kSampleRate);
    Mix_HookMusic(MixMusic, music_.get());
  } else {
    music_ = MusicMixer::Virtual(clock);
  }
}

SdlAudio::~SdlAudio() {
  if (!open_) return;
  Mix_HookMusic(nullptr, nullptr);
  for (auto& [id, effect] : effects_) Mix_FreeChunk(effect.chunk);
  effects_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int SdlAudio::Load(const std::string& path) {
  if (!open_) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (!chunk) return 0;
  const int id = nextId_++;
  effects_[id] = {chunk, -1};
  return id;
}

bool SdlAudio::Playing(int id) const {
  auto it = effects_.find(id);
  if (it == effects_.end() || it->second.channel < 0) return false;
  const int channel = it->second.channel;
  return Mix_Playing(channel) != 0 && Mix_GetChunk(channel) == it->second.chunk;
}

void SdlAudio::Play(int id, bool restart) {
  auto it = effects_.find(id);
  if (it == effects_.end()) return;
  Effect& effect = it->second;
  if (Playing(id)) {
    if (!restart) return;
    Mix_HaltChannel(effect.channel);
  }
  effect.channel = Mix_PlayChannel(-1, effect.chunk, 0);
}

void SdlAudio::Free(int id) {
  auto it = effects_.find(id);
  if (it == effects_.end()) return;
  Mix_FreeChunk(it->second.chunk);  // halts the channels playing it
  effects_.erase(it);
}

}  // namespace engine
