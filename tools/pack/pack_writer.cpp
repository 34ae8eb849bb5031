#include "tools/pack/pack_writer.h"

#include <stdexcept>

#include "platform/atomic_file.h"
#include "platform/little_endian.h"

namespace packs {
namespace {

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint64_t value) {
  if (value > UINT32_MAX) throw std::runtime_error("texture pack larger than 4 GiB");
  platform::le::Write32(out.data() + at, static_cast<std::uint32_t>(value));
}

}  // namespace

std::vector<std::uint8_t> BuildPack(std::span<const std::vector<std::uint8_t>> images) {
  std::vector<std::uint8_t> out(images.size() * 8);
  for (std::size_t n = 0; n < images.size(); ++n) {
    PutU32(out, 8 * n, out.size());
    PutU32(out, 8 * n + 4, images[n].size());
    out.insert(out.end(), images[n].begin(), images[n].end());
  }
  return out;
}

void WritePack(const std::filesystem::path& path,
               std::span<const std::vector<std::uint8_t>> images) {
  platform::WriteFileAtomically(path, BuildPack(images));
}

}  // namespace packs
