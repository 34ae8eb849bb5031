// Writes texture packs: a directory of 8-byte entries (offset, size; little-endian
// u32) from byte 0, one per image, followed by the image bytes in entry order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace packs {

// The bytes of a pack holding `images` in order.
std::vector<std::uint8_t> BuildPack(std::span<const std::vector<std::uint8_t>> images);

// Writes BuildPack(images) to `path` atomically; throws std::runtime_error naming
// the file on failure.
void WritePack(const std::filesystem::path& path,
               std::span<const std::vector<std::uint8_t>> images);

}  // namespace packs
