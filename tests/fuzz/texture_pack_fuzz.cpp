// Texture packs as the game reads them: the file is a directory of (offset,
// size) entries from byte 0, each naming a whole picture file inside it. The
// first entries (and one past what the file can hold) are read both ways the
// game does: straight into a texture, and into a blob that textures are made
// from later. A blob must hold exactly the bytes its entry names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "engine/texture_pack.h"
#include "platform/little_endian.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t kEntriesRead = 8;

const std::string& PackPath() {
  static const std::string path = (fuzz::ScratchDir() / "Pack.dat").string();
  return path;
}

// The bytes entry `index` names, or nullptr when it names none inside the file.
const std::uint8_t* EntryBytes(const std::uint8_t* data, std::size_t size, std::size_t index,
                               std::size_t& length) {
  if ((index + 1) * 8 > size) return nullptr;
  const std::uint64_t offset = platform::le::Read32(data + index * 8);
  length = platform::le::Read32(data + index * 8 + 4);
  if (length == 0 || offset + length > size) return nullptr;
  return data + offset;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallHeadlessEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteWholeFile(PackPath(), {data, size});
  const std::size_t entries = std::min(size / 8 + 1, kEntriesRead);
  for (std::size_t index = 0; index < entries; ++index) {
    const iHandle texture =
        LoadPackTexture(PackPath().c_str(), static_cast<std::uint16_t>(index), 1000);
    ImageBlob blob;
    blob.Data = {1, 2, 3};  // whatever an earlier load left
    blob.Size = 3;
    LoadPackBlob(blob, static_cast<std::int32_t>(index), PackPath().c_str());
    fuzz::Check(blob.Size >= 0 && static_cast<std::size_t>(blob.Size) == blob.Data.size(),
                "blob size differs from its bytes");

    std::size_t length = 0;
    const std::uint8_t* expected = EntryBytes(data, size, index, length);
    if (expected == nullptr) {
      fuzz::Check(blob.Data.empty(), "blob of an entry that names nothing in the file");
      fuzz::Check(texture == 0, "texture of an entry that names nothing in the file");
      continue;
    }
    fuzz::Check(blob.Data.size() == length && std::memcmp(blob.Data.data(), expected, length) == 0,
                "blob differs from the bytes its entry names");
    const bool made = fuzz::MakeAndCheckTexture(blob.Data.data(), blob.Data.size());
    fuzz::Check(made == (texture != 0), "texture from the pack differs from one from its blob");
    iTextureDestroy(texture);
  }

  ImageBlob negative;
  negative.Data = {1};
  negative.Size = 1;
  LoadPackBlob(negative, -1, PackPath().c_str());
  fuzz::Check(negative.Data.empty() && negative.Size == 0, "blob of a negative index");
  return 0;
}
