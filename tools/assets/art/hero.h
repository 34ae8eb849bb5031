// The spaceman: round helmet with a visor, white suit, orange backpack, boots
// and gloves. Cosmonaut.dat holds 48 frames of 128 x 128 drawn pixels; his
// contact box is 40 x 80 centred and his feet stand 24 px above the bottom.
#pragma once

#include <cairo.h>

namespace assets::art {

inline constexpr int kHeroFrames = 48;
inline constexpr double kHeroSize = 128;
inline constexpr double kHeroFeetY = 104;  // the standing line

enum class HeroFace { kNormal, kHappy, kSquint, kDizzy };

// Frame `index` (0..47) of Cosmonaut.dat, in a 128 x 128 space: run 0-7 facing
// left, 8-15 right; jump 16-20 / 21-25; joy 26-30 / 31-35; die 36-41 / 42-47.
void DrawHeroFrame(cairo_t* cr, int index);

// The helmeted head alone, centred at (cx, cy) with the given helmet radius,
// facing right: the life icon and the help pages use it.
void DrawHeroHead(cairo_t* cr, double cx, double cy, double radius, HeroFace face);

}  // namespace assets::art
