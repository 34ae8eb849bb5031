#include "tools/assets/audio_assets.h"

#include "platform/atomic_file.h"
#include "tools/assets/audio/songs.h"
#include "tools/assets/audio/sound_effects.h"
#include "tools/assets/audio/wav_writer.h"

namespace assets {

void WriteSounds(const std::filesystem::path& soundDir) {
  std::filesystem::create_directories(soundDir);
  for (const SoundEffect& effect : MakeSoundEffects()) {
    WriteWav(soundDir / effect.fileName, effect.samples, kEffectRate);
  }
}

void WriteSongs(const std::filesystem::path& soundDir) {
  std::filesystem::create_directories(soundDir);
  platform::WriteFileAtomically(soundDir / "1.xm", xm::EncodeModule(music::MenuSong()));
  platform::WriteFileAtomically(soundDir / "2.xm", xm::EncodeModule(music::GameSong()));
}

}  // namespace assets
