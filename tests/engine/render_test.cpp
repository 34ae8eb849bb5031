// What the headless render shows: sprite rectangles, layers and show order,
// colour and alpha, text cells and particle placement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/font_file.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::PixelAt;
using testing_support::Rgba;

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

class RenderTest : public testing_support::EngineTest {
 protected:
  testing_support::TempDir dir_;
};

struct RectCase {
  iVec2 location;
  iVec2 scale;
  int left, top, right, bottom;  // expected pixel rectangle, right/bottom exclusive
};

TEST_F(RenderTest, SpriteCoversScaleTimesFortyPixelsAroundItsCentre) {
  const RectCase cases[] = {
      {{0, 0}, {2, 1}, 360, 280, 440, 320},    // 80 x 40 at the centre
      {{-10, 4}, {1, 1}, 130, 180, 170, 220},  // one unit is 25 px, y upwards
      {{0, 0}, {20, 15}, 0, 0, 800, 600},      // (20, 15) fills the window
      {{0, 10}, {20, 2.5f}, 0, 0, 800, 100},   // the HUD bar spans the width
  };
  for (const RectCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "at (" << c.location.x << ", " << c.location.y << ")");
    const iHandle sprite = SolidSprite(255, 0, 0, c.location, c.scale);
    const engine::Image frame = Render();
    auto inside = [&](int x, int y) { return x >= 0 && x < 800 && y >= 0 && y < 600; };
    const int probes[][2] = {
        {c.left, c.top}, {c.right - 1, c.top}, {c.left, c.bottom - 1}, {c.right - 1, c.bottom - 1}};
    for (const auto& p : probes) {
      if (inside(p[0], p[1])) {
        EXPECT_EQ(PixelAt(frame, p[0], p[1]), kRed) << p[0] << "," << p[1];
      }
    }
    const int outside[][2] = {
        {c.left - 1, c.top}, {c.right, c.top}, {c.left, c.top - 1}, {c.left, c.bottom}};
    for (const auto& p : outside) {
      if (inside(p[0], p[1])) {
        EXPECT_EQ(PixelAt(frame, p[0], p[1]), kBlack) << p[0] << "," << p[1];
      }
    }
    iSpriteDestroy(sprite);
  }
}

TEST_F(RenderTest, LayersDrawTwoThenZeroThenTextsThenOne) {
  // Created front-most first, so only the layer rule can put them in order.
  SolidSprite(0, 0, 255, {0, 0}, {2, 2}, 1);
  SolidSprite(0, 255, 0, {0.5f, 0}, {2, 2}, 0);
  SolidSprite(255, 0, 0, {1, 0}, {2, 2}, 2);
  const engine::Image frame = Render();
  EXPECT_EQ(PixelAt(frame, 400, 300), kBlue);   // layer 1 over everything
  EXPECT_EQ(PixelAt(frame, 445, 300), kGreen);  // layer 0 over layer 2
  EXPECT_EQ(PixelAt(frame, 462, 300), kRed);    // only layer 2 reaches here
}

TEST_F(RenderTest, SpriteShownAgainComesToTheFrontOfItsLayer) {
  const iHandle older = SolidSprite(255, 0, 0, {0, 0}, {2, 2});
  SolidSprite(0, 255, 0, {0, 0}, {2, 2});
  EXPECT_EQ(PixelAt(Render(), 400, 300), kGreen);  // newer in front

  iSpriteShow(older);  // already shown: no change
  EXPECT_EQ(PixelAt(Render(), 400, 300), kGreen);

  iSpriteHide(older);
  iSpriteShow(older);
  EXPECT_EQ(PixelAt(Render(), 400, 300), kRed);
}

TEST_F(RenderTest, ColourMultipliesAndAlphaAtOrBelowZeroDrawsNothing) {
  const iHandle sprite = SolidSprite(255, 255, 255, {0, 0}, {2, 2});
  const struct {
    iColor color;
    Rgba expected;
  } cases[] = {
      {{1, 0, 0, 1}, kRed},       {{0, 0, 0, 0}, kBlack},
      {{1, 1, 1, -0.5f}, kBlack}, {{1, 1, 1, 0.5f}, {128, 128, 128, 255}},
      {{2, 2, 2, 2}, kWhite},  // clamped to 1
  };
  for (const auto& c : cases) {
    iSpriteColorSet(sprite, c.color.r, c.color.g, c.color.b, c.color.a);
    const Rgba got = PixelAt(Render(), 400, 300);
    EXPECT_NEAR(got.r, c.expected.r, 1);
    EXPECT_NEAR(got.g, c.expected.g, 1);
    EXPECT_NEAR(got.b, c.expected.b, 1);
  }
}

