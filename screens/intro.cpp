#include "screens/intro.h"

#include <cmath>

#include "engine/engine.h"
#include "game/timer_steps.h"

namespace screens {
using game::kTimerStep;

namespace {

constexpr long double kSpiralStep = 0.15L;
constexpr int kGrowFrames = 120;

}  // namespace

void Intro::CreateParticles() {
  particles_ = engine::OwnedParticles(iParticleCreate("data\\particle_clot.dds", 2000));
  iParticleRenderModeSet(particles_, 3);
  iParticleGravitySet(particles_, {0, 0, 0});
  iParticleAirResistanceSet(particles_, -10);
  iParticleColorSet(particles_, {0, 0.5f, 0}, {0, 0, 0.5f});
  iParticleLifeTimeSet(particles_, 3.5f);
  emitter_ = engine::OwnedEmitter(iParticleEmitterCreate(particles_));
  iParticleEmitterLocationSet(emitter_, {0, -3, 0});
  iParticleEmitterDirectionSet(emitter_, {0, 0, 0}, {0, 0, 0});
  iParticleEmitterSpeedSet(emitter_, 1, 1);
  iParticleEmitterScaleSet(emitter_, {6, 6}, {6, 6});
  iParticleRenderModeSet(particles_, 1);
  iParticleShow(particles_);
}

bool Intro::Step(MenuScene& scene) {
  timer_ -= kTimerStep;
  if (timer_ > 1) {
    const long double a = spiralAngle_;
    iParticleEmitterLocationSet(emitter_, {static_cast<float>(std::cos(a) * a * 0.34375L),
                                           static_cast<float>(std::sin(a) * a * 0.34375L), 0});
    iParticleEmitterEmit(emitter_, 100, 1);
    spiralAngle_ += kSpiralStep;
    if (frames_ < kGrowFrames) {
      ++frames_;
      const long double b = spiralAngle_;
      scene.SetBackdrop(
          {static_cast<float>(frames_ * 0.1L), static_cast<float>(frames_ * 0.075L)},
          {static_cast<float>(std::cos(b) * b * 0.5L), static_cast<float>(std::sin(b) * b * 0.5L)});
    }
  }
  if (frames_ == kGrowFrames) {
    scene.SetBackdrop({20, 15}, {0, 0});
    scene.ShowSunAndCloud();
  }
  return timer_ < 0;
}

}  // namespace screens
