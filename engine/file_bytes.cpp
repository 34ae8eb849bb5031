#include "engine/file_bytes.h"

#include <fstream>
#include <iterator>

#include "platform/paths.h"

namespace engine {

std::optional<std::vector<std::uint8_t>> ReadGameFile(std::string_view gamePath) {
  std::ifstream in(platform::ResolvePath(gamePath), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace engine
