#include "tools/assets/audio/instruments.h"

#include <cmath>
#include <numbers>
#include <span>

#include "tools/assets/audio/synth.h"

namespace assets::music {
namespace {

using synth::Adsr;
using synth::NoiseBurst;
using synth::Signal;
using synth::Tone;
using synth::Wave;

// One cycle built from harmonic amplitudes (harmonic k at index k-1): looped
// whole, it is seamless and band-limited.
Signal Cycle(std::span<const double> harmonics) {
  Signal cycle(kCycleFrames);
  for (int i = 0; i < kCycleFrames; ++i) {
    double v = 0.0;
    for (std::size_t k = 0; k < harmonics.size(); ++k) {
      v += harmonics[k] *
           std::sin(2.0 * std::numbers::pi * static_cast<double>((k + 1) * i) / kCycleFrames);
    }
    cycle[static_cast<std::size_t>(i)] = static_cast<float>(v);
  }
  return cycle;
}

xm::Sample ToSample(const char* name, Signal signal, double peak, bool looped) {
  synth::Normalize(signal, peak);
  if (!looped) synth::FadeEdges(signal, 0.0, 0.005, kNativeRate);
  xm::Sample s;
  s.name = name;
  s.data = synth::ToPcm16(signal);
  s.relativeNote = 24;
  if (looped) {
    s.loop = xm::Loop::kForward;
    s.loopStart = 0;
    s.loopLength = static_cast<std::uint32_t>(s.data.size());
  }
  return s;
}

xm::Instrument Lead() {
  // A soft square: odd harmonics falling faster than a true square, a touch of
  // the second for warmth.
  const double harmonics[] = {1.0, 0.12, 0.3, 0.0, 0.14, 0.0, 0.07, 0.0, 0.035, 0.0, 0.015};
  xm::Instrument inst;
  inst.name = "lead";
  inst.sample = ToSample("soft square", Cycle(harmonics), 0.8, true);
  inst.sample.volume = 56;
  inst.volumeEnvelope = {{{0, 0}, {2, 64}, {12, 44}, {40, 0}}, 2};
  inst.fadeout = 1024;
  inst.vibratoSweep = 24;
  inst.vibratoDepth = 3;
  inst.vibratoRate = 10;
  return inst;
}

xm::Instrument Pluck() {
  std::vector<double> harmonics;
  for (int k = 1; k <= 12; ++k) harmonics.push_back(1.0 / (k * (1.0 + 0.15 * k)));
  xm::Instrument inst;
  inst.name = "pluck";
  inst.sample = ToSample("bright saw", Cycle(harmonics), 0.8, true);
  inst.sample.volume = 34;
  inst.volumeEnvelope = {{{0, 0}, {1, 64}, {6, 34}, {18, 14}, {48, 0}}, -1};
  return inst;
}

xm::Instrument Bass() {
  const double harmonics[] = {1.0, 0.55, 0.3, 0.14, 0.08, 0.04};
  xm::Instrument inst;
  inst.name = "bass";
  inst.sample = ToSample("round bass", Cycle(harmonics), 0.85, true);
  inst.sample.volume = 56;
  inst.volumeEnvelope = {{{0, 0}, {1, 64}, {8, 46}, {20, 0}}, 2};
  inst.fadeout = 2048;
  return inst;
}

xm::Instrument Kick() {
  Tone body{Wave::kSine, 150, 42, 0.12, {0.001, 0.12, 0.3, 0.18}};
  Signal s = synth::Render(body, kNativeRate);
  NoiseBurst click{101, 0.003, {0.0005, 0.0, 1.0, 0.01}, 500, 6000, 0.3};
  synth::MixInto(s, synth::Render(click, kNativeRate), 0.0, kNativeRate);
  xm::Instrument inst;
  inst.name = "kick";
  inst.sample = ToSample("kick", s, 0.9, false);
  inst.sample.volume = 54;
  return inst;
}

xm::Instrument Snare() {
  NoiseBurst rattle{202, 0.03, {0.001, 0.08, 0.35, 0.16}, 900, 9000, 1.0};
  Signal s = synth::Render(rattle, kNativeRate);
  Tone head{Wave::kTriangle, 240, 170, 0.03, {0.001, 0.03, 0.3, 0.06}, 0, 0, 0.8};
  synth::MixInto(s, synth::Render(head, kNativeRate), 0.0, kNativeRate);
  xm::Instrument inst;
  inst.name = "snare";
  inst.sample = ToSample("snare", s, 0.85, false);
  inst.sample.volume = 60;
  return inst;
}

xm::Instrument HiHat() {
  NoiseBurst tick{303, 0.005, {0.0005, 0.02, 0.2, 0.04}, 7000, 0, 1.0};
  Signal s = synth::Render(tick, kNativeRate);
  synth::HighPass(s, 6000, kNativeRate);
  xm::Instrument inst;
  inst.name = "hi-hat";
  inst.sample = ToSample("hi-hat", s, 0.8, false);
  inst.sample.volume = 28;
  return inst;
}

}  // namespace

std::vector<xm::Instrument> MakeInstruments() {
  return {Lead(), Pluck(), Bass(), Kick(), Snare(), HiHat()};
}

}  // namespace assets::music
