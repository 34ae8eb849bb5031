#include "tests/support/test_files.h"

#include <fstream>
#include <iterator>

#include "platform/little_endian.h"

namespace testing_support {

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWav(const std::filesystem::path& path, int rate,
              const std::vector<std::int16_t>& samples) {
  namespace le = platform::le;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const auto rateHz = static_cast<std::uint32_t>(rate);
  std::vector<std::uint8_t> out;
  const auto text = [&out](const char* four) { out.insert(out.end(), four, four + 4); };
  text("RIFF");
  le::Append32(out, 36 + dataBytes);
  text("WAVE");
  text("fmt ");
  le::Append32(out, 16);
  le::Append16(out, 1);  // PCM
  le::Append16(out, 1);  // mono
  le::Append32(out, rateHz);
  le::Append32(out, rateHz * 2);
  le::Append16(out, 2);
  le::Append16(out, 16);
  text("data");
  le::Append32(out, dataBytes);
  for (std::int16_t s : samples) le::Append16(out, static_cast<std::uint16_t>(s));
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

void WriteSilentWav(const std::filesystem::path& path, std::uint32_t count, int rate) {
  WriteWav(path, rate, std::vector<std::int16_t>(count, 0));
}

}  // namespace testing_support
