// Shared by the fuzz targets: a scratch directory for readers that only take a
// path, and a headless engine installed once for readers that make textures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace fuzz {

// A directory of this process's own (on /dev/shm when there is one, so files
// written on every run cost no disk work), removed when the process ends.
const std::filesystem::path& ScratchDir();

// Replaces the file at `path` with `bytes`; aborts when it cannot, since a
// target that silently stops writing its input would fuzz nothing.
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Installs a headless engine for the whole run; targets destroy what they make.
void InstallHeadlessEngine();

// Aborts with `what` when `condition` is false: a broken promise of a reader is
// a finding just like a sanitizer report.
void Check(bool condition, const char* what);

// Makes a texture of `bytes` exactly as the game does and checks the picture it
// holds; destroys it again. Returns whether a texture was made.
bool MakeAndCheckTexture(const std::uint8_t* bytes, std::size_t size);

}  // namespace fuzz
