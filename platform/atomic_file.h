// Whole-file writes that never leave a half-written file behind: the bytes go to
// a temporary file in the same directory, are flushed to disk, and replace the
// target by rename.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// Throws platform::FileError (naming the file and the failure) when any step fails;
// the temporary file is removed then and the old file is left as it was.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace platform
