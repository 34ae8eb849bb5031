// FastTracker II extended modules (.xm, version 0x0104): the song header, the
// order list, packed patterns and instruments with one delta-encoded sample each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets::xm {

constexpr std::uint8_t kKeyOff = 97;  // note value that releases the channel's note
constexpr int kMaxChannels = 32;
constexpr int kMaxRows = 256;
constexpr int kMaxEnvelopePoints = 12;

// Note 1 is C-0, 49 is C-4 (the note a sample of relative note 0 plays at 8363 Hz).
constexpr std::uint8_t Note(int octave, int semitone) {
  return static_cast<std::uint8_t>(1 + octave * 12 + semitone);
}

// One row of one channel. Zero fields are empty; volume uses the volume-column
// encoding (0x10 + 0..64 sets the volume).
struct Cell {
  std::uint8_t note = 0;
  std::uint8_t instrument = 0;  // 1-based, 0 = none
  std::uint8_t volume = 0;
  std::uint8_t effect = 0;
  std::uint8_t param = 0;

  bool operator==(const Cell&) const = default;
};

struct Pattern {
  int rows = 64;
  std::vector<Cell> cells;  // rows * channels, row by row

  Pattern() = default;
  Pattern(int rowCount, int channels)
      : rows(rowCount), cells(static_cast<std::size_t>(rowCount * channels)) {}
  Cell& at(int row, int channel, int channels) {
    return cells[static_cast<std::size_t>(row * channels + channel)];
  }
};

enum class Loop : std::uint8_t { kNone = 0, kForward = 1, kPingPong = 2 };

struct Sample {
  std::string name;
  std::vector<std::int16_t> data;  // PCM frames
  bool sixteenBit = true;          // 8-bit keeps the high byte of each frame
  Loop loop = Loop::kNone;
  std::uint32_t loopStart = 0;   // in frames
  std::uint32_t loopLength = 0;  // in frames
  std::uint8_t volume = 64;
  std::int8_t finetune = 0;  // 1/128 semitone
  std::uint8_t panning = 128;
  std::int8_t relativeNote = 0;
};

// Points are (tick, level 0..64). A sustain point holds the level until key-off.
struct Envelope {
  struct Point {
    std::uint16_t tick = 0;
    std::uint16_t level = 0;
  };
  std::vector<Point> points;  // empty = no envelope
  int sustain = -1;           // point index, -1 = none
};

struct Instrument {
  std::string name;
  Sample sample;
  Envelope volumeEnvelope;
  std::uint16_t fadeout = 0;  // volume fade speed after key-off
  // Automatic vibrato: type 0 sine, sweep ticks, depth and rate.
  std::uint8_t vibratoType = 0;
  std::uint8_t vibratoSweep = 0;
  std::uint8_t vibratoDepth = 0;
  std::uint8_t vibratoRate = 0;
};

struct Module {
  std::string name;
  int channels = 4;
  int speed = 6;  // ticks per row
  int bpm = 125;
  std::uint16_t restart = 0;  // order the song continues at after its end
  std::vector<std::uint8_t> orders;
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;
};

// Throws std::invalid_argument when the module cannot be written as a valid
// file: channel, row, order or envelope counts out of range, cells not matching
// rows * channels, orders naming missing patterns, loops outside the sample.
std::vector<std::uint8_t> EncodeModule(const Module& module);

}  // namespace assets::xm
