// The golden comparers on small made-up pictures and states: what passes as a
// rounding difference and what is reported as a change.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/golden/picture_compare.h"
#include "tests/golden/state_compare.h"

namespace {

using golden::Json;

constexpr golden::PictureTolerance kCompareTolerance{.channel = 8, .pixels = 20};

// A grey 64x48 picture with a red 10x12 square at (x, y).
engine::Image Scene(int x = 20, int y = 16, int red = 200) {
  engine::Image image{64, 48, std::vector<std::uint8_t>(64 * 48 * 4)};
  for (int py = 0; py < image.height; ++py) {
    for (int px = 0; px < image.width; ++px) {
      std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(py) * image.width + px) * 4];
      const bool square = px >= x && px < x + 10 && py >= y && py < y + 12;
      p[0] = square ? static_cast<std::uint8_t>(red) : 120;
      p[1] = square ? 40 : 120;
      p[2] = square ? 40 : 120;
      p[3] = 255;
    }
  }
  return image;
}

engine::Image Changed(engine::Image image, int pixels, int by) {
  for (int i = 0; i < pixels; ++i) image.rgba[static_cast<std::size_t>(i) * 4 * 7 + 1] += by;
  return image;
}

TEST(PictureCompare, RoundingPassesAMovedOrRecolouredSpriteDoesNot) {
  const struct {
    const char* name;
    engine::Image actual;
    bool matches;
  } kCases[] = {
      {"the same", Scene(), true},
      {"every pixel a step off", Changed(Scene(), 64 * 48 / 7, 3), true},
      {"20 stray pixels", Changed(Scene(), 20, 90), true},
      {"21 stray pixels", Changed(Scene(), 21, 90), false},
      {"square moved by a pixel", Scene(21), false},
      {"square a little redder", Scene(20, 16, 212), false},
      {"another size", engine::Image{32, 48, std::vector<std::uint8_t>(32 * 48 * 4)}, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(
        golden::ComparePictures(Scene(), c.actual, kCompareTolerance).Matches(kCompareTolerance),
        c.matches);
  }
}

TEST(PictureCompare, DifferencePictureMarksChangedPixelsRed) {
  const golden::PictureComparison comparison =
      golden::ComparePictures(Scene(), Scene(21), kCompareTolerance);
  ASSERT_TRUE(comparison.sameSize);
  EXPECT_EQ(comparison.differing, 2 * 12);  // the column left behind and the one gained
  EXPECT_EQ(comparison.largest, 120 - 40);
  const auto pixel = [&](int x, int y) {
    const std::uint8_t* p = &comparison.picture.rgba[(static_cast<std::size_t>(y) * 64 + x) * 4];
    return std::vector<int>{p[0], p[1], p[2], p[3]};
  };
  EXPECT_EQ(pixel(20, 20), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(pixel(30, 20), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(pixel(25, 20), (std::vector<int>{50, 10, 10, 255}));
  EXPECT_EQ(pixel(0, 0), (std::vector<int>{30, 30, 30, 255}));
}

TEST(StateCompare, NamesTheFirstDifferingKey) {
  const struct {
    const char* expected;
    const char* actual;
    const char* difference;  // "" when they match
  } kCases[] = {
      {R"({"x": 1.5})", R"({"x": 1.5, "added": 1})", ""},
      {R"({"x": 1.5})", R"({"x": 1.50005})", ""},
      {R"({"x": -10})", R"({"x": -10.00001})", ""},
      {R"({"hero": {"x": 1.5}})", R"({"hero": {"x": 1.6}})", "hero.x: expected 1.5, got 1.6"},
      {R"({"score": 50})", R"({"score": 51})", "score: expected 50, got 51"},
      {R"({"level": 1, "score": 0})", R"({"level": 2, "score": 10})", "level: expected 1, got 2"},
      {R"({"game": {"lives": 3}})", R"({"game": {}})", "game.lives: missing"},
      {R"({"taken": false})", R"({"taken": 0})", "taken: expected false, got 0"},
      {R"({"state": "walking"})", R"({"state": "lying"})",
       R"(state: expected "walking", got "lying")"},
      {R"({"e": [{"x": 1}, {"x": 2}]})", R"({"e": [{"x": 1}, {"x": 3}]})",
       "e[1].x: expected 2, got 3"},
      {R"({"m": [{"x": 1}]})", R"({"m": []})", "m: expected 1 elements, got 0"},
      {R"({"m": []})", R"({"m": [{"x": 1}]})", "m: expected 0 elements, got 1"},
      {R"({"raven": {"x": 1}})", R"({"raven": null})", R"(raven: expected {"x":1}, got null)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.expected + std::string(" vs ") + c.actual);
    const auto difference =
        golden::FirstDifference(Json::parse(c.expected), Json::parse(c.actual), 1e-4);
    EXPECT_EQ(difference.value_or(""), c.difference);
  }
}

TEST(StateCompare, PickKeepsTheNamedKeysInTheirOrder) {
  const Json state = Json::parse(R"({
    "texts": ["a"], "score": 5, "frame": 9,
    "game": {"hero": {"x": 1, "y": 2, "alpha": 1}, "enemies": [{"x": 3, "frame": 1}, {"x": 4}]}
  })");
  const Json keys = Json::parse(R"({
    "frame": 0, "score": 0, "gone": 0,
    "game": {"hero": {"x": 0, "y": 0}, "enemies": [{"x": 0}]}
  })");
  EXPECT_EQ(golden::Pick(state, keys).dump(),
            R"({"frame":9,"score":5,"game":{"hero":{"x":1,"y":2},"enemies":[{"x":3},{"x":4}]}})");
}

}  // namespace
