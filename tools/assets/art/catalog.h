// Every picture the game reads: which file it goes to, its drawn size, how much
// larger the file is made, the function that draws it, and the contact geometry
// the game logic expects (for the contact sheets).
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/assets/art/canvas.h"

namespace assets::art {

class Font;

// Draws one picture in drawn-pixel coordinates (0..width, 0..height).
using DrawFunction = std::function<void(cairo_t*)>;

struct ImageRecipe {
  int width = 0;  // drawn size
  int height = 0;
  int factor = 1;  // the file is factor times the drawn size
  DrawFunction draw;
};

// A rectangle in drawn pixels, y downwards.
struct Box {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

struct PictureSet {
  std::string file;  // path under data/, e.g. "Cosmonaut.dat" or "over1.png"
  bool packed = false;
  std::vector<ImageRecipe> images;
  std::optional<Box> box;           // contact box of every image
  std::optional<double> standLine;  // y of the line the feet stand on
  std::string sheet;                // contact sheet the set appears on
};

// The whole list; `font` must outlive the returned drawing functions.
std::vector<PictureSet> Catalog(const Font& font);

// Renders one image at its file size.
SurfacePtr Render(const ImageRecipe& image);

}  // namespace assets::art
