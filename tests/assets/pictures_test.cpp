// The generated runtime tree read back with the game's own image decoder: every
// pack and picture the game loads, at its size, with its body where the game
// logic expects it, and the same bytes on every run. The tree is the one ./test
// generates for the whole run (ZQ_RUNTIME_DIR); only without it is one made here.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/image.h"
#include "platform/little_endian.h"
#include "tests/support/test_files.h"
#include "tools/assets/picture_files.h"
#include "tools/assets/runtime_tree.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
  return platform::le::Read32(b.data() + at);
}

// The images of a pack: a directory of (offset, size) entries from byte 0. Our
// packs put the first image right after the directory, so its offset tells the
// number of entries. Empty when the layout does not hold together.
std::vector<Bytes> ReadPack(const Bytes& pack) {
  std::vector<Bytes> images;
  if (pack.size() < 8) return images;
  const std::uint32_t first = U32(pack, 0);
  if (first % 8 != 0 || first > pack.size()) return images;
  for (std::size_t entry = 0; entry < first / 8; ++entry) {
    const std::uint32_t offset = U32(pack, entry * 8), size = U32(pack, entry * 8 + 4);
    if (offset < first || std::uint64_t{offset} + size > pack.size()) return {};
    images.emplace_back(pack.begin() + offset, pack.begin() + offset + size);
  }
  return images;
}

// FNV-1a: enough to tell two files apart in a failure message.
std::uint64_t Digest(const Bytes& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

std::map<std::string, std::uint64_t> TreeDigests(const fs::path& root) {
  std::map<std::string, std::uint64_t> digests;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      digests[fs::relative(entry.path(), root).string()] =
          Digest(testing_support::FileBytes(entry.path()));
    }
  }
  return digests;
}

// The runtime tree generated for this test run, if there is one.
std::optional<fs::path> RunTree() {
  const char* tree = std::getenv("ZQ_RUNTIME_DIR");
  if (!tree || !*tree || !fs::exists(fs::path(tree) / "data")) return std::nullopt;
  return fs::path(tree);
}

fs::path MakeTempDir() {
  std::string pattern = (fs::temp_directory_path() / "zq-assets-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

// A decoded picture together with how many file pixels make one drawn pixel.
struct Picture {
  engine::Image image;
  int scale = 0;

  int Alpha(int x, int y) const {
    return image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
  }
  // The lowest row holding a mostly opaque pixel, in drawn pixels (bottom edge).
  std::optional<double> InkBottom() const {
    for (int y = image.height - 1; y >= 0; --y) {
      for (int x = 0; x < image.width; ++x) {
        if (Alpha(x, y) > 128) return double(y + 1) / scale;
      }
    }
    return std::nullopt;
  }
  // Share of mostly opaque pixels inside a rectangle given in drawn pixels.
  double Coverage(double left, double top, double width, double height) const {
    int inked = 0, total = 0;
    for (int y = int(top * scale); y < int((top + height) * scale); ++y) {
      for (int x = int(left * scale); x < int((left + width) * scale); ++x) {
        ++total;
        inked += Alpha(x, y) > 128 ? 1 : 0;
      }
    }
    return total == 0 ? 0 : double(inked) / total;
  }
  // Left and right edge of the ink (alpha above the threshold), in drawn pixels.
  std::pair<double, double> InkSpan(int threshold) const {
    int lo = image.width, hi = -1;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (Alpha(x, y) > threshold) {
          lo = std::min(lo, x);
          hi = std::max(hi, x);
        }
      }
    }
    return {double(lo) / scale, double(hi + 1) / scale};
  }
};

// Decodes and checks the size: the drawn size or an exact multiple of it.
std::optional<Picture> Decode(const Bytes& bytes, int drawnWidth, int drawnHeight) {
  std::optional<engine::Image> image = engine::DecodeImage(bytes);
  if (!image || image->width % drawnWidth != 0) return std::nullopt;
  const int scale = image->width / drawnWidth;
  if (scale < 1 || image->height != drawnHeight * scale) return std::nullopt;
  return Picture{std::move(*image), scale};
}

struct Size {
  int width, height;
};

struct PackCase {
  const char* file;
  int count;
  std::function<Size(int)> size;  // drawn size of image i
};

