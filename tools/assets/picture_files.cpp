#include "tools/assets/picture_files.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "tools/assets/art/catalog.h"
#include "tools/assets/art/parallel.h"
#include "tools/assets/art/text.h"
#include "tools/pack/pack_writer.h"

namespace assets {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Every sprite is created with this model; the engine draws a unit quad whatever
// the file says, so it only needs to exist.
constexpr std::string_view kSpriteModel =
    "xof 0302txt 0032\n"
    "// The unit quad every sprite is drawn on, centred, facing the camera.\n"
    "Mesh SpriteQuad {\n"
    "  4;\n"
    "  -0.5; -0.5; 0.0;,\n"
    "  -0.5;  0.5; 0.0;,\n"
    "   0.5;  0.5; 0.0;,\n"
    "   0.5; -0.5; 0.0;;\n"
    "  2;\n"
    "  3; 0, 1, 2;,\n"
    "  3; 0, 2, 3;;\n"
    "  MeshTextureCoords {\n"
    "    4;\n"
    "    0.0; 1.0;,\n"
    "    0.0; 0.0;,\n"
    "    1.0; 0.0;,\n"
    "    1.0; 1.0;;\n"
    "  }\n"
    "}\n";

}  // namespace

void WritePictures(const std::filesystem::path& dataDir) {
  std::filesystem::create_directories(dataDir);
  const art::Font font;
  const std::vector<art::PictureSet> sets = art::Catalog(font);

  struct Job {
    std::size_t set, image;
  };
  std::vector<Job> jobs;
  std::vector<std::vector<Bytes>> encoded(sets.size());
  for (std::size_t s = 0; s < sets.size(); ++s) {
    encoded[s].resize(sets[s].images.size());
    for (std::size_t i = 0; i < sets[s].images.size(); ++i) jobs.push_back({s, i});
  }
  art::ParallelFor(jobs.size(), [&](std::size_t j) {
    const Job& job = jobs[j];
    const art::SurfacePtr surface = art::Render(sets[job.set].images[job.image]);
    encoded[job.set][job.image] = art::EncodePng(surface.get());
  });

  for (std::size_t s = 0; s < sets.size(); ++s) {
    const std::filesystem::path path = dataDir / sets[s].file;
    std::filesystem::create_directories(path.parent_path());
    if (sets[s].packed) {
      packs::WritePack(path, encoded[s]);
    } else {
      platform::WriteFileAtomically(path, encoded[s].front());
    }
  }
  const Bytes model(kSpriteModel.begin(), kSpriteModel.end());
  platform::WriteFileAtomically(dataDir / "sprite.x", model);
}

}  // namespace assets
