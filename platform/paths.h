// Turns the game's file names ("data\Sandclock.dat", "sound\mainmenuchg.WAV")
// into paths on this file system. Every file the game opens goes through here.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// `\` and `/` both separate components. Each component is resolved against the
// directory built so far (starting at the current directory): the exact name
// if it exists, otherwise the first entry, in sorted name order, whose name
// equals it ignoring ASCII case, otherwise the component as given (so a file
// about to be created keeps its given name inside the resolved directory).
// The result is relative unless the name starts with a separator.
std::filesystem::path ResolvePath(std::string_view gamePath);

}  // namespace platform
