#include "screens/menu_sound.h"

#include "engine/engine.h"

namespace screens {

void MenuSound::Create() {
  sound_ = engine::OwnedSound(iSoundCreate("sound\\mainmenuchg.WAV", 0));
}

void MenuSound::Play() const {
  if (settings_.SoundOn != 0) iSoundPlayNow(sound_, 0);
}

void MenuSound::PlayUnlessPlaying() const {
  if (settings_.SoundOn != 0) iSoundPlay(sound_, 0);
}

}  // namespace screens
