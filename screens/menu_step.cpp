#include "screens/menu_step.h"

namespace screens {

void StepSelection(MenuList& list, int count, int step, const MenuSound& sound) {
  int item = list.selection() + step;
  if (item < 1) item = count;
  if (item > count) item = 1;
  list.Select(item);
  sound.PlayUnlessPlaying();
}

}  // namespace screens
