#include "tests/golden/picture_compare.h"

#include <algorithm>
#include <cstdlib>

namespace golden {

PictureComparison ComparePictures(const engine::Image& expected, const engine::Image& actual,
                                  const PictureTolerance& tolerance) {
  PictureComparison result;
  result.sameSize = expected.width == actual.width && expected.height == actual.height &&
                    expected.rgba.size() == actual.rgba.size();
  if (!result.sameSize) return result;
  result.picture = expected;
  for (std::size_t at = 0; at < expected.rgba.size(); at += 4) {
    int worst = 0;
    for (std::size_t c = 0; c < 4; ++c) {
      worst = std::max(worst, std::abs(expected.rgba[at + c] - actual.rgba[at + c]));
    }
    result.largest = std::max(result.largest, worst);
    std::uint8_t* out = &result.picture.rgba[at];
    if (worst > tolerance.channel) {
      ++result.differing;
      out[0] = 255;
      out[1] = out[2] = 0;
    } else {
      // A quarter of the brightness keeps the scene readable behind the red.
      for (std::size_t c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(out[c] / 4);
    }
    out[3] = 255;
  }
  return result;
}

}  // namespace golden
