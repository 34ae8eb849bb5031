#include "tools/assets/runtime_tree.h"

#include "tools/assets/audio_assets.h"
#include "tools/assets/picture_files.h"

#if __has_include("tools/assets/font_and_particles.h")
#include "tools/assets/font_and_particles.h"
#define ZQ_HAVE_FONT_AND_PARTICLES 1
#endif

namespace assets {

void WriteRuntimeTree(const std::filesystem::path& outDir) {
  const std::filesystem::path data = outDir / "data";
  const std::filesystem::path sound = outDir / "sound";
  WritePictures(data);
#ifdef ZQ_HAVE_FONT_AND_PARTICLES
  WriteFont(data);
  WriteParticleTexture(data);
#endif
  WriteSounds(sound);
  WriteSongs(sound);
}

}  // namespace assets
