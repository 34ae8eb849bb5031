#include "screens/menu_list.h"

namespace screens {

void MenuList::Previous(const MenuSound& sound) {
  selection_ = selection_ <= 1 ? count_ : selection_ - 1;
  sound.Play();
}

void MenuList::Next(const MenuSound& sound) {
  selection_ = selection_ >= count_ ? 1 : selection_ + 1;
  sound.Play();
}

int MenuList::ItemAt(std::span<const Area> areas, long double x, long double y) {
  for (std::size_t i = 0; i < areas.size(); ++i) {
    if (areas[i].Contains(x, y)) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool MenuList::Hover(std::span<const Area> areas, long double x, long double y) {
  const int item = ItemAt(areas, x, y);
  if (item == 0 || item == selection_) return false;
  selection_ = item;
  return true;
}

}  // namespace screens
