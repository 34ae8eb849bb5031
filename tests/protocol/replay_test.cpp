// The recorded game's file: what is written reads back the same, and anything
// that is not a whole recording within the limits is refused with its reason.
#include "protocol/replay.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

using protocol::Replay;
using protocol::ReplayStepKind;

Replay Sample() {
  Replay replay;
  replay.programVersion = "1.2.3";
  replay.seed = 0x0123456789ABCDEFULL;
  replay.draws = 4321;
  replay.firstLevel = 3;
  replay.score = 1250;
  replay.level = 4;
  replay.name = "Tester";
  replay.steps.push_back({ReplayStepKind::StartLevel, 0, 0xFFFFFFF0u});
  for (std::uint32_t i = 0; i < 600; ++i) {
    // Ticks wrap past 2^32 on the way: differences are taken modulo 2^32.
    replay.steps.push_back({i == 300 ? ReplayStepKind::Reload : ReplayStepKind::Frame,
                            static_cast<std::uint8_t>(i % 32), 0xFFFFFFF0u + 13 * (i + 1)});
  }
  replay.checkpoints = {{256, 0xDEADBEEFCAFEF00DULL}, {512, 1}, {599, 2}};
  return replay;
}

std::vector<std::uint8_t> Pack(const std::vector<std::uint8_t>& payload, std::uint16_t version = 1,
                               std::size_t claimed = SIZE_MAX) {
  if (claimed == SIZE_MAX) claimed = payload.size();
  std::vector<std::uint8_t> file = {'Z',
                                    'Q',
                                    'R',
                                    'P',
                                    static_cast<std::uint8_t>(version),
                                    static_cast<std::uint8_t>(version >> 8)};
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(claimed >> (8 * i)));
  uLongf packed = compressBound(static_cast<uLong>(payload.size()));
  file.resize(10 + packed);
  compress2(file.data() + 10, &packed, payload.data(), static_cast<uLong>(payload.size()), 9);
  file.resize(10 + packed);
  return file;
}

std::vector<std::uint8_t> Unpack(const std::vector<std::uint8_t>& file) {
  std::size_t size = 0;
  for (int i = 0; i < 4; ++i) size |= static_cast<std::size_t>(file[6 + i]) << (8 * i);
  std::vector<std::uint8_t> payload(size);
  uLongf unpacked = size;
  uncompress(payload.data(), &unpacked, file.data() + 10, file.size() - 10);
  return payload;
}

std::string Refusal(const std::vector<std::uint8_t>& file) {
  try {
    protocol::DecodeReplay(file);
  } catch (const protocol::ReplayError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(ReplayFile, WrittenRecordingReadsBackTheSame) {
  const Replay replay = Sample();
  const std::vector<std::uint8_t> file = protocol::EncodeReplay(replay);
  EXPECT_EQ(protocol::DecodeReplay(file), replay);
  EXPECT_EQ(replay.Frames(), 599u);
}

TEST(ReplayFile, AnythingButAWholeRecordingIsRefusedWithItsReason) {
  const std::vector<std::uint8_t> good = protocol::EncodeReplay(Sample());
  const std::vector<std::uint8_t> payload = Unpack(good);

  auto flipped = good;
  flipped[good.size() / 2] ^= 0x10;
  auto trailing = payload;
  trailing.push_back(0);
  auto longName = protocol::EncodeReplay([] {
    Replay r = Sample();
    r.name = std::string(11, 'A');
    return r;
  }());
  auto noStart = protocol::EncodeReplay([] {
    Replay r = Sample();
    r.steps.front().kind = ReplayStepKind::Frame;
    return r;
  }());
  // The first step's byte: after the version (1 + 5), seed (8), draws (2),
  // first level (1), score (2), level (1), name (1 + 6) and step count (2).
  auto badKind = payload;
  badKind[29] = 0xE0;  // kind 7
  auto farRandom = protocol::EncodeReplay([] {
    Replay r = Sample();
    r.draws = protocol::kReplayMaxDraws + 1;
    return r;
  }());
  auto badResult = protocol::EncodeReplay([] {
    Replay r = Sample();
    r.level = 2;  // below the first level
    return r;
  }());
  std::vector<std::uint8_t> huge(protocol::kReplayMaxFileBytes + 1, 0);
  std::copy(good.begin(), good.end(), huge.begin());
  // A payload that claims two million and one steps.
  // Version "1.2.3", seed, draws 0, first level 1, score 0, level 1, no name.
  std::vector<std::uint8_t> endless = {5, '1', '.', '2', '.', '3', 1, 0, 0, 0,
                                       0, 0,   0,   0,   0,   1,   0, 1, 0};
  std::uint64_t steps = protocol::kReplayMaxSteps + 1;
  for (; steps >= 0x80; steps >>= 7) endless.push_back(static_cast<std::uint8_t>(steps | 0x80));
  endless.push_back(static_cast<std::uint8_t>(steps));

  const struct {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* reason;
  } kCases[] = {
      {"empty", {}, "not a recording of this game"},
      {"another file", {0x89, 'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0}, "not a recording of this game"},
      {"cut in the header", {good.begin(), good.begin() + 7}, "not a recording of this game"},
      {"cut in the data", {good.begin(), good.end() - 5}, "damaged"},
      {"one byte changed", flipped, "damaged"},
      {"another format version", Pack(payload, 2), "recording format 2 is not known"},
      {"a false length", Pack(payload, 1, payload.size() + 1), "damaged"},
      {"claims a huge payload", Pack(payload, 1, 1u << 30), "claims to be too large"},
      {"oversized", huge, "larger than 262144 bytes"},
      {"bytes after its end", Pack(trailing), "bytes after its end"},
      {"a long name", longName, "the name is out of range"},
      {"no level start first", noStart, "does not begin with a level start"},
      {"a step of unknown kind", Pack(badKind), "of an unknown kind"},
      {"a far random position", farRandom, "the random position is out of range"},
      {"a level below the first", badResult, "the result is out of range"},
      {"endless", Pack(endless), "the number of steps is out of range"},
      {"payload cut short", Pack({payload.begin(), payload.begin() + 40}), "ends too soon"},
  };
  for (const auto& c : kCases) {
    EXPECT_NE(Refusal(c.file).find(c.reason), std::string::npos)
        << c.name << ": " << Refusal(c.file);
  }
}

}  // namespace
