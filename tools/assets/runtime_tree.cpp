#include "tools/assets/runtime_tree.h"

#include "tools/assets/audio_assets.h"
#include "tools/assets/font_and_particles.h"
#include "tools/assets/picture_files.h"

namespace assets {

void WriteRuntimeTree(const std::filesystem::path& outDir) {
  const std::filesystem::path data = outDir / "data";
  const std::filesystem::path sound = outDir / "sound";
  WritePictures(data);
  WriteFont(data);
  WriteParticleTexture(data);
  WriteSounds(sound);
  WriteSongs(sound);
}

}  // namespace assets
