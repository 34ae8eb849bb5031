#include "game/rect_box.h"

namespace game {
namespace {

bool Within(double v, double low, double high) {
  return v >= low && v <= high;
}

// Whether an edge of b lies inside a on both axes.
bool EdgeOfInside(const RectBox& a, const RectBox& b) {
  const bool horizontal = Within(b.left, a.left, a.right) || Within(b.right, a.left, a.right);
  const bool vertical = Within(b.top, a.bottom, a.top) || Within(b.bottom, a.bottom, a.top);
  return horizontal && vertical;
}

}  // namespace

bool RectsOverlap(RectBox a, RectBox b) {
  return EdgeOfInside(a, b) || EdgeOfInside(b, a);
}

}  // namespace game
