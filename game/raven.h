// TRaven: flies across the top of the screen carrying one special bonus at a
// time in a parcel, drops it, and the bonus comes into play standing on the
// platform the parcel lands on.
#pragma once

#include <cstdint>

#include "engine/types.h"

namespace game {

struct GameContext;

class TRaven {
 public:
  explicit TRaven(GameContext& game);
  ~TRaven();
  TRaven(const TRaven&) = delete;
  TRaven& operator=(const TRaven&) = delete;

  // Engine objects and the first waiting state (BuildLevel).
  void SetUp();
  // A new crossing with a bonus to deliver, when none is in play.
  void NewRun();
  // One frame of flight, drop and parcel fall.
  void FlyStep();
  // After an engine restart: engine objects again, state kept.
  void Reload();
  // Both sprites (raven and parcel).
  void Show() const;
  void Hide() const;

  // Whether it carries a bonus on the current run (else TGame calls NewRun).
  bool Carrying() const { return carrying_; }

  long double delay = 0;  // frames to wait, counted down by TGame while > 0

 private:
  GameContext& game_;
  bool carrying_ = false;
};

}  // namespace game
