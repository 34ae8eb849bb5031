#include "game/rect_box.h"

#include <gtest/gtest.h>

namespace game {
namespace {

struct OverlapCase {
  const char* name;
  RectBox a;
  RectBox b;
  bool overlap;
};

// Boxes as {top, left, bottom, right}.
const OverlapCase kCases[] = {
    {"apart", {1, 0, 0, 1}, {1, 2, 0, 3}, false},
    {"sharing an edge", {1, 0, 0, 1}, {1, 1, 0, 2}, true},
    {"sharing a corner", {1, 0, 0, 1}, {2, 1, 1, 2}, true},
    {"one inside the other", {10, 0, 0, 10}, {6, 4, 4, 6}, true},
    {"partly over", {2, 0, 0, 2}, {3, 1, 1, 3}, true},
    {"plus sign", {5, 2, -5, 3}, {1, 0, 0, 5}, false},
    {"above, touching nothing", {1, 0, 0, 1}, {3, 0, 1.01, 1}, false},
};

TEST(RectsOverlapTest, InclusiveEdgesAndSymmetric) {
  for (const OverlapCase& c : kCases) {
    EXPECT_EQ(RectsOverlap(c.a, c.b), c.overlap) << c.name;
    EXPECT_EQ(RectsOverlap(c.b, c.a), c.overlap) << c.name << " (swapped)";
  }
}

TEST(RectsOverlapTest, BoxAroundACentre) {
  const RectBox box = BoxAround(1, 2, 0.5L, 0.25L);
  EXPECT_DOUBLE_EQ(box.top, 2.25);
  EXPECT_DOUBLE_EQ(box.left, 0.5);
  EXPECT_DOUBLE_EQ(box.bottom, 1.75);
  EXPECT_DOUBLE_EQ(box.right, 1.5);
}

}  // namespace
}  // namespace game
