// The pictures of the runtime tree: every texture pack, every single picture and
// the sprite model file, all under data/.
#pragma once

#include <filesystem>

namespace assets {

// Writes every pack and picture into dataDir (created if missing); the same bytes
// on every run. Throws std::runtime_error (or platform::FileError) on failure.
void WritePictures(const std::filesystem::path& dataDir);

}  // namespace assets
