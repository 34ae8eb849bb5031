// A pointer area of a menu item or button: open intervals in screen units, so
// a pointer exactly on a border belongs to no area.
#pragma once

namespace screens {

struct Area {
  long double left, right, bottom, top;

  bool Contains(long double x, long double y) const {
    return left < x && x < right && bottom < y && y < top;
  }
};

}  // namespace screens
