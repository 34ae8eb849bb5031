// Lettered pictures and screen furniture: the title logo, the main-menu labels,
// the panels and dialog box, the HUD bar, the overlays, the loading screen and
// the pointer.
#pragma once

#include <cairo.h>

#include <string_view>

namespace assets::art {

class Font;

inline constexpr int kMenuItems = 8;

// The label text of main-menu item 1..8.
std::string_view MenuItemLabel(int item);

void DrawLogo(cairo_t* cr, const Font& font);  // 300 x 150, lettering in the top-left 225 x 112
// MainMenu.dat image `index` (0..15): item index/2+1, plain when even, glowing when
// odd; items 1-6 are 400 x 80, items 7-8 256 x 128.
void DrawMenuLabel(cairo_t* cr, const Font& font, int index);
// Forms.dat image `index`: 0 options, 1 help, 2 high scores (640 x 480), 3 dialog (400 x 320).
void DrawForm(cairo_t* cr, const Font& font, int index);
void DrawHudPanel(cairo_t* cr, const Font& font);       // 800 x 100
void DrawLevelComplete(cairo_t* cr, const Font& font);  // 800 x 600
void DrawPause(cairo_t* cr, const Font& font);          // 800 x 600
void DrawGameOver(cairo_t* cr, const Font& font);       // 600 x 600
void DrawLoading(cairo_t* cr, const Font& font);        // 800 x 600
void DrawCursor(cairo_t* cr);                           // 40 x 40, hot spot in the middle

}  // namespace assets::art
