#include "tools/assets/audio/wav_writer.h"

#include "platform/atomic_file.h"
#include "platform/little_endian.h"

namespace assets {
namespace {

void Put(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

using platform::le::Append16;
using platform::le::Append32;

}  // namespace

std::vector<std::uint8_t> EncodeWav(std::span<const std::int16_t> samples, int rate) {
  constexpr std::uint16_t kChannels = 1;
  constexpr std::uint16_t kBits = 16;
  constexpr std::uint16_t kBlockAlign = kChannels * kBits / 8;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataSize);
  Put(out, "RIFF");
  Append32(out, 36 + dataSize);
  Put(out, "WAVE");
  Put(out, "fmt ");
  Append32(out, 16);
  Append16(out, 1);  // PCM
  Append16(out, kChannels);
  Append32(out, static_cast<std::uint32_t>(rate));
  Append32(out, static_cast<std::uint32_t>(rate) * kBlockAlign);
  Append16(out, kBlockAlign);
  Append16(out, kBits);
  Put(out, "data");
  Append32(out, dataSize);
  for (std::int16_t s : samples) Append16(out, static_cast<std::uint16_t>(s));
  return out;
}

void WriteWav(const std::filesystem::path& path, std::span<const std::int16_t> samples, int rate) {
  platform::WriteFileAtomically(path, EncodeWav(samples, rate));
}

}  // namespace assets
