#include "tools/assets/audio/sound_effects.h"

#include "tools/assets/audio/synth.h"

namespace assets {
namespace {

using synth::Adsr;
using synth::NoiseBurst;
using synth::Signal;
using synth::Tone;
using synth::Wave;

constexpr int kRate = kEffectRate;

// Pitches in semitones from A4.
constexpr double kC4 = -9, kE4 = -5, kF4 = -4, kFs4 = -3, kG4 = -2;
constexpr double kB5 = 14, kC5 = 3, kE5 = 7, kG5 = 10, kC6 = 15, kE6 = 19, kG6 = 22, kB6 = 26,
                 kE7 = 31;

double Hz(double semitones) {
  return synth::NoteHz(semitones);
}

Signal Play(const Tone& tone) {
  return synth::Render(tone, kRate);
}
Signal Play(const NoiseBurst& burst) {
  return synth::Render(burst, kRate);
}

void Mix(Signal& dst, const Signal& src, double at, double gain = 1.0) {
  synth::MixInto(dst, src, at, kRate, gain);
}

// A plucked note: fast attack, decays to a quieter sustain, short release.
Tone Pluck(Wave wave, double semitones, double held, double gain = 1.0) {
  Tone t;
  t.wave = wave;
  t.startHz = t.endHz = Hz(semitones);
  t.held = held;
  t.env = {0.004, held * 0.6, 0.55, 0.06};
  t.gain = gain;
  return t;
}

Signal MenuTick() {
  Tone click{Wave::kTriangle, 1600, 1100, 0.02, {0.002, 0.02, 0.0, 0.03}};
  Tone shine{Wave::kSine, 3200, 2800, 0.015, {0.001, 0.015, 0.0, 0.02}};
  Signal s = Play(click);
  Mix(s, Play(shine), 0.0, 0.25);
  return s;
}

Signal LevelComplete() {
  Signal s;
  const double run[] = {kC5, kE5, kG5, kC6};
  for (int i = 0; i < 4; ++i) {
    Mix(s, Play(Pluck(Wave::kSquare, run[i], 0.09)), 0.1 * i, 0.35);
    Mix(s, Play(Pluck(Wave::kTriangle, run[i] - 12, 0.09)), 0.1 * i, 0.5);
  }
  for (double note : {kC6, kE6, kG6}) {
    Tone held = Pluck(Wave::kSquare, note, 0.55, 0.22);
    held.env = {0.01, 0.25, 0.6, 0.35};
    held.vibratoHz = 6.0;
    held.vibratoSemitones = 0.15;
    Mix(s, Play(held), 0.42);
  }
  Tone bass = Pluck(Wave::kTriangle, kC4, 0.55, 0.6);
  bass.env.release = 0.35;
  Mix(s, Play(bass), 0.42);
  synth::LowPass(s, 6000, kRate);
  return s;
}

Signal GameOver() {
  Signal s;
  const double fall[] = {kG4, kFs4, kF4, kE4};
  for (int i = 0; i < 4; ++i) {
    const bool last = i == 3;
    Tone t{Wave::kSaw,
           Hz(fall[i] + 0.3),
           Hz(fall[i]),
           last ? 0.9 : 0.26,
           {0.02, 0.15, 0.7, last ? 0.5 : 0.08}};
    if (last) {
      t.vibratoHz = 5.0;
      t.vibratoSemitones = 0.35;
    }
    Mix(s, Play(t), 0.32 * i, 0.5);
    Tone under = t;
    under.wave = Wave::kTriangle;
    under.startHz /= 2;
    under.endHz /= 2;
    Mix(s, Play(under), 0.32 * i, 0.5);
  }
  synth::LowPass(s, 1400, kRate);
  return s;
}

Signal UfoLanding() {
  Signal s;
  Tone warble{Wave::kSine, 900, 260, 1.6, {0.2, 0.0, 1.0, 0.2}, 7.0, 2.0, 0.7};
  Mix(s, Play(warble), 0.0);
  Tone edge = warble;
  edge.wave = Wave::kSquare;
  edge.startHz *= 1.5;
  edge.endHz *= 1.5;
  edge.gain = 0.12;
  Signal edgeSignal = Play(edge);
  synth::LowPass(edgeSignal, 1800, kRate);
  Mix(s, edgeSignal, 0.0);
  NoiseBurst hum{7, 1.7, {0.3, 0.0, 1.0, 0.2}, 40, 350, 0.5};
  Mix(s, Play(hum), 0.0);
  Tone touchdown{Wave::kSine, 110, 40, 0.04, {0.003, 0.04, 0.2, 0.2}, 0, 0, 1.0};
  Mix(s, Play(touchdown), 1.7);
  NoiseBurst dust{8, 0.02, {0.002, 0.0, 1.0, 0.15}, 60, 600, 0.6};
  Mix(s, Play(dust), 1.7);
  return s;
}

Signal OutOfTime() {
  Signal s;
  for (int i = 0; i < 2; ++i) {
    Tone beep{Wave::kSquare, Hz(kE6), Hz(kE6), 0.08, {0.003, 0.0, 1.0, 0.015}};
    Mix(s, Play(beep), 0.13 * i, 0.5);
    Tone low = beep;
    low.startHz = low.endHz = Hz(kE5);
    Mix(s, Play(low), 0.13 * i, 0.3);
  }
  synth::LowPass(s, 7000, kRate);
  return s;
}

Signal Footstep() {
  NoiseBurst scuff{11, 0.012, {0.002, 0.0, 1.0, 0.05}, 80, 700, 1.0};
  Signal s = Play(scuff);
  synth::LowPass(s, 900, kRate);
  Tone thump{Wave::kSine, 120, 70, 0.01, {0.002, 0.0, 1.0, 0.05}};
  Mix(s, Play(thump), 0.0, 0.5);
  return s;
}

Signal Jump() {
  Tone boing{Wave::kSquare, 260, 780, 0.14, {0.003, 0.1, 0.6, 0.06}, 0, 0, 0.5};
  Signal s = Play(boing);
  Tone body = boing;
  body.wave = Wave::kTriangle;
  body.startHz /= 2;
  body.endHz /= 2;
  body.gain = 0.6;
  Mix(s, Play(body), 0.0);
  synth::LowPass(s, 4000, kRate);
  return s;
}

Signal Die() {
  Tone fall{Wave::kSquare, 880, 110, 0.9, {0.005, 0.0, 1.0, 0.15}, 9.0, 0.8, 0.45};
  Signal s = Play(fall);
  Tone body = fall;
  body.wave = Wave::kTriangle;
  body.gain = 0.6;
  Mix(s, Play(body), 0.0);
  synth::LowPass(s, 3000, kRate);
  return s;
}

Signal Coin() {
  Signal s = Play(Tone{Wave::kSquare, Hz(kB5), Hz(kB5), 0.06, {0.002, 0.0, 1.0, 0.005}});
  Tone second{Wave::kSquare, Hz(kE6), Hz(kE6), 0.08, {0.002, 0.05, 0.7, 0.25}};
  Mix(s, Play(second), 0.065);
  synth::LowPass(s, 8000, kRate);
  return s;
}

// A struck metal bar: inharmonic partials, the higher ones dying sooner.
Signal Bell(double semitones, double length) {
  Signal s;
  const struct {
    double ratio, gain, decay;
  } partials[] = {{1.0, 1.0, 1.0}, {2.76, 0.5, 0.55}, {5.4, 0.25, 0.3}, {8.93, 0.12, 0.18}};
  for (const auto& p : partials) {
    const double hz = Hz(semitones) * p.ratio;
    Tone t{Wave::kSine, hz, hz, 0.001, {0.001, 0.0, 1.0, length * p.decay}, 0, 0, p.gain};
    Mix(s, Play(t), 0.0);
  }
  return s;
}

Signal FreezeChime() {
  Signal s;
  const double notes[] = {kE6, kB6, kE7, kG6};
  for (int i = 0; i < 4; ++i) Mix(s, Bell(notes[i], 1.0), 0.09 * i, 0.5);
  NoiseBurst frost{21, 0.5, {0.25, 0.0, 1.0, 0.4}, 5000, 0, 0.12};
  Mix(s, Play(frost), 0.0);
  return s;
}

Signal Gulp() {
  Signal s;
  for (int i = 0; i < 3; ++i) {
    Tone glug{Wave::kSine, 330.0 - 25.0 * i, 110, 0.07, {0.005, 0.0, 1.0, 0.07}, 0, 0, 0.9};
    Mix(s, Play(glug), 0.22 * i);
    Tone bubble{Wave::kTriangle, 220, 520, 0.035, {0.003, 0.0, 1.0, 0.03}, 0, 0, 0.25};
    Mix(s, Play(bubble), 0.22 * i + 0.1);
  }
  NoiseBurst gurgle{31, 0.55, {0.05, 0.0, 1.0, 0.08}, 60, 300, 0.15};
  Mix(s, Play(gurgle), 0.0);
  return s;
}

Signal BalloonPop() {
  NoiseBurst snap{41, 0.005, {0.0005, 0.0, 1.0, 0.08}, 300, 8000, 1.0};
  Signal s = Play(snap);
  Tone body{Wave::kSine, 180, 60, 0.01, {0.001, 0.0, 1.0, 0.06}, 0, 0, 0.4};
  Mix(s, Play(body), 0.0);
  return s;
}

Signal Chomp() {
  Signal s;
  for (int i = 0; i < 2; ++i) {
    NoiseBurst crunch{51u + i, 0.02, {0.002, 0.0, 1.0, 0.07}, 400, 3000, 1.0};
    Mix(s, Play(crunch), 0.16 * i);
    Tone jaw{Wave::kSquare, 140, 70, 0.02, {0.002, 0.0, 1.0, 0.05}, 0, 0, 0.3};
    Signal jawSignal = Play(jaw);
    synth::LowPass(jawSignal, 1200, kRate);
    Mix(s, jawSignal, 0.16 * i);
  }
  return s;
}

Signal KnockDown() {
  Tone bonk{Wave::kSquare, 700, 140, 0.18, {0.002, 0.1, 0.5, 0.1}, 0, 0, 0.45};
  Signal s = Play(bonk);
  synth::LowPass(s, 2500, kRate);
  NoiseBurst hit{61, 0.01, {0.001, 0.0, 1.0, 0.04}, 1000, 6000, 0.6};
  Mix(s, Play(hit), 0.0);
  Tone thump{Wave::kSine, 160, 60, 0.03, {0.002, 0.0, 1.0, 0.12}, 0, 0, 0.7};
  Mix(s, Play(thump), 0.0);
  return s;
}

Signal Thud() {
  Tone drop{Wave::kSine, 130, 45, 0.03, {0.002, 0.03, 0.5, 0.2}};
  Signal s = Play(drop);
  NoiseBurst dust{71, 0.01, {0.001, 0.0, 1.0, 0.06}, 40, 400, 0.8};
  Mix(s, Play(dust), 0.0);
  return s;
}

struct Recipe {
  const char* fileName;
  Signal (*make)();
  double peak;  // loudness relative to full scale
};

constexpr Recipe kRecipes[] = {
    {"mainmenuchg.WAV", MenuTick, 0.6}, {"level_complete.wav", LevelComplete, 0.85},
    {"game_over.wav", GameOver, 0.85},  {"UFO.wav", UfoLanding, 0.8},
    {"out_time.wav", OutOfTime, 0.75},  {"step.wav", Footstep, 0.45},
    {"hero_jump.wav", Jump, 0.7},       {"die.wav", Die, 0.8},
    {"money.wav", Coin, 0.7},           {"allstop.wav", FreezeChime, 0.8},
    {"drinking.wav", Gulp, 0.8},        {"baloon.wav", BalloonPop, 0.85},
    {"eating.wav", Chomp, 0.8},         {"enemy_die.wav", KnockDown, 0.85},
    {"diam_down.wav", Thud, 0.8},
};

}  // namespace

std::vector<SoundEffect> MakeSoundEffects() {
  std::vector<SoundEffect> effects;
  for (const Recipe& recipe : kRecipes) {
    Signal s = recipe.make();
    synth::FadeEdges(s, 0.003, 0.01, kRate);
    synth::Normalize(s, recipe.peak);
    effects.push_back({recipe.fileName, synth::ToPcm16(s)});
  }
  return effects;
}

}  // namespace assets
