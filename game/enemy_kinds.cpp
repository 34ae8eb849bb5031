#include "game/enemy_kinds.h"

namespace game {
namespace {

// Packs "data\Cangoroo.dat", "data\Mouse.dat", "data\Blue.dat" and
// "data\Toothy.dat", read into image slots 95, 139, 187 and 233 onwards. A
// scale equal to the base scale leaves the picture's size unchanged.
constexpr EnemyLook kEnemyLooks[] = {
    {"cangoroo", 95, {6, 5, 6, 5}, 1000500, 3.2f, 1.1L, 3, 3.75f, 5, 3.75f},
    {"mouse", 139, {4, 5, 5, 10}, 1000600, 3.2f, 1.0L, 5, 3.2f, 5, 3.75f},
    {"blue", 187, {5, 5, 6, 7}, 1000700, 3.2f, 0.5L, 3, 3.2f, 6, 3.2f},
    {"toothy", 233, {4, 5, 5, 6}, 1000800, 2.5f, 1.0L, 5, 3.2f, 5, 3.2f},
};

}  // namespace

int EnemyLook::ImageIndex(EnemySet set, int direction, int frame) const {
  int first = 0;
  for (int s = 0; s < static_cast<int>(set); ++s) first += 2 * frames[s];
  return first + direction * Frames(set) + frame - 1;
}

int EnemyLook::ImageCount() const {
  return 2 * (frames[0] + frames[1] + frames[2] + frames[3]);
}

const EnemyLook& LookOf(EnemyKind kind) {
  return kEnemyLooks[static_cast<int>(kind)];
}

}  // namespace game
