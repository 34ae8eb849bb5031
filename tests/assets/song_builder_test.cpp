#include "tools/assets/audio/song_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/assets/audio/instruments.h"

namespace {

using assets::music::BuildSong;
using assets::music::Section;
using assets::music::SongPlan;
using assets::xm::Cell;
using assets::xm::Note;
namespace music = assets::music;

constexpr int kChannels = music::kChannelCount;

SongPlan OneSection(const Section& section) {
  SongPlan plan;
  plan.name = "test";
  plan.sections = {section};
  plan.orders = {0};
  return plan;
}

const Cell& At(const assets::xm::Module& m, int row, music::Channel channel) {
  return m.patterns[0].cells[static_cast<std::size_t>(row * kChannels + channel)];
}

constexpr int C = 0, Cs = 1, D = 2, E = 4, Fs = 6, G = 7, A = 9, Bb = 10;

TEST(SongBuilder, MelodyNotesLandOnTheirRowsAndLongNotesAreReleased) {
  Section s;
  s.chords = "C F G C";
  s.melody = "c5:2 bb4:4 f#5:1 r:1 c#6:8 e5:48";
  const assets::xm::Module m = BuildSong(OneSection(s));
  const struct {
    int row;
    std::uint8_t note;
  } expected[] = {
      {0, Note(5, C)},  {1, 0},
      {2, Note(4, Bb)}, {5, assets::xm::kKeyOff},
      {6, Note(5, Fs)}, {7, assets::xm::kKeyOff},
      {8, Note(6, Cs)}, {15, assets::xm::kKeyOff},
      {16, Note(5, E)}, {63, assets::xm::kKeyOff},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.row);
    EXPECT_EQ(At(m, e.row, music::kMelodyChannel).note, e.note);
    const bool played = e.note != 0 && e.note != assets::xm::kKeyOff;
    EXPECT_EQ(At(m, e.row, music::kMelodyChannel).instrument, played ? music::kLead : 0);
  }
}

TEST(SongBuilder, ChordTemplatesFollowTheChordOfEachHalfBar) {
  Section s;
  s.chords = "Am Am Bb Bb F#m D C G";
  s.bass = "1...3...5...8-..";
  const assets::xm::Module m = BuildSong(OneSection(s));
  const struct {
    int row;
    std::uint8_t note;
  } expected[] = {
      // A minor: root, minor third, fifth, octave, then a release.
      {0, Note(2, A)},
      {4, Note(2, A + 3)},
      {8, Note(2, A + 7)},
      {12, Note(2, A + 12)},
      {13, assets::xm::kKeyOff},
      // Bb: a flat root, major third.
      {16, Note(2, Bb)},
      {20, Note(2, Bb + 4)},
      {24, Note(2, Bb + 7)},
      {28, Note(2, Bb + 12)},
      // Half bars: F# minor, then D.
      {32, Note(2, Fs)},
      {36, Note(2, Fs + 3)},
      {40, Note(2, D + 7)},
      {44, Note(2, D + 12)},
      {48, Note(2, C)},
      {52, Note(2, C + 4)},
      {56, Note(2, G + 7)},
      {60, Note(2, G + 12)},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.row);
    EXPECT_EQ(At(m, e.row, music::kBassChannel).note, e.note);
  }
  EXPECT_EQ(At(m, 1, music::kBassChannel).note, 0);
  EXPECT_EQ(At(m, 0, music::kArpChannel).note, 0) << "an empty template leaves its channel silent";
}

TEST(SongBuilder, DrumsUseSoftVolumeForOAndTheFillInTheLastBar) {
  Section s;
  s.chords = "C C C C";
  s.snare = "x...o...........";
  s.snareFill = "..............xx";
  const assets::xm::Module m = BuildSong(OneSection(s));
  for (int bar = 0; bar < 3; ++bar) {
    SCOPED_TRACE(bar);
    EXPECT_EQ(At(m, bar * 16, music::kSnareChannel).note, Note(4, C));
    EXPECT_EQ(At(m, bar * 16, music::kSnareChannel).volume, 0);  // the sample's own volume
    const Cell& soft = At(m, bar * 16 + 4, music::kSnareChannel);
    EXPECT_EQ(soft.instrument, music::kSnare);
    EXPECT_GT(soft.volume, 0x10);
    EXPECT_LT(soft.volume, 0x10 + m.instruments[music::kSnare - 1].sample.volume);
  }
  EXPECT_EQ(At(m, 48, music::kSnareChannel).note, 0);
  EXPECT_EQ(At(m, 62, music::kSnareChannel).note, Note(4, C));
  EXPECT_EQ(At(m, 63, music::kSnareChannel).note, Note(4, C));
}

TEST(SongBuilder, RefusesNotationItCannotRead) {
  const struct {
    const char* fault;
    Section section;
  } cases[] = {
      {"melody short of 64 rows", {"C F G C", "c5:60"}},
      {"melody past 64 rows", {"C F G C", "c5:60 d5:8"}},
      {"token without length", {"C F G C", "c5 d5:64"}},
      {"unknown note", {"C F G C", "h5:64"}},
      {"note without octave", {"C F G C", "c:64"}},
      {"three chords", {"C F G"}},
      {"unknown chord", {"C F G Cmaj"}},
      {"short template", {"C F G C", "", "1...1..."}},
      {"bad template character", {"C F G C", "", "1...9...1...1..."}},
      {"drum with note character", {"C F G C", "", "", "", "x...1..........."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    EXPECT_THROW(BuildSong(OneSection(c.section)), std::invalid_argument);
  }
}

}  // namespace
