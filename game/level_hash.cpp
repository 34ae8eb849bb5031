#include "game/level_hash.h"

#include <bit>
#include <cstring>

#include "game/balloon.h"
#include "game/bonus.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/hero.h"
#include "game/raven.h"
#include "platform/random.h"

namespace game {
namespace {

// FNV-1a over the values as 64-bit words.
class Digest {
 public:
  void Add(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      hash_ ^= (value >> (8 * i)) & 0xFF;
      hash_ *= 0x100000001B3ULL;
    }
  }
  // Positions and timers as doubles: the digest must not read the padding of
  // an 80-bit long double.
  void Add(long double value) { Add(std::bit_cast<std::uint64_t>(static_cast<double>(value))); }
  void Add(bool value) { Add(static_cast<std::uint64_t>(value ? 1 : 0)); }
  void Add(std::int32_t value) {
    Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(value)));
  }
  void Add(std::uint8_t value) { Add(static_cast<std::uint64_t>(value)); }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

void AddState(Digest& d, const LevelState& s) {
  for (bool flag : {s.entryPhase, s.walkingOut, s.respawnRequested, s.gameOverPhase,
                    s.timeOverPhase, s.levelCompletePhase}) {
    d.Add(flag);
  }
  d.Add(s.ufoCountdown);
  d.Add(s.walkOutCountdown);
  for (long double timer :
       {s.gameOverTimer, s.timeLeft, s.timeTotal, s.timeOverTimer, s.levelCompleteTimer,
        s.freezeTimer, s.clockStopTimer, s.heroTintTimer}) {
    d.Add(timer);
  }
}

void AddHero(Digest& d, const THero& hero) {
  d.Add(hero.x);
  d.Add(hero.y);
  d.Add(hero.direction);
  d.Add(hero.frame);
  d.Add(hero.jumpStep);
  for (bool flag : {hero.running, hero.falling, hero.rising, hero.dying, hero.takeOff, hero.landing,
                    hero.joy}) {
    d.Add(flag);
  }
}

}  // namespace

std::uint64_t LevelHash(const TGame& game) {
  Digest d;
  d.Add(game.GetScore());
  d.Add(game.GetLevel());
  d.Add(game.GetLives());
  d.Add(platform::CurrentRandomPosition().draws);
  AddState(d, game.state());
  if (const THero* hero = game.hero()) AddHero(d, *hero);
  const LevelObjects& objects = game.objects();
  for (const auto& enemy : objects.enemies) {
    d.Add(enemy->x);
    d.Add(enemy->y);
    d.Add(enemy->frame);
    d.Add(enemy->direction);
    for (bool flag : {enemy->jumping, enemy->crouching, enemy->landing, enemy->eating,
                      enemy->knockedDown, enemy->lying, enemy->goingDown}) {
      d.Add(flag);
    }
  }
  for (const auto& bonus : objects.bonuses) {
    d.Add(bonus->x);
    d.Add(bonus->y);
    d.Add(bonus->taken);
  }
  for (const auto& balloon : objects.balloons) {
    d.Add(balloon->x);
    d.Add(balloon->y);
    d.Add(balloon->taken);
  }
  for (const auto& raven : objects.ravens) {
    d.Add(raven->x);
    d.Add(raven->y);
    d.Add(raven->delay);
  }
  return d.value();
}

}  // namespace game
