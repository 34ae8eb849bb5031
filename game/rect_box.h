// The rectangle behind every contact in a level, and its overlap test.
#pragma once

namespace game {

// Edges in screen units, y upwards: top > bottom, right > left.
struct RectBox {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
};

// The box of an object centred on (x, y) with half-sizes (halfWidth, halfHeight).
inline RectBox BoxAround(long double x, long double y, long double halfWidth,
                         long double halfHeight) {
  return {static_cast<double>(y + halfHeight), static_cast<double>(x - halfWidth),
          static_cast<double>(y - halfHeight), static_cast<double>(x + halfWidth)};
}

// True when an edge of one box lies within the other's span on both axes; every
// comparison is inclusive, so boxes that only touch overlap. Symmetric.
bool RectsOverlap(RectBox a, RectBox b);

}  // namespace game
