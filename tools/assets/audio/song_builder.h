// Turns a song written as chords, melody lines and rhythm templates into an XM
// module played by the instruments of instruments.h.
//
// Every section is one 64-row pattern of four 16-row bars.
//   chords   4 (one a bar) or 8 (one a half bar) names: "C", "Am", "F#m", "Bb"
//   melody   tokens "note:rows" or "r:rows" filling 64 rows: "e5:2 g5:2 c6:4 r:8";
//            a note of 3 rows or more is released on its last row, a rest
//            releases the note before it
//   bass, arp  16-row templates repeated every bar, one character a row:
//            '1' chord root, '3' third, '5' fifth, '8' root an octave up,
//            '-' release, '.' nothing; the bass root is in octave 2, the arp's in 4
//   kick, snare, hat  16-row templates: 'x' full hit, 'o' soft hit, '.' nothing
//   snareFill  the snare template of the fourth bar, when given
// An empty or null template leaves its channel silent.
#pragma once

#include <string>
#include <vector>

#include "tools/assets/audio/xm_writer.h"

namespace assets::music {

enum Channel {
  kMelodyChannel,
  kArpChannel,
  kBassChannel,
  kKickChannel,
  kSnareChannel,
  kHatChannel,
  kChannelCount
};

constexpr int kRowsPerSection = 64;

struct Section {
  const char* chords = "";
  const char* melody = "";
  const char* bass = "";
  const char* arp = "";
  const char* kick = "";
  const char* snare = "";
  const char* hat = "";
  const char* snareFill = "";
};

struct SongPlan {
  std::string name;
  int speed = 6;
  int bpm = 125;
  std::vector<Section> sections;  // section i becomes pattern i
  std::vector<std::uint8_t> orders;
};

// Throws std::invalid_argument naming the fault for notation it cannot read.
xm::Module BuildSong(const SongPlan& plan);

}  // namespace assets::music
