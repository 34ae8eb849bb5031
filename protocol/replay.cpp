#include "protocol/replay.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>

namespace protocol {
namespace {

constexpr std::string_view kMagic = "ZQRP";
constexpr std::size_t kHeaderBytes = 4 + 2 + 4;
constexpr std::uint8_t kKeyBits = 0x1F;

class Writer {
 public:
  void Varint(std::uint64_t value) {
    while (value >= 0x80) {
      bytes.push_back(static_cast<std::uint8_t>(value | 0x80));
      value >>= 7;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  void Signed(std::int32_t value) { Varint(static_cast<std::uint32_t>(value)); }
  void Fixed64(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void Text(const std::string& text) {
    Varint(text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  void Byte(std::uint8_t value) { bytes.push_back(value); }

  std::vector<std::uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t Byte() {
    if (at_ >= bytes_.size()) throw ReplayError("the recording ends too soon");
    return bytes_[at_++];
  }
  std::uint64_t Varint() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const std::uint8_t byte = Byte();
      value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) return value;
    }
    throw ReplayError("a number in the recording is too long");
  }
  std::uint64_t Bounded(std::uint64_t limit, const char* what) {
    const std::uint64_t value = Varint();
    if (value > limit) throw ReplayError(std::string(what) + " is out of range");
    return value;
  }
  std::int32_t Signed(const char* what) {
    const std::uint64_t value = Bounded(0xFFFFFFFFu, what);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  std::uint64_t Fixed64() {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= static_cast<std::uint64_t>(Byte()) << (8 * i);
    return value;
  }
  std::string Text(std::size_t limit, const char* what) {
    const std::size_t size = Bounded(limit, what);
    if (bytes_.size() - at_ < size) throw ReplayError("the recording ends too soon");
    std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size));
    at_ += size;
    return text;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::vector<std::uint8_t> Payload(const Replay& replay) {
  Writer w;
  w.Text(replay.programVersion);
  w.Fixed64(replay.seed);
  w.Varint(replay.draws);
  w.Signed(replay.firstLevel);
  w.Signed(replay.score);
  w.Signed(replay.level);
  w.Text(replay.name);
  w.Varint(replay.steps.size());
  std::uint32_t ticks = 0;
  for (const ReplayStep& step : replay.steps) {
    w.Byte(static_cast<std::uint8_t>(static_cast<std::uint8_t>(step.kind) << 5 |
                                     (step.keys & kKeyBits)));
    w.Varint(static_cast<std::uint32_t>(step.ticks - ticks));
    ticks = step.ticks;
  }
  w.Varint(replay.checkpoints.size());
  std::uint32_t frame = 0;
  for (const ReplayCheckpoint& checkpoint : replay.checkpoints) {
    w.Varint(checkpoint.frame - frame);
    w.Fixed64(checkpoint.digest);
    frame = checkpoint.frame;
  }
  return std::move(w.bytes);
}

Replay ReadPayload(std::span<const std::uint8_t> bytes) {
  Reader r(bytes);
  Replay replay;
  replay.programVersion = r.Text(64, "the program version");
  replay.seed = r.Fixed64();
  replay.draws = r.Bounded(kReplayMaxDraws, "the random position");
  replay.firstLevel = r.Signed("the first level");
  if (replay.firstLevel < 1) throw ReplayError("the first level is out of range");
  replay.score = r.Signed("the score");
  replay.level = r.Signed("the level");
  if (replay.score < 0 || replay.level < replay.firstLevel) {
    throw ReplayError("the result is out of range");
  }
  replay.name = r.Text(kReplayMaxName, "the name");
  const std::size_t steps = r.Bounded(kReplayMaxSteps, "the number of steps");
  replay.steps.reserve(steps);
  std::uint32_t ticks = 0;
  for (std::size_t i = 0; i < steps; ++i) {
    const std::uint8_t head = r.Byte();
    const std::uint8_t kind = head >> 5;
    if (kind > static_cast<std::uint8_t>(ReplayStepKind::Reload)) {
      throw ReplayError("step " + std::to_string(i) + " is of an unknown kind");
    }
    ticks += static_cast<std::uint32_t>(r.Bounded(0xFFFFFFFFu, "a tick difference"));
    replay.steps.push_back(
        {static_cast<ReplayStepKind>(kind), static_cast<std::uint8_t>(head & kKeyBits), ticks});
  }
  if (replay.steps.empty() || replay.steps.front().kind != ReplayStepKind::StartLevel) {
    throw ReplayError("the recording does not begin with a level start");
  }
  const std::uint32_t frames = replay.Frames();
  const std::size_t checkpoints =
      r.Bounded(frames / kReplayCheckpointFrames + 1, "the checkpoints");
  std::uint32_t frame = 0;
  for (std::size_t i = 0; i < checkpoints; ++i) {
    frame += static_cast<std::uint32_t>(r.Bounded(frames, "a checkpoint"));
    if (frame > frames || (i > 0 && frame == replay.checkpoints.back().frame)) {
      throw ReplayError("a checkpoint is out of range");
    }
    replay.checkpoints.push_back({frame, r.Fixed64()});
  }
  if (!r.AtEnd()) throw ReplayError("the recording has bytes after its end");
  return replay;
}

}  // namespace

std::uint32_t Replay::Frames() const {
  return static_cast<std::uint32_t>(
      std::count_if(steps.begin(), steps.end(),
                    [](const ReplayStep& s) { return s.kind == ReplayStepKind::Frame; }));
}

std::vector<std::uint8_t> EncodeReplay(const Replay& replay) {
  const std::vector<std::uint8_t> payload = Payload(replay);
  uLongf packedSize = compressBound(static_cast<uLong>(payload.size()));
  std::vector<std::uint8_t> file(kHeaderBytes + packedSize);
  std::copy(kMagic.begin(), kMagic.end(), file.begin());
  file[4] = static_cast<std::uint8_t>(kReplayFormatVersion);
  file[5] = static_cast<std::uint8_t>(kReplayFormatVersion >> 8);
  for (int i = 0; i < 4; ++i) file[6 + i] = static_cast<std::uint8_t>(payload.size() >> (8 * i));
  if (compress2(file.data() + kHeaderBytes, &packedSize, payload.data(),
                static_cast<uLong>(payload.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw ReplayError("the recording could not be compressed");
  }
  file.resize(kHeaderBytes + packedSize);
  return file;
}

Replay DecodeReplay(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kReplayMaxFileBytes) {
    throw ReplayError("the recording is larger than " + std::to_string(kReplayMaxFileBytes) +
                      " bytes");
  }
  if (bytes.size() < kHeaderBytes || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
    throw ReplayError("not a recording of this game");
  }
  const unsigned version = bytes[4] | bytes[5] << 8;
  if (version != kReplayFormatVersion) {
    throw ReplayError("recording format " + std::to_string(version) +
                      " is not known (this game reads " + std::to_string(kReplayFormatVersion) +
                      ")");
  }
  std::size_t size = 0;
  for (int i = 0; i < 4; ++i)
    size |= static_cast<std::size_t>(bytes[6 + static_cast<std::size_t>(i)]) << (8 * i);
  if (size > kReplayMaxPayloadBytes) throw ReplayError("the recording claims to be too large");
  std::vector<std::uint8_t> payload(size);
  uLongf unpacked = static_cast<uLongf>(size);
  uLong packed = static_cast<uLong>(bytes.size() - kHeaderBytes);
  const int result = uncompress2(payload.data(), &unpacked, bytes.data() + kHeaderBytes, &packed);
  if (result != Z_OK || unpacked != size || packed != bytes.size() - kHeaderBytes) {
    throw ReplayError("the recording is damaged (its compressed data does not unpack)");
  }
  return ReadPayload(payload);
}

}  // namespace protocol
