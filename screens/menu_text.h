// The texts and pages of the menu screens: one font with the spacing argument
// 0.1, and the pictures of "data\Forms.dat".
#pragma once

#include <string_view>

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/colors.h"

namespace screens {

// Prints `text` with its left end at x and its middle at y, each letter `scale`
// units wide and 2 * `scale` high, in `colour`.
void PrintMenuText(std::string_view text, long double x, long double y, float scale,
                   const iColor& colour, iHandle font);

// A hidden sprite of one picture of "data\Forms.dat", centred on the
// screen at the given size, with its texture.
engine::OwnedPicture CreateFormPicture(int image, float width, float height);

}  // namespace screens
