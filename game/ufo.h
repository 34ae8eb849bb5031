// The UFO that brings the hero in at the start of a level and after a lost
// life, with the flame under it while it comes down.
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"

namespace game {

class Ufo {
 public:
  // The flame's particle system and emitter (first loading step).
  void CreateFlame();
  // The ship's sprite (last loading step), on its kept draw layer.
  void CreateSprite(iHandle camera);
  void PlaceAt(long double newX, long double newY);
  // Where the descent puts it with `countdown` frames left: (-11, countdown / 8 - 6).
  void PlaceForCountdown(std::int32_t countdown);
  // One frame of the descent: the ship placed for the countdown, the flame's
  // gravity following it and ten flame particles under it.
  void DescentStep(std::int32_t countdown);
  void SetLayer(int layer);
  void Show() const;
  void Hide() const;

  long double x = -11;
  long double y = 0;
  engine::OwnedSprite sprite;
  engine::OwnedTexture texture;  // the ship's picture
  engine::OwnedParticles flame;
  engine::OwnedEmitter flameEmitter;
  std::array<float, 3> flameGravity{0, 3, 8};
  int layer = 0;  // kept so that an engine restart puts it back on its layer
};

}  // namespace game