Size Square(int side) {
  return {side, side};
}

const std::vector<PackCase>& Packs() {
  static const std::vector<PackCase> packs{
      {"MainMenu.dat", 16,
       [](int i) {
         return i < 12 ? Size{400, 80} : Size{256, 128};
       }},
      {"Forms.dat", 4,
       [](int i) {
         return i < 3 ? Size{640, 480} : Size{400, 320};
       }},
      {"Background.dat", 2,
       [](int i) {
         return i == 0 ? Size{300, 150} : Size{800, 600};
       }},
      {"GameBack.dat", 3, [](int) { return Square(1024); }},
      {"Blocks.dat", 4,
       [](int) {
         return Size{180, 100};
       }},
      {"Interface.dat", 2, [](int) { return Square(50); }},
      {"Cosmonaut.dat", 48, [](int) { return Square(128); }},
      {"Cangoroo.dat", 44, [](int) { return Square(128); }},
      {"Mouse.dat", 48, [](int) { return Square(128); }},
      {"Blue.dat", 46, [](int) { return Square(128); }},
      {"Toothy.dat", 40, [](int) { return Square(100); }},
      {"Raven.dat", 12, [](int) { return Square(128); }},
      {"Banka.dat", 7, [](int) { return Square(64); }},
      {"Diamond.dat", 4, [](int) { return Square(64); }},
      {"Snow.dat", 5, [](int) { return Square(64); }},
      {"LifePlus.dat", 2, [](int) { return Square(64); }},
      {"Baloon.dat", 6, [](int) { return Square(128); }},
      {"Sandclock.dat", 7, [](int) { return Square(50); }},
  };
  return packs;
}

struct SingleCase {
  const char* file;
  Size size;
};

const std::vector<SingleCase>& Singles() {
  static const std::vector<SingleCase> singles{
      {"loading.png", {800, 600}},    {"Sun.png", {256, 256}},
      {"Menu_Cloud.png", {512, 256}}, {"gameover.png", {600, 600}},
      {"cursor.png", {40, 40}},       {"over1.png", {400, 280}},
      {"over2.png", {400, 280}},      {"over3.png", {400, 280}},
      {"over4.png", {400, 280}},      {"over5.png", {400, 280}},
      {"over6.png", {400, 280}},      {"over7.png", {400, 280}},
      {"Panel.png", {800, 100}},      {"LevelComplete.png", {800, 600}},
      {"Pause.png", {800, 600}},      {"UFO.png", {256, 256}},
      {"cloud1.png", {600, 200}},     {"cloud2.png", {600, 200}},
      {"Banana.png", {64, 64}},       {"Pear.png", {64, 64}},
      {"clock.png", {64, 64}},
  };
  return singles;
}

// The pictures of one generated tree, shared by the tests of this file.
class GeneratedTree : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (const auto tree = RunTree()) {
      root_ = new fs::path(*tree);
      return;
    }
    root_ = new fs::path(MakeTempDir());
    made_ = true;
    assets::WritePictures(*root_ / "data");
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    if (made_) fs::remove_all(*root_, ignored);
    delete root_;
    root_ = nullptr;
    made_ = false;
  }

  static fs::path Data(const std::string& name) { return *root_ / "data" / name; }

  static Picture PackImage(const std::string& pack, int index, Size size) {
    const std::vector<Bytes> images = ReadPack(testing_support::FileBytes(Data(pack)));
    EXPECT_LT(index, static_cast<int>(images.size())) << pack;
    if (index >= static_cast<int>(images.size())) return {};
    std::optional<Picture> picture = Decode(images[index], size.width, size.height);
    EXPECT_TRUE(picture) << pack << " image " << index;
    return picture ? std::move(*picture) : Picture{};
  }

  static Picture SinglePicture(const std::string& file, Size size) {
    std::optional<Picture> picture =
        Decode(testing_support::FileBytes(Data(file)), size.width, size.height);
    EXPECT_TRUE(picture) << file;
    return picture ? std::move(*picture) : Picture{};
  }

  static inline fs::path* root_ = nullptr;
  static inline bool made_ = false;
};

