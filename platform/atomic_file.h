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
// A target that exists but may not be written (marked read-only) is refused, as
// opening it for writing would be. The new file keeps the old file's permission
// bits; a new file gets 0666 less the umask.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace platform
