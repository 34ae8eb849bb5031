// Textures made from the same image bytes share one decoded picture; each keeps
// its own handle and tag.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/font_file.h"
#include "engine/image.h"
#include "engine/texture_pack.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/pack/pack_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::PixelAt;
using testing_support::Rgba;

Bytes SolidPng(std::uint8_t r, std::uint8_t g, std::uint8_t b, int width = 4, int height = 4) {
  engine::Image image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i) image.rgba.insert(image.rgba.end(), {r, g, b, 255});
  return engine::EncodePng(image);
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

iHandle FromMemory(const Bytes& bytes, std::int32_t tag) {
  return iTextureCreateFromMemory(bytes.data(), static_cast<std::int32_t>(bytes.size()), tag);
}

class SharedImagesTest : public testing_support::EngineTest {
 protected:
  // The picture of a texture, or the atlas of a font.
  std::shared_ptr<const engine::Image> PictureOf(iHandle handle) {
    if (const auto found = world().textures.find(handle); found != world().textures.end())
      return found->second.image;
    const auto font = world().fonts.find(handle);
    return font == world().fonts.end() ? nullptr : font->second.atlas;
  }
  std::weak_ptr<const engine::Image> WatchPicture(iHandle texture) { return PictureOf(texture); }

  // A shown sprite filling the middle of the screen with `texture`.
  iHandle SpriteWith(iHandle texture) {
    const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
    iSpriteTextureSet(sprite, texture);
    iSpriteScaleSet(sprite, {8, 8});
    iSpriteShow(sprite);
    return sprite;
  }
  Rgba Middle() { return PixelAt(Render(), 400, 300); }

  testing_support::TempDir dir_;
};

