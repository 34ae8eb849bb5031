// Compares a rendered picture with its expected one within a tolerance, and
// draws where they differ.
#pragma once

#include "engine/image.h"

namespace golden {

// A pixel differs when one of its channels (alpha included) is off by more than
// `channel`; a picture matches while at most `pixels` of its pixels differ.
struct PictureTolerance {
  int channel = 0;
  int pixels = 0;
};

struct PictureComparison {
  bool sameSize = false;
  int differing = 0;      // pixels that differ
  int largest = 0;        // largest channel difference seen
  engine::Image picture;  // the expected picture dimmed, differing pixels red

  bool Matches(const PictureTolerance& tolerance) const {
    return sameSize && differing <= tolerance.pixels;
  }
};

// Pictures of different sizes compare as not the same size, with an empty
// difference picture.
PictureComparison ComparePictures(const engine::Image& expected, const engine::Image& actual,
                                  const PictureTolerance& tolerance);

}  // namespace golden
