// A small sound synthesiser: oscillators, envelopes, noise and filters on float
// signals in -1..1. Everything is computed from the arguments alone (our own
// noise generator, no clocks), so the same call gives the same samples.
#pragma once

#include <cstdint>
#include <vector>

namespace assets::synth {

using Signal = std::vector<float>;

enum class Wave { kSine, kSquare, kSaw, kTriangle };

// Attack, decay and release in seconds; sustain as a level 0..1. The release
// starts at the end of the note's held time.
struct Adsr {
  double attack = 0.005;
  double decay = 0.0;
  double sustain = 1.0;
  double release = 0.01;
};

// Envelope level at time t of a note held for `held` seconds.
double AdsrLevel(const Adsr& env, double t, double held);

// xorshift32: white noise in -1..1, the same sequence for the same seed.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
  float Next();

 private:
  std::uint32_t state_;
};

// One oscillator voice. The pitch glides from startHz to endHz over the held
// time (exponentially, so the sweep sounds even), with optional vibrato.
struct Tone {
  Wave wave = Wave::kSine;
  double startHz = 440.0;
  double endHz = 440.0;
  double held = 0.1;  // seconds before the release starts
  Adsr env;
  double vibratoHz = 0.0;
  double vibratoSemitones = 0.0;
  double gain = 1.0;
};

// The tone's samples at `rate`, including its release tail.
Signal Render(const Tone& tone, int rate);

// Noise through a band-pass made of one-pole low- and high-pass filters;
// lowHz or highHz of 0 leave that side open.
struct NoiseBurst {
  std::uint32_t seed = 1;
  double held = 0.05;
  Adsr env;
  double lowHz = 0.0;   // high-pass corner
  double highHz = 0.0;  // low-pass corner
  double gain = 1.0;
};
Signal Render(const NoiseBurst& burst, int rate);

// Adds src into dst starting at `atSeconds`, growing dst as needed.
void MixInto(Signal& dst, const Signal& src, double atSeconds, int rate, double gain = 1.0);

void LowPass(Signal& signal, double cutoffHz, int rate);
void HighPass(Signal& signal, double cutoffHz, int rate);

// Linear ramps over the first and last seconds so the sound starts and ends at 0.
void FadeEdges(Signal& signal, double fadeInSeconds, double fadeOutSeconds, int rate);

// Scales so the largest magnitude equals `peak` (a silent signal stays silent).
void Normalize(Signal& signal, double peak);

// Rounds to 16-bit samples, clamping to the 16-bit range.
std::vector<std::int16_t> ToPcm16(const Signal& signal);

// Frequency of a note given in semitones from A4 (440 Hz).
double NoteHz(double semitonesFromA4);

}  // namespace assets::synth
