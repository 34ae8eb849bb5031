// Things to collect and the small HUD pictures: diamonds, the snowflake, the
// drink bottle, the balloons, banana, pear and clock, the sand-clock and the
// life icon. The 64 x 64 bonuses sit like the diamond: their 20 x 20 box is
// centred 12.5 px below the picture centre and they rest on its bottom edge.
#pragma once

#include <cairo.h>

namespace assets::art {

inline constexpr double kBonusFloorY = 54.5;  // bottom of a 64 x 64 bonus's box

inline constexpr int kDiamondFrames = 4;
inline constexpr int kSnowFrames = 5;
inline constexpr int kBottleFrames = 2;
inline constexpr int kBalloonFrames = 6;  // 0-2 floating, 3-5 popping
inline constexpr int kSandclockFrames = 7;

void DrawDiamond(cairo_t* cr, int frame);    // 64 x 64
void DrawSnowflake(cairo_t* cr, int frame);  // 64 x 64, centred
void DrawBottle(cairo_t* cr, int frame);     // 64 x 64
void DrawBalloons(cairo_t* cr, int frame);   // 128 x 128
void DrawBanana(cairo_t* cr);                // 64 x 64
void DrawPear(cairo_t* cr);                  // 64 x 64
void DrawClock(cairo_t* cr);                 // 64 x 64
// Sand-clock picture `frame` + 1 (0 = almost empty top bulb, 6 = full), 50 x 50.
void DrawSandclock(cairo_t* cr, int frame);
void DrawLifeIcon(cairo_t* cr);   // 50 x 50: the spaceman's head
void DrawSpareIcon(cairo_t* cr);  // 50 x 50: a small diamond

}  // namespace assets::art
