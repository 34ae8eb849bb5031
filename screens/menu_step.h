// A key move on the options and high-score screens: one item with wrap-around,
// and the menu tick started unless it is still playing.
#pragma once

#include "screens/menu_list.h"
#include "screens/menu_sound.h"

namespace screens {

// step is -1 (up) or +1 (down); items are numbered 1..count.
void StepSelection(MenuList& list, int count, int step, const MenuSound& sound);

}  // namespace screens
