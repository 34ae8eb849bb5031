// The instruments both songs play, their samples synthesised from code.
#pragma once

#include "tools/assets/audio/xm_writer.h"

namespace assets::music {

// 1-based instrument numbers as the patterns use them.
enum InstrumentId : std::uint8_t {
  kLead = 1,
  kPluck,
  kBass,
  kKick,
  kSnare,
  kHiHat,
};

// Every sample has relative note +24, so note C-4 plays it at 4 * 8363 Hz =
// kNativeRate: drums sound as synthesised there, and the tonal samples loop
// cycles of kCycleFrames frames, which puts C-4 at 261.3 Hz.
constexpr int kNativeRate = 4 * 8363;
constexpr int kCycleFrames = 128;

// In the order of InstrumentId.
std::vector<xm::Instrument> MakeInstruments();

}  // namespace assets::music
