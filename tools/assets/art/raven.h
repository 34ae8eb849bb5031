// The raven that carries bonuses across the top of the level, and the parcel it
// carries. The parcel sprite hangs 0.3 units behind and 0.7 units below the
// raven's centre, so the parcel's pivot lands in the raven's claws.
#pragma once

#include <cairo.h>

namespace assets::art {

inline constexpr int kRavenFrames = 12;  // 0-5 facing left, 6-11 facing right
inline constexpr int kParcelFrames = 7;

// Raven.dat image `index`, 128 x 128.
void DrawRavenFrame(cairo_t* cr, int index);

// Banka.dat image `index`, 64 x 64: the parcel swinging about its string.
void DrawParcelFrame(cairo_t* cr, int index);

}  // namespace assets::art
