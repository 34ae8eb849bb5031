// TBonusEmitter: the ring of twelve small pictures that flies apart, spinning
// and fading, where a bonus is taken or a balloon pops.
#pragma once

#include <array>

#include "engine/owned.h"
#include "engine/types.h"

namespace game {

class TBonusEmitter {
 public:
  TBonusEmitter() = default;
  ~TBonusEmitter();
  TBonusEmitter(const TBonusEmitter&) = delete;
  TBonusEmitter& operator=(const TBonusEmitter&) = delete;

  // Makes the twelve sprites (again after an engine restart) with a texture; a
  // ring that was showing is shown again where it was.
  void CreateBurstSprites(iHandle camera, iHandle texture);
  // Restarts the ring at (x, y): life 3, opaque, radius 0, shown.
  void StartBurst(long double x, long double y);
  // One frame: the ring grows, spins and fades.
  void StepBurst();
  void HideBurst();

  std::array<engine::OwnedSprite, 12> sprites;
  long double life = 0;
  long double alpha = 0;
  long double angle = 0;
  long double radius = 0;
  long double centreX = 0;
  long double centreY = 0;
  bool shown = false;  // started and not hidden since

 private:
  // Every sprite at its place on the ring, turned and faded as the ring is now.
  void PlaceSprites() const;
};

}  // namespace game
