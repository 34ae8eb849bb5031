// Places and things around the characters: platform blocks, the three level
// backgrounds, the menu backdrop, sun and cloud, the level clouds and the UFO.
#pragma once

#include <cairo.h>

namespace assets::art {

inline constexpr int kBlockStyles = 4;      // stone, grass, ice, wood (the fixed staircase)
inline constexpr double kBlockTopY = 37.5;  // where feet stand on a 180 x 100 block

void DrawBlock(cairo_t* cr, int style);            // 180 x 100
void DrawLevelBackground(cairo_t* cr, int which);  // 1024 x 1024; 0 moon, 1 forest, 2 city
void DrawMenuBackdrop(cairo_t* cr);                // 800 x 600
void DrawSun(cairo_t* cr);                         // 256 x 256
void DrawMenuCloud(cairo_t* cr);                   // 512 x 256
void DrawLevelCloud(cairo_t* cr, int which);       // 600 x 200
void DrawUfo(cairo_t* cr);                         // 256 x 256

}  // namespace assets::art