TEST_F(RenderTest, MissingTextureDrawsNothing) {
  const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
  iSpriteScaleSet(sprite, {20, 15});
  iSpriteShow(sprite);
  EXPECT_EQ(PixelAt(Render(), 400, 300), kBlack);
  iSpriteTextureSet(sprite, iTextureCreate("data\\no-such-picture.png"));
  EXPECT_EQ(PixelAt(Render(), 400, 300), kBlack);
}

// A font whose glyphs 'A' and 'B' are solid white cells.
std::vector<std::uint8_t> SolidFont() {
  engine::Image atlas;
  atlas.width = 16;
  atlas.height = 16;
  atlas.rgba.assign(16 * 16 * 4, 255);
  engine::FontFile font;
  font.cellWidth = 8;
  font.cellHeight = 16;
  font.firstChar = 'A';
  font.glyphs = {{0, 0, 8, 16}, {8, 0, 8, 16}};
  font.atlasPng = engine::EncodePng(atlas);
  return engine::EncodeFontFile(font);
}

TEST_F(RenderTest, TextCellsAdvanceByScaleXAndAreCentredOnY) {
  const auto bytes = SolidFont();
  std::ofstream("font.wid", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  const iHandle font = iFontCreate("font.wid", 0);

  iPrintColorSet(0, 1, 0, 1);
  // "A B": 3 cells of 1 unit (25 px) from x = -2 (350 px); 2 * 0.5 units high
  // around y = 3 (225 px): rows 212.5 .. 237.5. The space has no glyph.
  iPrint("A B", {-2, 3}, {1, 0.5f}, 0.1f, font);
  const engine::Image frame = Render();
  EXPECT_EQ(PixelAt(frame, 351, 225), kGreen);
  EXPECT_EQ(PixelAt(frame, 374, 214), kGreen);
  EXPECT_EQ(PixelAt(frame, 362, 225 + 14), kBlack);  // below the cell
  EXPECT_EQ(PixelAt(frame, 349, 225), kBlack);       // left of the text
  EXPECT_EQ(PixelAt(frame, 387, 225), kBlack);       // the space
  EXPECT_EQ(PixelAt(frame, 410, 225), kGreen);       // third cell
  EXPECT_EQ(PixelAt(frame, 426, 225), kBlack);       // past the end

  // Texts lie between layer 0 and layer 1.
  SolidSprite(255, 0, 0, {-1.5f, 3}, {0.5f, 0.5f}, 0);
  SolidSprite(0, 0, 255, {0.5f, 3}, {0.5f, 0.5f}, 1);
  const engine::Image layered = Render();
  EXPECT_EQ(PixelAt(layered, 362, 225), kGreen);
  EXPECT_EQ(PixelAt(layered, 412, 225), kBlue);

  iPrintsHide();
  EXPECT_EQ(PixelAt(Render(), 351, 225), kBlack);
}

TEST_F(RenderTest, MissingOrCorruptFontPrintsNothing) {
  std::ofstream("corrupt.wid") << "ZWID but not really";
  for (const char* file : {"no-such.wid", "corrupt.wid"}) {
    const iHandle font = iFontCreate(file, 0);
    EXPECT_NE(font, 0u);
    iPrint("AAAA", {0, 0}, {2, 2}, 0.1f, font);
    EXPECT_EQ(PixelAt(Render(), 410, 300), kBlack);
    iPrintsHide();
  }
}

TEST_F(RenderTest, ParticlesDrawAtWorldTimesSixteenOverFivePointFive) {
  engine::Image glow;
  glow.width = glow.height = 4;
  glow.rgba.assign(4 * 4 * 4, 255);
  std::filesystem::create_directories("data");
  engine::WritePng("data/glow.png", glow);
  const iHandle system = iParticleCreate("data\\glow.png", 10);
  iParticleColorSet(system, {1, 1, 1}, {1, 1, 1});
  iParticleLifeTimeSet(system, 100);
  iParticleShow(system);
  const iHandle emitter = iParticleEmitterCreate(system);
  iParticleEmitterScaleSet(emitter, {1, 1}, {1, 1});  // 7.3 px across
  // Screen position (5.5, -5.5) units is world (1.890625, -1.890625).
  iParticleEmitterLocationSet(emitter, {5.5f * 5.5f / 16, -5.5f * 5.5f / 16, 0});
  iParticleEmitterEmit(emitter, 1, 1);
  const engine::Image frame = Render();
  const Rgba centre = PixelAt(frame, 400 + 137, 300 + 137);
  EXPECT_GT(centre.r, 200);
  EXPECT_EQ(PixelAt(frame, 400 + 137 + 10, 300 + 137), kBlack);
}

}  // namespace
