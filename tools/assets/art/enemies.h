// The four enemy kinds: a hopping kangaroo, a grey mouse, a round blue creature
// and a green toothy creature. Each pack holds, in order, the walk, jump
// (crouch, flight, landing), eat and knock-down sets; inside a set the frames
// facing left come first, then the same frames facing right.
#pragma once

#include <cairo.h>

namespace assets::art {

enum class EnemyKind { kCangoroo, kMouse, kBlue, kToothy };

struct EnemyLayout {
  int walk = 0;
  int jump = 0;
  int eat = 0;
  int knock = 0;
  int crouchEnd = 0;  // the jump frame shown while flying (the game's crouch end)
  double size = 128;  // drawn picture size (square)
  double feetY = 0;   // standing line, from the picture's top

  int total() const { return 2 * (walk + jump + eat + knock); }
};

EnemyLayout LayoutOf(EnemyKind kind);

// Image `index` of the kind's pack, in a size x size space.
void DrawEnemyFrame(cairo_t* cr, EnemyKind kind, int index);

}  // namespace assets::art
