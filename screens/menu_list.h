// The selection of a menu: items numbered from 1 that wrap around, moved by
// keys (with the menu tick) and by a moving pointer over the items' areas.
#pragma once

#include <span>

#include "screens/area.h"
#include "screens/menu_sound.h"

namespace screens {

class MenuList {
 public:
  MenuList(int count, int initial) : count_(count), selection_(initial) {}

  int selection() const { return selection_; }
  void Select(int item) { selection_ = item; }

  // One step back or forward with wrap-around; the tick plays.
  void Previous(const MenuSound& sound);
  void Next(const MenuSound& sound);

  // The first item (1-based) whose area contains the point, or 0.
  static int ItemAt(std::span<const Area> areas, long double x, long double y);
  // Selects the item under the pointer, if any; true when the selection changed.
  bool Hover(std::span<const Area> areas, long double x, long double y);

 private:
  int count_;
  int selection_;
};

}  // namespace screens
