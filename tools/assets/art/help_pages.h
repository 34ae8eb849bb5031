// The seven help pages (over1..7.png, 400 x 280): the game's own sprites beside
// short texts. 1 story and goal, 2 controls, 3 diamonds and the sand-clock,
// 4 enemies and missiles, 5 the raven and the special bonuses, 6 bonus levels,
// 7 scoring, lives, high scores and the boss key.
#pragma once

#include <cairo.h>

namespace assets::art {

class Font;

inline constexpr int kHelpPages = 7;

// Page 1..7.
void DrawHelpPage(cairo_t* cr, const Font& font, int page);

}  // namespace assets::art
