// TEnemy's paths: the jump towards the hero's side, planned at a platform edge,
// and the hop in place onto a diamond.
#include <cmath>

#include "game/enemy.h"
#include "game/game_context.h"
#include "game/hero.h"
#include "game/level_platform.h"

namespace game {
namespace {

constexpr long double kPathRise = 0.2L;

// The platform the enemy jumps to: the first, in list order, that lies wholly
// ahead, overlaps the look-ahead box and is on the hero's side both ways. -1
// when there is none.
int FindTarget(const LevelObjects& objects, const THero& hero, long double x, long double y,
               std::uint8_t direction) {
  const RectBox lookAhead{static_cast<double>(y + 6), static_cast<double>(x - 8),
                          static_cast<double>(y - 7), static_cast<double>(x + 8)};
  for (std::size_t i = 0; i < objects.platforms.size(); ++i) {
    const TPlatform& p = *objects.platforms[i];
    const bool ahead = direction == 0 ? x > p.x + p.halfWidth + 0.5L : x < p.x - p.halfWidth - 0.5L;
    if (!ahead || !RectsOverlap(p.Box(), lookAhead)) continue;
    if ((x < hero.x) == (x < p.x) && (y < hero.y) == (y < p.y)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool TEnemy::PlanJump() {
  const THero* hero = game_.hero;
  if (hero == nullptr) return false;
  if (direction == 1 ? !(hero->x > x) : !(hero->x < x)) return false;
  const int target = FindTarget(game_.objects, *hero, x, y, direction);
  if (target < 0) return false;

  const TPlatform& from = *game_.objects.platforms[static_cast<std::size_t>(platformIndex)];
  const TPlatform& to = *game_.objects.platforms[static_cast<std::size_t>(target)];
  const long double apex = to.y > from.y ? to.y + 3.0L : from.y + 1.5L;
  const long double gx = to.x >= x ? to.x - to.halfWidth + 0.3L : to.x + to.halfWidth - 0.3L;
  const long double gy = to.y + to.halfHeight + halfHeight + 0.1L;
  platformIndex = target;

  const long double height = std::fabs(y - gy);
  const long double u =
      height <= 2 ? std::fabs(x - gx) / 15 : std::fabs(x - gx) / (height / kPathRise);
  const bool rightwards = gx >= x;
  long double px = x;
  long double py = y;
  const auto moveX = [&] {
    if (u > std::fabs(px - gx)) {
      px = gx;
    } else {
      px += rightwards ? u : -u;
    }
  };
  // The last slot is kept for the end mark; a path that would not fit is cut
  // there (the look-ahead box keeps real paths far shorter).
  int j = 0;
  while (py < apex && j < kPathSlots - 1) {
    py += kPathRise;
    moveX();
    path_[static_cast<std::size_t>(j++)] = {px, py};
  }
  while (py > gy && j < kPathSlots - 1) {
    py -= kPathRise;
    moveX();
    if (py < gy) {
      path_[static_cast<std::size_t>(j++)] = {px, gy};
      break;
    }
    path_[static_cast<std::size_t>(j++)] = {px, py};
  }
  path_[static_cast<std::size_t>(j)] = {kPathEnd, 0};
  pathIndex_ = 0;
  return true;
}

void TEnemy::PlanHop() {
  static constexpr long double kRise[] = {0.1L, 0.2L, 0.3L, 0.4L, 0.3L, 0.2L, 0.1L, 0.0L};
  std::size_t j = 0;
  for (long double rise : kRise) path_[j++] = {x, y + rise};
  path_[j] = {kPathEnd + 1, 0};
  pathIndex_ = 0;
  game_.PlayNow(sndDiamondDown);
}

int TEnemy::PathLength() const {
  int n = 0;
  while (n < kPathSlots && path_[static_cast<std::size_t>(n)].x < kPathEnd) ++n;
  return n;
}

}  // namespace game
