// Recorded games as the simulator and the score service read them. Odd first
// byte: the rest is the file as given (header, zlib stream). Even: the rest is
// a payload this target packs into a valid header and stream, so that the
// fuzzer reaches the payload reader behind the checksum. Whatever is accepted
// must be within the limits and encode and decode to itself.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "protocol/replay.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

std::vector<std::uint8_t> Pack(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> file = {'Z', 'Q', 'R', 'P', protocol::kReplayFormatVersion, 0};
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  uLongf packed = compressBound(static_cast<uLong>(size));
  file.resize(10 + packed);
  compress2(file.data() + 10, &packed, data, static_cast<uLong>(size), 1);
  file.resize(10 + packed);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<std::uint8_t> file = (data[0] & 1) != 0
                                             ? std::vector<std::uint8_t>(data + 1, data + size)
                                             : Pack(data + 1, size - 1);
  protocol::Replay replay;
  try {
    replay = protocol::DecodeReplay(file);
  } catch (const protocol::ReplayError&) {
    return 0;
  }
  fuzz::Check(!replay.steps.empty() && replay.steps.size() <= protocol::kReplayMaxSteps,
              "accepted a recording without steps or with too many");
  fuzz::Check(replay.name.size() <= protocol::kReplayMaxName, "accepted a long name");
  fuzz::Check(replay.draws <= protocol::kReplayMaxDraws, "accepted a far random position");
  fuzz::Check(protocol::DecodeReplay(protocol::EncodeReplay(replay)) == replay,
              "an accepted recording does not encode and decode to itself");
  return 0;
}
