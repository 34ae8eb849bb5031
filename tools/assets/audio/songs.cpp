#include "tools/assets/audio/songs.h"

#include "tools/assets/audio/song_builder.h"

namespace assets::music {

xm::Module MenuSong() {
  constexpr const char* kBass = "1..-1.5.1..-5.8.";
  constexpr const char* kBassSoft = "1......-5.....-.";
  constexpr const char* kArp = "1.3.5.8.5.3.5.3.";
  constexpr const char* kArpSoft = "8...5...3...5...";
  constexpr const char* kKick = "x.......x.x.....";
  constexpr const char* kKickSoft = "x.......x.......";
  constexpr const char* kSnare = "....x.......x...";
  constexpr const char* kSnareSoft = "............o...";
  constexpr const char* kFill = "....x.....o.x.xo";
  constexpr const char* kHat = "x.o.x.o.x.o.x.o.";
  constexpr const char* kHatSoft = "..o...o...o...o.";

  SongPlan plan;
  plan.name = "Quester Menu";
  plan.speed = 6;
  plan.bpm = 125;
  plan.sections = {
      // A: the tune
      {"C Am F G",
       "e5:2 g5:2 c6:4 g5:2 e5:2 c5:4  c5:2 e5:2 a5:4 g5:2 e5:2 c5:4 "
       "f5:2 a5:2 c6:4 a5:2 f5:2 a5:2 c6:2  b5:4 a5:2 g5:2 d5:4 r:4",
       kBass, kArp, kKick, kSnare, kHat, ""},
      // A': its answer, home to C
      {"C C Am Am F G C C",
       "e5:2 g5:2 c6:4 d6:2 c6:2 g5:4  a5:2 g5:2 e5:4 c5:2 d5:2 e5:4 "
       "f5:4 a5:4 g5:2 f5:2 d5:4  c5:8 r:4 g4:2 b4:2",
       kBass, kArp, kKick, kSnare, kHat, kFill},
      // B: climbing away from home
      {"F G Em Am",
       "a5:6 g5:2 f5:4 e5:4  b4:2 d5:2 g5:4 f5:2 e5:2 d5:4 "
       "e5:2 g5:2 b5:4 a5:2 g5:2 e5:4  a5:6 g5:2 e5:4 c5:4",
       kBass, kArp, kKick, kSnare, kHat, ""},
      // B': turning back towards the tune
      {"F F G G Em Am Dm G",
       "c6:4 a5:4 f5:4 a5:4  b5:4 g5:4 d5:4 g5:4 "
       "e5:4 g5:4 a5:4 c6:4  d6:4 c6:2 a5:2 b5:6 r:2",
       kBass, kArp, kKick, kSnare, kHat, kFill},
      // Bridge: the band drops out, long notes
      {"Am F C G", "e5:8 c5:4 e5:4  f5:8 a5:4 c6:4  g5:8 e5:4 c5:4  d5:8 g5:4 b5:4", kBassSoft,
       kArpSoft, kKickSoft, kSnareSoft, kHatSoft, ""},
      // Bridge': the band returns
      {"Am F Dm G",
       "a5:4 b5:2 c6:2 e6:8  c6:4 a5:2 f5:2 a5:8 "
       "d6:4 c6:2 a5:2 f5:4 d5:4  g5:4 b5:4 d6:4 b5:2 g5:2",
       kBass, kArp, kKick, kSnare, kHat, kFill},
  };
  plan.orders = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3};
  return BuildSong(plan);
}

xm::Module GameSong() {
  constexpr const char* kBass = "1.8.1.8.1.8.1.8.";
  constexpr const char* kBassSyncopated = "1..1..8.1..1..5.";
  constexpr const char* kBassLong = "1.......1.......";
  constexpr const char* kArp = "1358853113588531";
  constexpr const char* kArpOpen = "1.5.8.5.1.5.8.5.";
  constexpr const char* kKick = "x...x...x...x...";
  constexpr const char* kKickBreak = "x.........x.....";
  constexpr const char* kSnare = "....x.......x...";
  constexpr const char* kFill = "....x.......xoxx";
  constexpr const char* kHat = "o.x.o.x.o.x.o.x.";
  constexpr const char* kHatBreak = "..o...o...o...o.";

  SongPlan plan;
  plan.name = "Quester Run";
  plan.speed = 6;
  plan.bpm = 150;
  plan.sections = {
      // Intro: the groove alone
      {"Am F C G", "", kBass, kArp, kKick, "", kHat, ""},
      // A: the running tune
      {"Am F C G",
       "a4:2 c5:2 e5:2 a5:2 g5:2 e5:2 c5:2 e5:2  f5:3 e5:1 f5:2 a5:2 c6:4 a5:4 "
       "g5:2 e5:2 c5:2 e5:2 g5:4 c6:4  b5:2 a5:2 g5:2 d5:2 b4:4 d5:4",
       kBass, kArp, kKick, kSnare, kHat, ""},
      // A': the tune again, landing on A
      {"Am F G Am",
       "e5:2 e5:2 a5:2 e5:2 c6:4 b5:2 a5:2  a5:2 f5:2 c5:2 f5:2 a5:4 g5:2 f5:2 "
       "g5:2 d5:2 b4:2 d5:2 g5:4 a5:2 b5:2  c6:4 b5:2 g5:2 a5:8",
       kBass, kArp, kKick, kSnare, kHat, kFill},
      // B: higher and brighter
      {"Dm G C Am",
       "d6:2 c6:2 a5:2 f5:2 d5:4 f5:4  d5:2 g5:2 b5:2 d6:2 b5:4 g5:4 "
       "c6:2 b5:2 c6:2 e6:2 g5:4 e5:4  a5:2 g5:2 a5:2 b5:2 c6:4 e5:4",
       kBassSyncopated, kArp, kKick, kSnare, kHat, ""},
      // B': the climb and the turn home
      {"F G Em Am",
       "f5:4 a5:4 c6:2 a5:2 f5:4  g5:4 b5:4 d6:2 b5:2 g5:4 "
       "e5:2 g5:2 b5:2 e6:2 d6:2 b5:2 g5:2 b5:2  a5:8 r:4 e5:2 g5:2",
       kBassSyncopated, kArp, kKick, kSnare, kHat, kFill},
      // Breakdown: half-time drums, long notes
      {"Am F C G", "e5:12 d5:2 c5:2  c5:12 d5:2 e5:2  g5:12 e5:2 g5:2  b5:16", kBassLong, kArpOpen,
       kKickBreak, "", kHatBreak, ""},
  };
  plan.orders = {0, 1, 2, 1, 2, 3, 4, 5, 1, 2, 3, 4};
  return BuildSong(plan);
}

}  // namespace assets::music