TEST_F(SharedImagesTest, TexturesShareAPictureExactlyWhenTheirBytesAreTheSame) {
  const Bytes red = SolidPng(255, 0, 0);
  WriteFile("data/red.png", red);
  engine::FontFile font;
  font.cellWidth = 2;
  font.cellHeight = 4;
  font.glyphs = {{0, 0, 2, 4}};
  font.atlasPng = red;
  WriteFile("data/red.wid", engine::EncodeFontFile(font));
  WriteFile("data/Pack.dat", packs::BuildPack(std::vector<Bytes>{red, SolidPng(0, 0, 255)}));
  ImageBlob blob;
  LoadPackBlob(blob, 0, "data\\Pack.dat");

  struct Case {
    const char* name;
    std::function<iHandle()> first, second;
    bool shared;
  };
  const std::vector<Case> cases = {
      {"memory twice", [&] { return FromMemory(red, 1); }, [&] { return FromMemory(red, 2); },
       true},
      {"file and memory", [] { return iTextureCreate("data\\red.png"); },
       [&] { return FromMemory(red, 0); }, true},
      {"pack entry and its blob", [] { return LoadPackTexture("data\\Pack.dat", 0, 5); },
       [&] { return iTextureCreateFromMemory(blob.Data.data(), blob.Size, 6); }, true},
      {"file twice", [] { return iTextureCreate("data\\red.png"); },
       [] { return iTextureCreate("data\\red.png"); }, true},
      {"font atlas and texture", [] { return iFontCreate("data\\red.wid", 0); },
       [&] { return FromMemory(red, 0); }, true},
      {"other colour", [&] { return FromMemory(red, 1); },
       [&] { return FromMemory(SolidPng(254, 0, 0), 1); }, false},
      {"other size", [&] { return FromMemory(red, 1); },
       [&] { return FromMemory(SolidPng(255, 0, 0, 4, 5), 1); }, false},
      {"other pack entry", [] { return LoadPackTexture("data\\Pack.dat", 0, 1); },
       [] { return LoadPackTexture("data\\Pack.dat", 1, 1); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const iHandle a = c.first();
    const iHandle b = c.second();
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    ASSERT_TRUE(PictureOf(a) && PictureOf(b));
    EXPECT_EQ(PictureOf(a) == PictureOf(b), c.shared);
    iTextureDestroy(a);
    iTextureDestroy(b);
  }
  EXPECT_TRUE(world().textures.empty());
}

TEST_F(SharedImagesTest, DestroyingOneHandleLeavesTheOthersDrawing) {
  const Bytes red = SolidPng(255, 0, 0);
  const Rgba redPixel{255, 0, 0, 255};
  const iHandle a = FromMemory(red, 1001260);
  const iHandle b = FromMemory(red, 1001261);
  const iHandle sprite = SpriteWith(a);
  ASSERT_EQ(Middle(), redPixel);

  // The destroyed handle draws nothing, though its picture lives on in `b`.
  iTextureDestroy(a);
  EXPECT_NE(Middle(), redPixel);
  iSpriteTextureSet(sprite, b);
  EXPECT_EQ(Middle(), redPixel);
  EXPECT_EQ(world().textures.at(b).tag, 1001261);

  // A handle made after the first one went shares with the one still alive.
  const iHandle c = FromMemory(red, 0);
  EXPECT_EQ(PictureOf(c), PictureOf(b));
  iTextureDestroy(b);
  iSpriteTextureSet(sprite, c);
  EXPECT_EQ(Middle(), redPixel);
  EXPECT_EQ(engine::Installed()->deadHandleCalls(), 0u);
}

TEST_F(SharedImagesTest, ThePictureGoesWithTheLastHandle) {
  const Bytes red = SolidPng(255, 0, 0);
  const iHandle a = FromMemory(red, 0);
  const iHandle b = FromMemory(red, 0);
  const std::weak_ptr<const engine::Image> picture = WatchPicture(a);
  iTextureDestroy(a);
  EXPECT_FALSE(picture.expired());
  iTextureDestroy(b);
  EXPECT_TRUE(picture.expired());

  // The same bytes afterwards decode again and still draw.
  const iHandle c = FromMemory(red, 0);
  ASSERT_TRUE(PictureOf(c));
  SpriteWith(c);
  EXPECT_EQ(Middle(), (Rgba{255, 0, 0, 255}));
}

TEST_F(SharedImagesTest, SharingOutlastsManyOtherPicturesComingAndGoing) {
  // Gone pictures are swept from time to time; living ones must stay shared.
  const auto picture = [](int n) {
    return SolidPng(0, static_cast<std::uint8_t>(n), 0, 1 + n / 256);
  };
  std::vector<std::pair<int, iHandle>> living;
  for (int n = 0; n < 300; ++n) {
    const iHandle texture = FromMemory(picture(n), 0);
    if (n % 3 == 0) {
      living.emplace_back(n, texture);
    } else {
      iTextureDestroy(texture);
    }
  }
  for (const auto& [n, texture] : living) {
    SCOPED_TRACE(n);
    EXPECT_EQ(PictureOf(FromMemory(picture(n), 0)), PictureOf(texture));
  }
}

TEST_F(SharedImagesTest, EachHandleStillCountsAsOneObjectOfItsOwn) {
  const Bytes red = SolidPng(255, 0, 0);
  const std::size_t before = world().textures.size();
  const iHandle a = FromMemory(red, 0);
  const iHandle b = FromMemory(red, 0);
  const iHandle c = FromMemory(red, 0);
  ASSERT_EQ(PictureOf(a), PictureOf(c));
  EXPECT_EQ(world().textures.size(), before + 3);
  const std::weak_ptr<const engine::Image> picture = WatchPicture(a);

  // Destroying a handle twice takes one object away, never another's picture.
  iTextureDestroy(b);
  iTextureDestroy(b);
  EXPECT_EQ(world().textures.size(), before + 2);
  EXPECT_FALSE(picture.expired());
  iTextureDestroy(a);
  iTextureDestroy(c);
  EXPECT_EQ(world().textures.size(), before);
  EXPECT_TRUE(picture.expired());
  EXPECT_EQ(engine::Installed()->deadHandleCalls(), 0u);
}

TEST_F(SharedImagesTest, ClosingTheEngineLetsGoOfEveryPicture) {
  const Bytes red = SolidPng(255, 0, 0);
  const iHandle a = FromMemory(red, 0);
  const iHandle b = FromMemory(red, 0);
  ASSERT_EQ(PictureOf(a), PictureOf(b));
  const std::weak_ptr<const engine::Image> picture = WatchPicture(a);
  i3ImpactClose();
  EXPECT_TRUE(world().textures.empty());
  EXPECT_TRUE(picture.expired());

  // The engine's next life decodes the same bytes afresh, and shares them again.
  const iHandle c = FromMemory(red, 0);
  const iHandle d = FromMemory(red, 0);
  ASSERT_TRUE(PictureOf(c));
  EXPECT_EQ(PictureOf(c), PictureOf(d));
  SpriteWith(d);
  EXPECT_EQ(Middle(), (Rgba{255, 0, 0, 255}));
}

// A program that never draws keeps only the pictures' sizes: textures and
// fonts work as before (a glyph outside the atlas is still dropped), nothing is
// drawn from a picture without pixels, and pixels come back with the mode.
TEST_F(SharedImagesTest, PicturesReadForTheirSizeOnlyDrawNothing) {
  const Bytes red = SolidPng(255, 0, 0, 4, 6);
  engine::FontFile font;
  font.cellWidth = 2;
  font.cellHeight = 4;
  font.glyphs = {{0, 0, 2, 4}, {3, 0, 2, 4}};
  font.atlasPng = red;
  WriteFile("data/red.wid", engine::EncodeFontFile(font));
  const engine::Image empty = Render();

  world().decodedImages.SetSizesOnly(true);
  const iHandle a = FromMemory(red, 0);
  const iHandle b = FromMemory(red, 0);
  ASSERT_TRUE(PictureOf(a));
  EXPECT_EQ(PictureOf(a), PictureOf(b));
  EXPECT_EQ(PictureOf(a)->width, 4);
  EXPECT_EQ(PictureOf(a)->height, 6);
  EXPECT_TRUE(PictureOf(a)->rgba.empty());
  EXPECT_EQ(FromMemory(Bytes{'n', 'o'}, 0), 0u);
  const iHandle text = iFontCreate("data\\red.wid", 0);
  const std::vector<engine::FontGlyphRect>& glyphs = world().fonts.at(text).glyphs;
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].w, 2);
  EXPECT_EQ(glyphs[1].w, 0);
  SpriteWith(a);
  iPrint("    ", {-4, 0}, {2, 2}, 0, text);
  EXPECT_EQ(Render().rgba, empty.rgba);

  // The engine's next life keeps the mode.
  i3ImpactClose();
  const iHandle again = FromMemory(red, 0);
  ASSERT_TRUE(PictureOf(again));
  EXPECT_FALSE(engine::HasPixels(*PictureOf(again)));

  world().decodedImages.SetSizesOnly(false);
  const iHandle c = FromMemory(red, 0);
  ASSERT_TRUE(PictureOf(c));
  EXPECT_TRUE(engine::HasPixels(*PictureOf(c)));
  SpriteWith(c);
  EXPECT_EQ(Middle(), (Rgba{255, 0, 0, 255}));
}

}  // namespace
