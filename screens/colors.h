// The colours of menu texts.
#pragma once

#include "engine/types.h"

namespace screens {

inline constexpr iColor kSelectedColor{0.65f, 0.2f, 0.6f, 1};
inline constexpr iColor kTextColor{1, 0.2f, 0.2f, 1};
inline constexpr iColor kAlarmColor{1, 0, 0, 1};

// Sets the colour of the texts printed next.
void SetPrintColor(const iColor& color);
// The colour of a button: selected or not.
inline const iColor& ButtonColor(bool selected) {
  return selected ? kSelectedColor : kTextColor;
}

}  // namespace screens
