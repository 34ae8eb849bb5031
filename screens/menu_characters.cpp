#include "screens/menu_characters.h"

#include "platform/random.h"

namespace screens {
namespace {

constexpr CharacterLook kCompanionLooks[kCompanionKinds] = {
    {"data\\Cangoroo.dat", 6, 3.2f, -10.7L, 0.12L, 100, 1000569},
    {"data\\Mouse.dat", 4, 3.2f, -10.8L, 0.12L, 100, 1000669},
    {"data\\Blue.dat", 5, 3.2f, -11.1L, 0.12L, 100, 1000769},
    {"data\\Toothy.dat", 4, 2.5f, -11.0L, 0.12L, 100, 1000869},
};
constexpr CharacterLook kQuesterLook = {"data\\Cosmonaut.dat", 8, 3.2f, -10.9L, 0.12L, 80, 1001069};
constexpr CharacterLook kRavenLook = {"data\\Raven.dat", 6, 3.2f, 9.0L, 0.1L, 50, 1001320};

// The hero turns only beyond these, so every run ends off screen.
constexpr long double kRightTurn = 32;
constexpr long double kLeftTurn = -41;

}  // namespace

const CharacterLook& CompanionLook(int kind) {
  return kCompanionLooks[kind];
}
const CharacterLook& QuesterLook() {
  return kQuesterLook;
}
const CharacterLook& RavenLook() {
  return kRavenLook;
}

// --- Companions ---

void TMenuCompanion::Create() {
  CreateSprite();
  y_ = look_.y;
  Start(100, kRight);
}

void TMenuCompanion::Start(long double x, Direction direction) {
  x_ = x;
  Place();
  Turn(direction);
}

void TMenuCompanion::Update(std::uint32_t nowMs) {
  Walk();
  Place();
  Animate(nowMs);
}

// --- Hero ---

void TMenuQuester::Create(Companions& companions) {
  CreateSprite();
  y_ = look_.y;
  Turn(kRight);
  StartRun(companions);
}

void TMenuQuester::StartRun(Companions& companions) {
  using platform::random;
  if (direction_ == kRight) {
    first_ = random(kCompanionKinds);
    second_ = kNoCompanion;
    x_ = -28 - random(15) / 10.0L;
    y_ = look_.y;
    Place();
    companions[static_cast<std::size_t>(first_)].Start(x_ + 5, kRight);
  } else {
    first_ = random(kCompanionKinds);
    do {
      second_ = random(kCompanionKinds);
    } while (second_ == first_);
    x_ = 23 + random(15) / 10.0L;
    Place();
    companions[static_cast<std::size_t>(first_)].Start(x_ + 5, kLeft);
    companions[static_cast<std::size_t>(second_)].Start(x_ + 8, kLeft);
  }
}

void TMenuQuester::Update(std::uint32_t nowMs, Companions& companions) {
  Walk();
  Place();
  if (!Animate(nowMs)) return;
  if (direction_ == kRight && x_ > kRightTurn) {
    Turn(kLeft);
    StartRun(companions);
  } else if (direction_ == kLeft && x_ < kLeftTurn) {
    Turn(kRight);
    StartRun(companions);
  }
}

// --- Raven ---

void TMenuRaven::Create() {
  CreateSprite();
  direction_ = kLeft;
  frame_ = 1;
  StartFlight(platform::random(2) == 0 ? kLeft : kRight);
}

void TMenuRaven::StartFlight(Direction direction) {
  using platform::random;
  Turn(direction);
  y_ = 9 + random(20) / 10.0L;
  if (direction == kLeft) {
    x_ = 18 + random(3);
    target_ = -18 - random(3);
  } else {
    x_ = -18 - random(3);
    target_ = 18 + random(3);
  }
  Place();
}

void TMenuRaven::Update(std::uint32_t nowMs) {
  Walk();
  Animate(nowMs);
  Place();
  if ((direction_ == kLeft && x_ < target_) || (direction_ == kRight && x_ > target_)) {
    StartFlight(platform::random(2) == 0 ? kLeft : kRight);
  }
}

}  // namespace screens
