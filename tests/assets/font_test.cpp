#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/font_file.h"
#include "engine/image.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"
#include "tools/assets/font_and_particles.h"

namespace {

namespace fs = std::filesystem;

int AlphaAt(const engine::Image& image, int x, int y) {
  return image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
}

bool WhereVisibleIsWhite(const engine::Image& image) {
  for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
    if (image.rgba[i + 3] != 0 &&
        (image.rgba[i] != 255 || image.rgba[i + 1] != 255 || image.rgba[i + 2] != 255)) {
      return false;
    }
  }
  return true;
}

// The ink of one glyph cell: bounding rows and columns with any alpha, and
// whether the outermost ring of the cell is clear.
struct Ink {
  int left = -1, right = -1, top = -1, bottom = -1;
  bool ringClear = true;
  bool empty() const { return left < 0; }
};

Ink InkOf(const engine::Image& atlas, const engine::FontGlyph& g) {
  Ink ink;
  for (int y = 0; y < g.h; ++y) {
    for (int x = 0; x < g.w; ++x) {
      if (AlphaAt(atlas, g.x + x, g.y + y) == 0) continue;
      if (x == 0 || y == 0 || x == g.w - 1 || y == g.h - 1) ink.ringClear = false;
      ink.left = ink.left < 0 ? x : std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = ink.top < 0 ? y : std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

class FontFile : public testing::Test {
 protected:
  void SetUp() override {
    assets::WriteFont("data");
    const std::optional<engine::FontFile> font =
        engine::DecodeFontFile(testing_support::FileBytes("data/_font/BubbleGum.wid"));
    ASSERT_TRUE(font.has_value());
    font_ = *font;
    const std::optional<engine::Image> atlas = engine::DecodeImage(font_.atlasPng);
    ASSERT_TRUE(atlas.has_value());
    atlas_ = *atlas;
  }
  const engine::FontGlyph& Glyph(char c) const {
    return font_.glyphs[static_cast<std::size_t>(c - font_.firstChar)];
  }

  testing_support::TempDir dir_;
  engine::FontFile font_;
  engine::Image atlas_;
};

TEST_F(FontFile, HoldsPrintableAsciiInSeparateHalfWideCells) {
  EXPECT_EQ(font_.firstChar, 32);
  ASSERT_EQ(font_.glyphs.size(), 95u);
  EXPECT_EQ(font_.cellHeight, 2 * font_.cellWidth);
  // Sharp at the largest letters the game prints: about 60 px wide on screen.
  EXPECT_GE(font_.cellWidth, 60);
  std::set<std::pair<int, int>> corners;
  for (const engine::FontGlyph& g : font_.glyphs) {
    EXPECT_EQ(g.w, font_.cellWidth);
    EXPECT_EQ(g.h, font_.cellHeight);
    EXPECT_LE(g.x + g.w, atlas_.width);
    EXPECT_LE(g.y + g.h, atlas_.height);
    EXPECT_EQ(g.x % g.w, 0);  // on the grid, so cells cannot overlap
    EXPECT_EQ(g.y % g.h, 0);
    corners.insert({g.x, g.y});
  }
  EXPECT_EQ(corners.size(), font_.glyphs.size());
  EXPECT_TRUE(WhereVisibleIsWhite(atlas_));
}

TEST_F(FontFile, EveryGlyphIsInkedInsideItsCellOnACommonBaseline) {
  EXPECT_TRUE(InkOf(atlas_, Glyph(' ')).empty());
  for (char c = '!'; c <= '~'; ++c) {
    SCOPED_TRACE(std::string("glyph '") + c + "'");
    const Ink ink = InkOf(atlas_, Glyph(c));
    ASSERT_FALSE(ink.empty());
    EXPECT_TRUE(ink.ringClear) << "clipped at the cell edge";
    // Centred across the cell within a couple of pixels.
    EXPECT_NEAR(ink.left + ink.right, font_.cellWidth - 1, 3);
  }
  // Letters without descenders stand on the same line; descenders go below it.
  const int baseline = InkOf(atlas_, Glyph('x')).bottom;
  for (char c : std::string("HMWamz0")) {
    SCOPED_TRACE(std::string("glyph '") + c + "'");
    EXPECT_NEAR(InkOf(atlas_, Glyph(c)).bottom, baseline, 2);
  }
  EXPECT_GT(InkOf(atlas_, Glyph('g')).bottom, baseline + 10);
  EXPECT_LT(InkOf(atlas_, Glyph('H')).top, InkOf(atlas_, Glyph('x')).top - 10);
}

TEST_F(FontFile, WideLettersAreNarrowedToTheCellNotCut) {
  for (char c : std::string("MWmw@")) {
    SCOPED_TRACE(std::string("glyph '") + c + "'");
    const Ink ink = InkOf(atlas_, Glyph(c));
    EXPECT_TRUE(ink.ringClear);
    EXPECT_GE(ink.right - ink.left + 1, font_.cellWidth * 3 / 4) << "should still fill the cell";
  }
  EXPECT_LT(InkOf(atlas_, Glyph('i')).right - InkOf(atlas_, Glyph('i')).left,
            InkOf(atlas_, Glyph('M')).right - InkOf(atlas_, Glyph('M')).left);
}

class ParticleTexture : public testing::Test {
 protected:
  testing_support::TempDir dir_;
};

TEST_F(ParticleTexture, IsASoftRoundGlowInA64PixelRgbaDds) {
  assets::WriteParticleTexture("data");
  const std::vector<std::uint8_t> bytes = testing_support::FileBytes("data/particle_clot.dds");
  ASSERT_EQ(bytes.size(), 128u + 64 * 64 * 4);
  const auto le32 = [&](std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24;
  };
  EXPECT_EQ(le32(0), 0x20534444);  // "DDS "
  EXPECT_EQ(le32(4), 124);         // header size
  EXPECT_EQ(le32(76), 32);         // pixel format size
  EXPECT_EQ(le32(80), 0x41);       // RGB with alpha
  EXPECT_EQ(le32(88), 32);         // bits per pixel

  const std::optional<engine::Image> image = engine::DecodeImage(bytes);
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, 64);
  ASSERT_EQ(image->height, 64);
  EXPECT_TRUE(WhereVisibleIsWhite(*image));
  for (int i = 0; i < 64; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(AlphaAt(*image, i, 0), 0);
    EXPECT_EQ(AlphaAt(*image, i, 63), 0);
    EXPECT_EQ(AlphaAt(*image, 0, i), 0);
    EXPECT_EQ(AlphaAt(*image, 63, i), 0);
  }
  EXPECT_GE(AlphaAt(*image, 32, 32), 240);
  // Falling off smoothly from the centre outwards, symmetric about it.
  for (int x = 33; x < 64; ++x) {
    SCOPED_TRACE(x);
    EXPECT_LE(AlphaAt(*image, x, 32), AlphaAt(*image, x - 1, 32));
    EXPECT_LE(AlphaAt(*image, x - 1, 32) - AlphaAt(*image, x, 32), 40);
    EXPECT_EQ(AlphaAt(*image, x, 32), AlphaAt(*image, 63 - x, 32));
    EXPECT_EQ(AlphaAt(*image, x, 32), AlphaAt(*image, 32, x));
  }
  EXPECT_GT(AlphaAt(*image, 44, 32), 0) << "the glow reaches out, not only a dot";
}

TEST(FontAndParticles, WritingTwiceGivesTheSameBytes) {
  testing_support::TempDir dir;
  for (const char* run : {"a", "b"}) {
    assets::WriteFont(fs::path(run) / "data");
    assets::WriteParticleTexture(fs::path(run) / "data");
  }
  for (const char* file : {"data/_font/BubbleGum.wid", "data/particle_clot.dds"}) {
    SCOPED_TRACE(file);
    const std::vector<std::uint8_t> first = testing_support::FileBytes(fs::path("a") / file);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, testing_support::FileBytes(fs::path("b") / file));
  }
}

}  // namespace
