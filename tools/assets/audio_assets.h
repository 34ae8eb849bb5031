// The sound/ folder of the runtime tree: every sound effect and both songs.
#pragma once

#include <filesystem>

namespace assets {

// Writes every effect WAV into soundDir (created if missing).
void WriteSounds(const std::filesystem::path& soundDir);
// Writes 1.xm (menu) and 2.xm (game) into soundDir (created if missing).
void WriteSongs(const std::filesystem::path& soundDir);

}  // namespace assets
