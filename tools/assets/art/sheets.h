// Contact sheets: one PNG per pack and per group of single pictures, every image
// on a checkerboard with its index, its contact box and its standing line, for
// checking the art by eye.
#pragma once

#include <filesystem>

namespace assets::art {

// Writes <dir>/<sheet>.png for every sheet; creates dir if needed.
void WriteContactSheets(const std::filesystem::path& dir);

}  // namespace assets::art
