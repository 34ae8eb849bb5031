#include "screens/colors.h"

#include "engine/engine.h"

namespace screens {

void SetPrintColor(const iColor& color) {
  iPrintColorSet(color.r, color.g, color.b, color.a);
}

}  // namespace screens
