// The whole runtime tree the game starts in: data/ (packs, pictures, font,
// particle texture, sprite model) and sound/ (effects and songs).
#pragma once

#include <filesystem>

namespace assets {

// Writes outDir/data and outDir/sound; the same bytes on every run.
void WriteRuntimeTree(const std::filesystem::path& outDir);

}  // namespace assets
