// RIFF WAVE files of 16-bit PCM mono samples.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace assets {

std::vector<std::uint8_t> EncodeWav(std::span<const std::int16_t> samples, int rate);

// Writes atomically; throws platform::FileError when the file cannot be written.
void WriteWav(const std::filesystem::path& path, std::span<const std::int16_t> samples, int rate);

}  // namespace assets
