// The menu tick "sound\mainmenuchg.WAV", played on every selection change while
// the live Sound setting is on.
#pragma once

#include "core/persistent_files.h"
#include "engine/owned.h"
#include "engine/types.h"

namespace screens {

class MenuSound {
 public:
  explicit MenuSound(const core::GameSettings& settings) : settings_(settings) {}

  // Creates the engine sound (again after an engine restart).
  void Create();
  // Restarts the tick when Sound is on.
  void Play() const;
  // Starts the tick when Sound is on, unless it is still playing.
  void PlayUnlessPlaying() const;

 private:
  const core::GameSettings& settings_;
  engine::OwnedSound sound_;
};

}  // namespace screens
