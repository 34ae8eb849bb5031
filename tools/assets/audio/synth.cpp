#include "tools/assets/audio/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets::synth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Decays and releases follow (1 - x)^2: quick at first, then a soft tail.
double Falling(double x) {
  const double left = 1.0 - std::clamp(x, 0.0, 1.0);
  return left * left;
}

double HeldLevel(const Adsr& env, double t) {
  if (t < env.attack) return t / env.attack;
  t -= env.attack;
  if (t < env.decay) return env.sustain + (1.0 - env.sustain) * Falling(t / env.decay);
  return env.sustain;
}

// Smooths the step of a square or saw wave across one sample (polyBLEP).
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

std::size_t SampleCount(double seconds, int rate) {
  return static_cast<std::size_t>(std::ceil(std::max(seconds, 0.0) * rate));
}

// Band-limited (polyBLEP) waveform value at phase 0..1 advancing by `step`
// cycles per sample.
double Oscillate(Wave wave, double phase, double step) {
  switch (wave) {
    case Wave::kSine:
      return std::sin(kTwoPi * phase);
    case Wave::kSquare: {
      const double half = phase + 0.5 - std::floor(phase + 0.5);
      return (phase < 0.5 ? 1.0 : -1.0) + Blep(phase, step) - Blep(half, step);
    }
    case Wave::kSaw:
      return 2.0 * phase - 1.0 - Blep(phase, step);
    case Wave::kTriangle: {
      // Starts at 0 rising, like the sine.
      const double shifted = phase + 0.25 - std::floor(phase + 0.25);
      return 1.0 - 4.0 * std::abs(shifted - 0.5);
    }
  }
  return 0.0;
}

}  // namespace

double AdsrLevel(const Adsr& env, double t, double held) {
  if (t < 0.0) return 0.0;
  if (t < held) return HeldLevel(env, t);
  if (env.release <= 0.0) return 0.0;
  return HeldLevel(env, held) * Falling((t - held) / env.release);
}

float Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
}

Signal Render(const Tone& tone, int rate) {
  const std::size_t count = SampleCount(tone.held + tone.env.release, rate);
  Signal out(count);
  const double ratio = tone.endHz / tone.startHz;
  double phase = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double sweep = tone.held > 0.0 ? std::min(t / tone.held, 1.0) : 1.0;
    double hz = tone.startHz * std::pow(ratio, sweep);
    if (tone.vibratoSemitones != 0.0) {
      hz *= std::exp2(tone.vibratoSemitones * std::sin(kTwoPi * tone.vibratoHz * t) / 12.0);
    }
    const double step = std::min(hz / rate, 0.5);
    out[i] = static_cast<float>(tone.gain * AdsrLevel(tone.env, t, tone.held) *
                                Oscillate(tone.wave, phase, step));
    phase += step;
    phase -= std::floor(phase);
  }
  return out;
}

Signal Render(const NoiseBurst& burst, int rate) {
  const std::size_t count = SampleCount(burst.held + burst.env.release, rate);
  Signal out(count);
  Noise noise(burst.seed);
  for (float& s : out) s = noise.Next();
  if (burst.highHz > 0.0) LowPass(out, burst.highHz, rate);
  if (burst.lowHz > 0.0) HighPass(out, burst.lowHz, rate);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    out[i] = static_cast<float>(out[i] * burst.gain * AdsrLevel(burst.env, t, burst.held));
  }
  return out;
}

void MixInto(Signal& dst, const Signal& src, double atSeconds, int rate, double gain) {
  const std::size_t start = SampleCount(atSeconds, rate);
  if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0f);
  for (std::size_t i = 0; i < src.size(); ++i) {
    dst[start + i] += static_cast<float>(gain * src[i]);
  }
}

void LowPass(Signal& signal, double cutoffHz, int rate) {
  const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / rate);
  double y = 0.0;
  for (float& s : signal) {
    y += a * (s - y);
    s = static_cast<float>(y);
  }
}

void HighPass(Signal& signal, double cutoffHz, int rate) {
  const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / rate);
  double low = 0.0;
  for (float& s : signal) {
    low += a * (s - low);
    s = static_cast<float>(s - low);
  }
}

void FadeEdges(Signal& signal, double fadeInSeconds, double fadeOutSeconds, int rate) {
  const std::size_t n = signal.size();
  const std::size_t in = std::min(SampleCount(fadeInSeconds, rate), n);
  const std::size_t out = std::min(SampleCount(fadeOutSeconds, rate), n);
  for (std::size_t i = 0; i < in; ++i) {
    signal[i] *= static_cast<float>(static_cast<double>(i) / in);
  }
  for (std::size_t i = 0; i < out; ++i) {
    signal[n - 1 - i] *= static_cast<float>(static_cast<double>(i) / out);
  }
}

void Normalize(Signal& signal, double peak) {
  float largest = 0.0f;
  for (float s : signal) largest = std::max(largest, std::abs(s));
  if (largest <= 0.0f) return;
  const double scale = peak / largest;
  for (float& s : signal) s = static_cast<float>(s * scale);
}

std::vector<std::int16_t> ToPcm16(const Signal& signal) {
  std::vector<std::int16_t> out(signal.size());
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double v = std::clamp(std::round(signal[i] * 32767.0), -32768.0, 32767.0);
    out[i] = static_cast<std::int16_t>(v);
  }
  return out;
}

double NoteHz(double semitonesFromA4) {
  return 440.0 * std::exp2(semitonesFromA4 / 12.0);
}

}  // namespace assets::synth
