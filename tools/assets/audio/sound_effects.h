// The game's sound effects, synthesised: one recipe per file of sound/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

constexpr int kEffectRate = 22050;

struct SoundEffect {
  std::string fileName;               // as the game opens it, e.g. "mainmenuchg.WAV"
  std::vector<std::int16_t> samples;  // mono, kEffectRate
};

std::vector<SoundEffect> MakeSoundEffects();

}  // namespace assets
