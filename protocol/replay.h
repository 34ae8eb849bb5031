// A recorded game: what decides it (the random sequence's position at New
// Game, the first level, and every level step's game keys and tick reading),
// digests of the game's state every few hundred frames, and its result. The
// game writes it, zq-sim and the score service read it back.
//
// File: "ZQRP", format version (u16 LE), payload length (u32 LE), then the
// payload deflated with zlib. Payload, integers as LEB128 unless noted:
//   program version (length, bytes), seed (u64 LE), draws, first level,
//   score, level, name (length, bytes),
//   step count, then each step: one byte (kind << 5 | keys) and the tick
//   reading's difference from the previous step's (mod 2^32),
//   checkpoint count, then each: frames since the previous one, digest (u64 LE).
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace protocol {

inline constexpr std::uint16_t kReplayFormatVersion = 1;
// Limits a reader holds every file to, so that a forged one costs little.
inline constexpr std::size_t kReplayMaxFileBytes = 256 * 1024;
inline constexpr std::size_t kReplayMaxPayloadBytes = 8 * 1024 * 1024;
inline constexpr std::size_t kReplayMaxSteps = 2'000'000;  // 7.4 hours of play at 75 a second
inline constexpr std::uint64_t kReplayMaxDraws = std::uint64_t{1} << 32;
inline constexpr std::size_t kReplayMaxName = 10;
// A checkpoint is taken after every this many frames.
inline constexpr std::uint32_t kReplayCheckpointFrames = 256;

enum class ReplayStepKind : std::uint8_t { StartLevel = 0, Frame = 1, Reload = 2 };

struct ReplayStep {
  ReplayStepKind kind = ReplayStepKind::Frame;
  std::uint8_t keys = 0;  // game keys, bits 0..4
  std::uint32_t ticks = 0;
  friend bool operator==(const ReplayStep&, const ReplayStep&) = default;
};

struct ReplayCheckpoint {
  std::uint32_t frame = 0;  // Frame steps run when it was taken
  std::uint64_t digest = 0;
  friend bool operator==(const ReplayCheckpoint&, const ReplayCheckpoint&) = default;
};

struct Replay {
  std::string programVersion;
  std::uint64_t seed = 0;
  std::uint64_t draws = 0;
  std::int32_t firstLevel = 1;
  std::int32_t score = 0;
  std::int32_t level = 0;
  std::string name;  // entered in the high-score table; empty when none was
  std::vector<ReplayStep> steps;
  std::vector<ReplayCheckpoint> checkpoints;
  friend bool operator==(const Replay&, const Replay&) = default;

  std::uint32_t Frames() const;
};

// A file that cannot be a recording; what() says why.
class ReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> EncodeReplay(const Replay& replay);
// Throws ReplayError for anything but a whole, well-formed recording within the limits.
Replay DecodeReplay(std::span<const std::uint8_t> bytes);

}  // namespace protocol