// Compared with the run's tree, written by the generator program in another
// process (an older tree may hold files the generator no longer writes).
TEST(RuntimeTree, GeneratingTwiceGivesTheSameBytes) {
  const fs::path first = MakeTempDir();
  const std::optional<fs::path> earlier = RunTree();
  const fs::path second = earlier ? *earlier : MakeTempDir();
  assets::WriteRuntimeTree(first);
  if (!earlier) assets::WriteRuntimeTree(second);
  const auto one = TreeDigests(first);
  const auto two = TreeDigests(second);
  fs::remove_all(first);
  if (!earlier) fs::remove_all(second);
  ASSERT_FALSE(one.empty());
  for (const auto& [file, digest] : one) {
    ASSERT_TRUE(two.count(file)) << file << " missing from the second run";
    EXPECT_EQ(digest, two.at(file)) << file << " differs between runs";
  }
  if (!earlier) {
    EXPECT_EQ(one.size(), two.size());
  }
  // The tree holds the pictures, the font, the particle texture and the sounds.
  for (const char* file : {"data/Cosmonaut.dat", "data/sprite.x", "data/_font/BubbleGum.wid",
                           "data/particle_clot.dds", "sound/1.xm", "sound/step.wav"}) {
    EXPECT_TRUE(one.count(fs::path(file).string())) << file;
  }
}

TEST_F(GeneratedTree, EveryPackHoldsItsImagesAtTheirDrawnSize) {
  for (const PackCase& pack : Packs()) {
    SCOPED_TRACE(pack.file);
    const std::vector<Bytes> images = ReadPack(testing_support::FileBytes(Data(pack.file)));
    ASSERT_EQ(static_cast<int>(images.size()), pack.count);
    for (int i = 0; i < pack.count; ++i) {
      const Size size = pack.size(i);
      EXPECT_TRUE(Decode(images[i], size.width, size.height))
          << "image " << i << " does not decode at " << size.width << "x" << size.height
          << " or a multiple";
    }
  }
}

TEST_F(GeneratedTree, EverySinglePictureDecodesAtItsSize) {
  for (const SingleCase& single : Singles()) {
    EXPECT_TRUE(Decode(testing_support::FileBytes(Data(single.file)), single.size.width,
                       single.size.height))
        << single.file;
  }
  EXPECT_FALSE(testing_support::FileBytes(Data("sprite.x")).empty());
}

// Standing pictures put their feet (or a resting bonus its base, a block its
// slab) on the line the game logic stands them on, and cover their contact box.
TEST_F(GeneratedTree, StandingPicturesRestOnTheirLineAndCoverTheirBox) {
  struct Case {
    const char* pack;
    int index;
    Size size;
    double line;                           // standing line, drawn pixels from the top
    double boxWidth, boxHeight, minCover;  // contact box above the line, centred
  };
  const Case cases[] = {
      {"Cosmonaut.dat", 0, Square(128), 104, 40, 80, 0.35},   // standing, facing left
      {"Cosmonaut.dat", 8, Square(128), 104, 40, 80, 0.35},   // standing, facing right
      {"Cosmonaut.dat", 11, Square(128), 104, 40, 80, 0.35},  // running
      {"Cosmonaut.dat", 21, Square(128), 104, 40, 80, 0.35},  // crouching to jump
      {"Cangoroo.dat", 0, Square(128), 106.5, 40, 30, 0.3},
      {"Cangoroo.dat", 6, Square(128), 106.5, 40, 30, 0.3},
      {"Mouse.dat", 0, Square(128), 104, 40, 30, 0.3},
      {"Mouse.dat", 4, Square(128), 104, 40, 30, 0.3},
      {"Blue.dat", 0, Square(128), 91.5, 40, 30, 0.3},
      {"Blue.dat", 5, Square(128), 91.5, 40, 30, 0.3},
      {"Toothy.dat", 0, Square(100), 90, 40, 30, 0.3},
      {"Toothy.dat", 4, Square(100), 90, 40, 30, 0.3},
      {"Diamond.dat", 0, Square(64), 54.5, 20, 20, 0.3},
      {"LifePlus.dat", 0, Square(64), 54.5, 20, 20, 0.3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pack) + " image " + std::to_string(c.index));
    const Picture picture = PackImage(c.pack, c.index, c.size);
    const std::optional<double> bottom = picture.InkBottom();
    ASSERT_TRUE(bottom);
    EXPECT_NEAR(*bottom, c.line, 2.5);
    EXPECT_GE(picture.Coverage((c.size.width - c.boxWidth) / 2, c.line - c.boxHeight, c.boxWidth,
                               c.boxHeight),
              c.minCover);
  }
  // The walkable top of every block is the top of its slab: the slab's middle
  // is solid from just below that line.
  for (int style = 0; style < 4; ++style) {
    SCOPED_TRACE("block " + std::to_string(style));
    const Picture block = PackImage("Blocks.dat", style, {180, 100});
    EXPECT_GT(block.Coverage(30, 40, 120, 20), 0.9);
    EXPECT_LT(block.Coverage(30, 8, 120, 20), 0.05);
  }
}

