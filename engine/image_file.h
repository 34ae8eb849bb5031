// Whole-file reads for the engine's loaders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace engine {

// The file's bytes; nullopt when it cannot be opened or read to the end (a
// missing file, a directory, an I/O error).
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

}  // namespace engine
