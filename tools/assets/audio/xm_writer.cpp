#include "tools/assets/audio/xm_writer.h"

#include <stdexcept>

#include "platform/little_endian.h"

namespace assets::xm {
namespace {

constexpr std::uint32_t kHeaderSize = 276;  // counted from the header-size field
constexpr std::uint32_t kPatternHeaderSize = 9;
constexpr std::uint32_t kInstrumentHeaderSize = 263;
constexpr std::uint32_t kSampleHeaderSize = 40;

void Fail(const std::string& what) {
  throw std::invalid_argument("xm: " + what);
}

class Out {
 public:
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) { platform::le::Append16(bytes_, v); }
  void U32(std::uint32_t v) { platform::le::Append32(bytes_, v); }
  void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  // A fixed-width text field, cut or padded with zeros.
  void Text(const std::string& s, std::size_t width) {
    const std::size_t n = std::min(s.size(), width);
    bytes_.insert(bytes_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    Zeros(width - n);
  }
  void Append(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

void Check(const Module& m) {
  if (m.channels < 1 || m.channels > kMaxChannels) Fail("channel count out of range");
  if (m.speed < 1 || m.speed > 31) Fail("speed out of range");
  if (m.bpm < 32 || m.bpm > 255) Fail("bpm out of range");
  if (m.orders.empty() || m.orders.size() > 256) Fail("order count out of range");
  if (m.restart >= m.orders.size()) Fail("restart position past the order list");
  if (m.patterns.empty() || m.patterns.size() > 256) Fail("pattern count out of range");
  if (m.instruments.size() > 128) Fail("too many instruments");
  for (std::uint8_t order : m.orders) {
    if (order >= m.patterns.size()) Fail("order names a missing pattern");
  }
  for (const Pattern& p : m.patterns) {
    if (p.rows < 1 || p.rows > kMaxRows) Fail("row count out of range");
    if (p.cells.size() != static_cast<std::size_t>(p.rows * m.channels)) {
      Fail("pattern cells do not match rows * channels");
    }
    for (const Cell& c : p.cells) {
      if (c.note > kKeyOff) Fail("note out of range");
      if (c.instrument > m.instruments.size()) Fail("cell names a missing instrument");
    }
  }
  for (const Instrument& inst : m.instruments) {
    const Sample& s = inst.sample;
    if (s.volume > 64) Fail("sample volume above 64");
    if (s.loop != Loop::kNone && (s.loopLength == 0 || s.loopStart > s.data.size() ||
                                  s.loopLength > s.data.size() - s.loopStart)) {
      Fail("sample loop outside the sample");
    }
    const Envelope& env = inst.volumeEnvelope;
    if (env.points.size() > kMaxEnvelopePoints) Fail("too many envelope points");
    if (env.sustain >= static_cast<int>(env.points.size())) Fail("sustain point missing");
    for (std::size_t i = 0; i < env.points.size(); ++i) {
      if (env.points[i].level > 64) Fail("envelope level above 64");
      if (i > 0 && env.points[i].tick <= env.points[i - 1].tick) {
        Fail("envelope ticks must increase");
      }
    }
  }
}

// Each cell starts with a byte whose top bit marks the packed form and whose low
// five bits say which fields follow; a cell with all five fields is shorter
// written in full.
void PackCell(Out& out, const Cell& c) {
  std::uint8_t mask = 0;
  if (c.note) mask |= 0x01;
  if (c.instrument) mask |= 0x02;
  if (c.volume) mask |= 0x04;
  if (c.effect) mask |= 0x08;
  if (c.param) mask |= 0x10;
  if (mask == 0x1F) {
    for (std::uint8_t v : {c.note, c.instrument, c.volume, c.effect, c.param}) out.U8(v);
    return;
  }
  out.U8(0x80 | mask);
  if (c.note) out.U8(c.note);
  if (c.instrument) out.U8(c.instrument);
  if (c.volume) out.U8(c.volume);
  if (c.effect) out.U8(c.effect);
  if (c.param) out.U8(c.param);
}

void WritePattern(Out& out, const Pattern& p) {
  Out packed;
  for (const Cell& c : p.cells) PackCell(packed, c);
  out.U32(kPatternHeaderSize);
  out.U8(0);  // packing type
  out.U16(static_cast<std::uint16_t>(p.rows));
  out.U16(static_cast<std::uint16_t>(packed.bytes().size()));
  out.Append(packed.bytes());
}

// Sample data is stored as differences between neighbouring frames.
void WriteSampleData(Out& out, const Sample& s) {
  if (s.sixteenBit) {
    std::uint16_t previous = 0;
    for (std::int16_t v : s.data) {
      const auto current = static_cast<std::uint16_t>(v);
      out.U16(static_cast<std::uint16_t>(current - previous));
      previous = current;
    }
  } else {
    std::uint8_t previous = 0;
    for (std::int16_t v : s.data) {
      const auto current = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8);
      out.U8(static_cast<std::uint8_t>(current - previous));
      previous = current;
    }
  }
}

void WriteInstrument(Out& out, const Instrument& inst) {
  const Sample& s = inst.sample;
  const Envelope& env = inst.volumeEnvelope;
  const std::size_t start = out.bytes().size();
  out.U32(kInstrumentHeaderSize);
  out.Text(inst.name, 22);
  out.U8(0);   // type
  out.U16(1);  // one sample
  out.U32(kSampleHeaderSize);
  out.Zeros(96);  // every note plays sample 0
  for (std::size_t i = 0; i < kMaxEnvelopePoints; ++i) {
    const Envelope::Point p = i < env.points.size() ? env.points[i] : Envelope::Point{};
    out.U16(p.tick);
    out.U16(p.level);
  }
  out.Zeros(4 * kMaxEnvelopePoints);  // panning envelope
  out.U8(static_cast<std::uint8_t>(env.points.size()));
  out.U8(0);  // panning points
  out.U8(static_cast<std::uint8_t>(env.sustain < 0 ? 0 : env.sustain));
  out.U8(0);     // volume loop start
  out.U8(0);     // volume loop end
  out.Zeros(3);  // panning sustain and loop
  std::uint8_t volumeType = 0;
  if (!env.points.empty()) volumeType |= 0x01;
  if (!env.points.empty() && env.sustain >= 0) volumeType |= 0x02;
  out.U8(volumeType);
  out.U8(0);  // panning type
  out.U8(inst.vibratoType);
  out.U8(inst.vibratoSweep);
  out.U8(inst.vibratoDepth);
  out.U8(inst.vibratoRate);
  out.U16(inst.fadeout);
  out.Zeros(kInstrumentHeaderSize - (out.bytes().size() - start));  // reserved

  const std::uint32_t frameBytes = s.sixteenBit ? 2 : 1;
  const bool looped = s.loop != Loop::kNone;
  out.U32(static_cast<std::uint32_t>(s.data.size()) * frameBytes);
  out.U32(looped ? s.loopStart * frameBytes : 0);
  out.U32(looped ? s.loopLength * frameBytes : 0);
  out.U8(s.volume);
  out.U8(static_cast<std::uint8_t>(s.finetune));
  out.U8(static_cast<std::uint8_t>(static_cast<std::uint8_t>(s.loop) | (s.sixteenBit ? 0x10 : 0)));
  out.U8(s.panning);
  out.U8(static_cast<std::uint8_t>(s.relativeNote));
  out.U8(0);  // delta encoding
  out.Text(s.name, 22);
  WriteSampleData(out, s);
}

}  // namespace

std::vector<std::uint8_t> EncodeModule(const Module& m) {
  Check(m);
  Out out;
  out.Text("Extended Module: ", 17);
  out.Text(m.name, 20);
  out.U8(0x1A);
  out.Text("zq-assets", 20);
  out.U16(0x0104);
  out.U32(kHeaderSize);
  out.U16(static_cast<std::uint16_t>(m.orders.size()));
  out.U16(m.restart);
  out.U16(static_cast<std::uint16_t>(m.channels));
  out.U16(static_cast<std::uint16_t>(m.patterns.size()));
  out.U16(static_cast<std::uint16_t>(m.instruments.size()));
  out.U16(1);  // linear frequency table
  out.U16(static_cast<std::uint16_t>(m.speed));
  out.U16(static_cast<std::uint16_t>(m.bpm));
  for (std::size_t i = 0; i < 256; ++i) out.U8(i < m.orders.size() ? m.orders[i] : 0);
  for (const Pattern& p : m.patterns) WritePattern(out, p);
  for (const Instrument& inst : m.instruments) WriteInstrument(out, inst);
  return std::move(out.bytes());
}

}  // namespace assets::xm