TEST_F(GeneratedTree, MenuLabelsAreAsWideAsTheirPointerAreas) {
  // Items 1, 3, 5 about 300 px, item 2 about 200, items 4 and 6 about 150.
  const double widths[] = {300, 200, 300, 150, 300, 150};
  for (int item = 1; item <= 6; ++item) {
    SCOPED_TRACE("item " + std::to_string(item));
    const Picture plain = PackImage("MainMenu.dat", 2 * (item - 1), {400, 80});
    const auto [left, right] = plain.InkSpan(128);
    EXPECT_NEAR(right - left, widths[item - 1], widths[item - 1] * 0.15);
    EXPECT_NEAR((left + right) / 2, 200, 6);
    // The glowing highlight lies over the same place.
    const Picture lit = PackImage("MainMenu.dat", 2 * item - 1, {400, 80});
    const auto [litLeft, litRight] = lit.InkSpan(128);
    EXPECT_NEAR((litLeft + litRight) / 2, (left + right) / 2, 6);
  }
}

TEST_F(GeneratedTree, PicturesPartlyOffScreenKeepTheirContentOnScreen) {
  // The title logo: its right and bottom parts fall off screen.
  const Picture logo = PackImage("Background.dat", 0, {300, 150});
  EXPECT_LT(logo.Coverage(225, 0, 75, 150), 0.001);
  EXPECT_LT(logo.Coverage(0, 112, 300, 38), 0.001);
  EXPECT_GT(logo.Coverage(0, 0, 225, 112), 0.15);
  // The HUD bar: only its lower 55 px show, and they are solid.
  const Picture panel = SinglePicture("Panel.png", {800, 100});
  EXPECT_GT(panel.Coverage(0, 45, 800, 50), 0.97);
  // The pointer's hot spot is the middle of its picture: the tip is there and
  // nothing solid lies above or left of it.
  const Picture cursor = SinglePicture("cursor.png", {40, 40});
  EXPECT_GT(cursor.Alpha(20 * cursor.scale, 20 * cursor.scale + cursor.scale), 128);
  EXPECT_LT(cursor.Coverage(0, 0, 40, 19), 0.001);
  EXPECT_LT(cursor.Coverage(0, 0, 19, 40), 0.001);
}

TEST_F(GeneratedTree, BackdropsAreSolidAndOverlaysMostlyClear) {
  for (const auto& [pack, index, size] :
       {std::tuple{"GameBack.dat", 0, Square(1024)}, std::tuple{"GameBack.dat", 1, Square(1024)},
        std::tuple{"GameBack.dat", 2, Square(1024)},
        std::tuple{"Background.dat", 1, Size{800, 600}}}) {
    EXPECT_EQ(PackImage(pack, index, size).Coverage(0, 0, size.width, size.height), 1.0)
        << pack << " " << index;
  }
  EXPECT_EQ(SinglePicture("loading.png", {800, 600}).Coverage(0, 0, 800, 600), 1.0);
  for (const char* overlay : {"LevelComplete.png", "Pause.png"}) {
    EXPECT_LT(SinglePicture(overlay, {800, 600}).Coverage(0, 0, 800, 600), 0.4) << overlay;
  }
  const Picture gameOver = SinglePicture("gameover.png", {600, 600});
  EXPECT_LT(gameOver.Coverage(0, 0, 600, 80), 0.001);
  EXPECT_GT(gameOver.Coverage(100, 150, 400, 300), 0.2);
}

}  // namespace
