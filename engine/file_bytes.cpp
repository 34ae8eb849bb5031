#include "engine/file_bytes.h"

#include "engine/image_file.h"
#include "platform/paths.h"

namespace engine {

std::optional<std::vector<std::uint8_t>> ReadGameFile(std::string_view gamePath) {
  return ReadWholeFile(platform::ResolvePath(gamePath));
}

}  // namespace engine
