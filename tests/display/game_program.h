// Where the build puts the game's program, for the tests that start it.
#pragma once

#include <filesystem>

namespace testing_support {

inline const std::filesystem::path kGame =
    std::filesystem::path(ZQ_BINARY_DIR) / "shell" / "zorbelline-quester";

}  // namespace testing_support
