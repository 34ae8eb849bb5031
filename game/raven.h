// TRaven: flies across the top of the screen carrying one special bonus at a
// time in a parcel, drops it, and the bonus comes into play standing on the
// first platform the parcel lands on. It fetches a bonus only while none of the
// special bonuses is in play.
//
// TGame drives it every frame: while delay > 0 it counts the delay down,
// otherwise it calls NewRun when the raven carries nothing (idle) and FlyStep
// when it does.
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"

namespace game {

struct GameContext;

class TRaven {
 public:
  explicit TRaven(GameContext& game);
  ~TRaven();
  TRaven(const TRaven&) = delete;
  TRaven& operator=(const TRaven&) = delete;

  // Engine objects, the first pictures, then the first run (BuildLevel).
  void SetUp();
  // A new crossing: direction, start, end and drop points, height, and the
  // bonus to carry when none is in play (else the run is idle).
  void NewRun();
  // One frame of flight, drop and parcel fall.
  void FlyStep();
  // After an engine restart: engine objects again, state kept.
  void Reload();
  // The raven's sprite; the parcel's shows again with the next run.
  void Show() const;
  // Both sprites (raven and parcel).
  void Hide() const;
  // Raven sprite at (x, y), parcel sprite at (parcelX, parcelY).
  void PlaceSprites() const;

  // Whether it carries a bonus on the current run (else TGame calls NewRun).
  bool Carrying() const { return !idle; }

  engine::OwnedSprite sprite;
  std::array<std::array<engine::OwnedTexture, 7>, 2> ravenPictures;  // [direction][1..6]
  engine::OwnedSprite parcelSprite;
  std::array<engine::OwnedTexture, 8> parcelPictures;  // 1..7
  std::uint8_t direction = 0;                          // 1 flies right, 0 flies left
  std::uint32_t lastStepTime = 0;
  std::uint32_t parcelStepTime = 0;
  long double x = 0;
  long double y = 0;
  long double parcelX = 0;
  long double parcelY = 0;
  std::int32_t frame = 1;
  std::int32_t parcelFrame = 1;
  long double endX = 0;   // beyond this x the run is over
  long double dropX = 0;  // passing this x drops the parcel
  bool done = false;      // the parcel has landed or is lost
  bool dropped = false;   // the parcel is falling
  bool idle = false;      // no bonus carried on this run
  std::int32_t bonusIndex = 0;
  // Countdown before the flight starts, lowered by TGame while > 0; -1 when idle.
  long double delay = 0;

 private:
  void CreateEngineObjects();
  void ShowRavenPicture() const;
  void ShowParcelPicture() const;
  bool Past(long double mark) const { return direction == 1 ? x > mark : x < mark; }
  // The special bonus the next run carries, or -1 when one is in play or the
  // chosen kind is not in the list.
  int ChooseBonus() const;
  void FallParcel();

  GameContext& game_;
};

}  // namespace game
