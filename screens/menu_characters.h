// The menu scene's cast: the running hero, his four possible companions (one
// class, parameterised by its look) and the raven crossing the sky.
#pragma once

#include <array>
#include <cstdint>

#include "screens/menu_character.h"

namespace screens {

// Companion kinds as the hero numbers them.
enum CompanionKind : int {
  kNoCompanion = -1,
  kCangoroo = 0,
  kMouse = 1,
  kBlue = 2,
  kToothy = 3,
};
inline constexpr int kCompanionKinds = 4;

const CharacterLook& CompanionLook(int kind);
const CharacterLook& QuesterLook();
const CharacterLook& RavenLook();

// An enemy that walks with the hero between runs; it never turns by itself.
class TMenuCompanion : public MenuCharacter {
 public:
  explicit TMenuCompanion(int kind) : MenuCharacter(CompanionLook(kind)) {}

  // Off screen at x = 100, facing right, frame 1.
  void Create();
  // Placed at x facing `direction`, frame 1.
  void Start(long double x, Direction direction);
  void Update(std::uint32_t nowMs);
};

using Companions = std::array<TMenuCompanion, kCompanionKinds>;

// The hero running along the bottom: to the right chasing one companion, back
// to the left chased by two different ones.
class TMenuQuester : public MenuCharacter {
 public:
  TMenuQuester() : MenuCharacter(QuesterLook()) {}

  // Facing right, frame 1, and the first run starts.
  void Create(Companions& companions);
  // One frame of the hero himself; a run that ends starts the next one.
  void Update(std::uint32_t nowMs, Companions& companions);

  int firstCompanion() const { return first_; }
  int secondCompanion() const { return second_; }

 private:
  void StartRun(Companions& companions);

  int first_ = kNoCompanion;
  int second_ = kNoCompanion;
};

// The raven flying across the top, left or right at random each flight.
class TMenuRaven : public MenuCharacter {
 public:
  TMenuRaven() : MenuCharacter(RavenLook()) {}

  void Create();
  void Update(std::uint32_t nowMs);
  long double target() const { return target_; }

 private:
  void StartFlight(Direction direction);

  long double target_ = 0;
};

}  // namespace screens
