// Reads a whole file named by a game path ("data\Sun.png"), resolved the way every
// game file is (platform::ResolvePath).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace engine {

// nullopt when the file cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadGameFile(std::string_view gamePath);

}  // namespace engine
