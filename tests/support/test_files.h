// Small files that tests write and read back: whole files as bytes, and
// 16-bit mono WAV sounds for the engine's mixer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace testing_support {

// Every byte of a file (empty when it cannot be read).
std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);

// The bytes of a fixed-size record as a vector, to compare with FileBytes.
template <std::size_t N>
std::vector<std::uint8_t> ToVector(const std::array<std::uint8_t, N>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A 16-bit mono PCM WAV file of `samples` at `rate` Hz; missing folders are made.
void WriteWav(const std::filesystem::path& path, int rate,
              const std::vector<std::int16_t>& samples);

// `count` silent samples at `rate` Hz.
void WriteSilentWav(const std::filesystem::path& path, std::uint32_t count, int rate = 22050);

}  // namespace testing_support
