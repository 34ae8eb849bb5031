// The start-up intro: green-blue particles spiral out from the centre while the
// backdrop grows from nothing and spirals into place. From 3.0 the timer falls
// by 0.013 a frame, so the intro lasts 231 frames: particles in the first 153,
// the backdrop at full size from frame 120.
#pragma once

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_scene.h"

namespace screens {

class Intro {
 public:
  // The particle system and its emitter (made again after each restart).
  void CreateParticles();
  void ResetFrames() { frames_ = 0; }

  void Start() {
    timer_ = 3.0L;
    spiralAngle_ = 0;
  }
  void Skip() { timer_ = -1.0L; }
  bool running() const { return timer_ > 0; }

  // One intro frame; true in the frame in which the intro ends.
  bool Step(MenuScene& scene);

  long double timer() const { return timer_; }
  int frames() const { return frames_; }

 private:
  engine::OwnedParticles particles_;
  engine::OwnedEmitter emitter_;
  long double timer_ = 0;
  long double spiralAngle_ = 0;
  int frames_ = 0;
};

}  // namespace screens
