#include "tools/assets/audio/song_builder.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "tools/assets/audio/instruments.h"

namespace assets::music {
namespace {

constexpr int kBarRows = 16;
constexpr int kBassOctave = 2;
constexpr int kArpOctave = 4;

void Fail(const std::string& what) {
  throw std::invalid_argument("song: " + what);
}

std::vector<std::string> Words(const char* text) {
  std::vector<std::string> words;
  std::istringstream in(text ? text : "");
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// "c", "f#", "Bb" at the front of `s`: semitone above C; advances `at`.
int PitchClass(const std::string& s, std::size_t& at) {
  static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7};  // a..g
  if (at >= s.size()) Fail("missing note name in '" + s + "'");
  const char letter = static_cast<char>(s[at] | 0x20);
  if (letter < 'a' || letter > 'g') Fail("bad note name in '" + s + "'");
  int semitone = kLetters[letter - 'a'];
  ++at;
  if (at < s.size() && s[at] == '#') {
    ++semitone;
    ++at;
  } else if (at < s.size() && s[at] == 'b' && at + 1 < s.size()) {
    --semitone;  // a 'b' after the letter is a flat unless it ends the word
    ++at;
  }
  return semitone;
}

std::uint8_t NoteAt(int octave, int semitone, const std::string& source) {
  const int note = 1 + octave * 12 + semitone;
  if (note < 1 || note > 96) Fail("note out of range in '" + source + "'");
  return static_cast<std::uint8_t>(note);
}

struct Chord {
  int root = 0;  // semitone above C
  bool minor = false;
};

std::vector<Chord> ParseChords(const char* text) {
  std::vector<Chord> chords;
  for (const std::string& w : Words(text)) {
    std::size_t at = 0;
    Chord c;
    c.root = PitchClass(w + " ", at);  // the pad keeps "Bb" a flat
    c.minor = at < w.size() && w[at] == 'm';
    if (c.minor) ++at;
    if (at != w.size()) Fail("bad chord '" + w + "'");
    chords.push_back(c);
  }
  if (chords.size() != 4 && chords.size() != 8) Fail("a section needs 4 or 8 chords");
  return chords;
}

class PatternWriter {
 public:
  PatternWriter() : pattern_(kRowsPerSection, kChannelCount) {}

  xm::Cell& at(int row, Channel channel) { return pattern_.at(row, channel, kChannelCount); }
  void Play(int row, Channel channel, std::uint8_t note, std::uint8_t instrument,
            std::uint8_t volume = 0) {
    at(row, channel) = {note, instrument, volume, 0, 0};
  }
  void Release(int row, Channel channel) { at(row, channel) = {xm::kKeyOff, 0, 0, 0, 0}; }
  xm::Pattern Take() { return std::move(pattern_); }

 private:
  xm::Pattern pattern_;
};

void WriteMelody(PatternWriter& out, const char* text) {
  int row = 0;
  for (const std::string& w : Words(text)) {
    const std::size_t colon = w.find(':');
    if (colon == std::string::npos) Fail("melody token '" + w + "' needs ':rows'");
    const int rows = std::atoi(w.c_str() + colon + 1);
    if (rows < 1 || row + rows > kRowsPerSection) Fail("melody runs past 64 rows at '" + w + "'");
    const std::string name = w.substr(0, colon);
    if (name == "r") {
      out.Release(row, kMelodyChannel);
    } else {
      std::size_t at = 0;
      const int semitone = PitchClass(name, at);
      if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') {
        Fail("bad melody note '" + w + "'");
      }
      out.Play(row, kMelodyChannel, NoteAt(name[at] - '0', semitone, w), kLead);
      if (rows >= 3) out.Release(row + rows - 1, kMelodyChannel);
    }
    row += rows;
  }
  if (row != 0 && row != kRowsPerSection) Fail("melody fills " + std::to_string(row) + " rows");
}

void CheckTemplate(const char* tmpl, const char* allowed) {
  if (std::strlen(tmpl) != kBarRows) Fail(std::string("template '") + tmpl + "' is not 16 rows");
  for (const char* c = tmpl; *c; ++c) {
    if (!std::strchr(allowed, *c)) Fail(std::string("bad character in template '") + tmpl + "'");
  }
}

void WriteChordLine(PatternWriter& out, Channel channel, const char* tmpl,
                    const std::vector<Chord>& chords, int octave, std::uint8_t instrument) {
  if (!tmpl || !*tmpl) return;
  CheckTemplate(tmpl, "1358-.");
  for (int row = 0; row < kRowsPerSection; ++row) {
    const char c = tmpl[row % kBarRows];
    const Chord& chord = chords[static_cast<std::size_t>(row * chords.size() / kRowsPerSection)];
    int offset = 0;
    switch (c) {
      case '.':
        continue;
      case '-':
        out.Release(row, channel);
        continue;
      case '3':
        offset = chord.minor ? 3 : 4;
        break;
      case '5':
        offset = 7;
        break;
      case '8':
        offset = 12;
        break;
      default:
        break;
    }
    out.Play(row, channel, NoteAt(octave, chord.root + offset, tmpl), instrument);
  }
}

void WriteDrums(PatternWriter& out, Channel channel, const char* tmpl, const char* lastBar,
                const xm::Instrument& drum, std::uint8_t instrument) {
  if (!tmpl || !*tmpl) return;
  CheckTemplate(tmpl, "xo.");
  if (lastBar && *lastBar) CheckTemplate(lastBar, "xo.");
  const auto soft = static_cast<std::uint8_t>(0x10 + drum.sample.volume * 11 / 20);
  const std::uint8_t c4 = xm::Note(4, 0);
  for (int row = 0; row < kRowsPerSection; ++row) {
    // A named pointer, not a subscripted ?: expression, which GCC 12 with
    // -fsanitize=undefined evaluates wrongly.
    const char* bar = row >= 3 * kBarRows && lastBar && *lastBar ? lastBar : tmpl;
    const char c = bar[row % kBarRows];
    if (c == 'x') out.Play(row, channel, c4, instrument);
    if (c == 'o') out.Play(row, channel, c4, instrument, soft);
  }
}

}  // namespace

xm::Module BuildSong(const SongPlan& plan) {
  xm::Module m;
  m.name = plan.name;
  m.channels = kChannelCount;
  m.speed = plan.speed;
  m.bpm = plan.bpm;
  m.orders = plan.orders;
  m.instruments = MakeInstruments();
  const auto& inst = m.instruments;
  for (const Section& s : plan.sections) {
    PatternWriter out;
    const std::vector<Chord> chords = ParseChords(s.chords);
    WriteMelody(out, s.melody);
    WriteChordLine(out, kArpChannel, s.arp, chords, kArpOctave, kPluck);
    WriteChordLine(out, kBassChannel, s.bass, chords, kBassOctave, kBass);
    WriteDrums(out, kKickChannel, s.kick, nullptr, inst[kKick - 1], kKick);
    WriteDrums(out, kSnareChannel, s.snare, s.snareFill, inst[kSnare - 1], kSnare);
    WriteDrums(out, kHatChannel, s.hat, nullptr, inst[kHiHat - 1], kHiHat);
    m.patterns.push_back(out.Take());
  }
  return m;
}

}  // namespace assets::music
