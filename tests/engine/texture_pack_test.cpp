#include "engine/texture_pack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/image.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/pack/pack_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PngOfSize(int width, int height) {
  engine::Image image;
  image.width = width;
  image.height = height;
  image.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0x5a);
  return engine::EncodePng(image);
}

Bytes Entry(std::uint32_t offset, std::uint32_t size) {
  Bytes out;
  for (std::uint32_t v : {offset, size}) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  return out;
}

// Writes `pieces` at their byte positions; the gaps stay holes of zeros.
void WriteFileAt(const std::filesystem::path& path,
                 const std::vector<std::pair<std::uint64_t, Bytes>>& pieces) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& [at, bytes] : pieces) {
    out.seekp(static_cast<std::streamoff>(at));
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  ASSERT_TRUE(out.good()) << path;
}

class TexturePackTest : public testing_support::EngineTest {
 protected:
  // The size of the picture behind a texture, and the texture's tag.
  struct Made {
    int width = 0;
    int height = 0;
    std::int32_t tag = 0;
    bool operator==(const Made&) const = default;
  };
  Made TextureInfo(iHandle texture) {
    const auto found = world().textures.find(texture);
    if (found == world().textures.end() || !found->second.image) return {};
    return {found->second.image->width, found->second.image->height, found->second.tag};
  }

  testing_support::TempDir dir_;
};

TEST_F(TexturePackTest, EachIndexGivesItsOwnImageWithTheCallersTag) {
  const std::vector<Bytes> images = {PngOfSize(1, 1), PngOfSize(2, 3), PngOfSize(5, 4)};
  WriteFileAt("data/Blocks.dat", {{0, packs::BuildPack(images)}});
  const Made expected[] = {{1, 1, 1001100}, {2, 3, 1001101}, {5, 4, 1001102}};
  for (std::uint16_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    // Game paths use backslashes and any letter case.
    const iHandle texture = LoadPackTexture("Data\\BLOCKS.dat", i, 1001100 + i);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(TextureInfo(texture), expected[i]);

    ImageBlob blob;
    LoadPackBlob(blob, i, "data\\Blocks.dat");
    EXPECT_EQ(blob.Data, images[i]);
    EXPECT_EQ(blob.Size, static_cast<std::int32_t>(images[i].size()));
  }
}

TEST_F(TexturePackTest, FirstAndLastIndexReadTheirDirectorySlots) {
  // Entry 0 at byte 0; entry 65535 at byte 524280, just before its image.
  const Bytes first = PngOfSize(3, 2);
  const Bytes last = PngOfSize(7, 6);
  const std::uint32_t lastAt = 524288;
  WriteFileAt("data/Sparse.dat", {{0, Entry(lastAt + static_cast<std::uint32_t>(last.size()),
                                            static_cast<std::uint32_t>(first.size()))},
                                  {524280, Entry(lastAt, static_cast<std::uint32_t>(last.size()))},
                                  {lastAt, last},
                                  {lastAt + last.size(), first}});

  EXPECT_EQ(TextureInfo(LoadPackTexture("data\\Sparse.dat", 0, 7)), (Made{3, 2, 7}));
  EXPECT_EQ(TextureInfo(LoadPackTexture("data\\Sparse.dat", 65535, 8)), (Made{7, 6, 8}));
  ImageBlob blob;
  LoadPackBlob(blob, 65535, "data\\Sparse.dat");
  EXPECT_EQ(blob.Data, last);
}

TEST_F(TexturePackTest, EntriesThatHoldNoImageGiveNoTextureAndAnEmptyBlob) {
  const Bytes png = PngOfSize(2, 2);
  const auto size = static_cast<std::uint32_t>(png.size());
  const std::uint32_t cutSlot = (8 + size + 7) / 8 * 8;  // 4 bytes of a slot at the end
  struct Case {
    const char* name;
    std::vector<std::pair<std::uint64_t, Bytes>> file;
    std::int32_t index;
  };
  const std::vector<Case> cases = {
      {"size 0", {{0, Entry(16, 0)}, {8, Entry(16, size)}, {16, png}}, 0},
      {"offset past the end", {{0, Entry(8 + size, size)}, {8, png}}, 0},
      {"size reaching past the end", {{0, Entry(8, size + 1)}, {8, png}}, 0},
      {"offset and size beyond 32 bits", {{0, Entry(0xfffffff0u, 0x20)}, {8, png}}, 0},
      {"directory slot beyond the file", {{0, Entry(8, size)}, {8, png}}, 1000},
      {"directory slot cut by the end",
       {{0, Entry(8, size)}, {8, png}, {cutSlot, {8, 0, 0, 0}}},
       static_cast<std::int32_t>(cutSlot / 8)},
      {"negative blob index", {{0, Entry(8, size)}, {8, png}}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileAt("data/Bad.dat", c.file);
    if (c.index >= 0) {
      EXPECT_EQ(LoadPackTexture("data\\Bad.dat", static_cast<std::uint16_t>(c.index), 1), 0u);
    }
    ImageBlob blob{{9, 9, 9}, 3};
    LoadPackBlob(blob, c.index, "data\\Bad.dat");
    EXPECT_TRUE(blob.Data.empty());
    EXPECT_EQ(blob.Size, 0);
  }
  EXPECT_TRUE(world().textures.empty());
}

TEST_F(TexturePackTest, AFileThatCannotBeOpenedGivesNoTextureAndLeavesTheBlob) {
  std::filesystem::create_directories("data/Folder.dat");
  for (const char* name :
       {"data\\Missing.dat", "data\\Folder.dat", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name ? name : "null");
    EXPECT_EQ(LoadPackTexture(name, 0, 1), 0u);
    ImageBlob blob{{1, 2, 3}, 3};
    LoadPackBlob(blob, 0, name);
    EXPECT_EQ(blob.Data, (Bytes{1, 2, 3}));
    EXPECT_EQ(blob.Size, 3);
  }
}

TEST_F(TexturePackTest, EveryLoadMakesANewTexture) {
  WriteFileAt("data/Forms.dat", {{0, packs::BuildPack(std::vector<Bytes>{PngOfSize(4, 4)})}});
  const iHandle a = LoadPackTexture("data\\Forms.dat", 0, 1000001);
  const iHandle b = LoadPackTexture("data\\Forms.dat", 0, 1000001);
  EXPECT_NE(a, 0u);
  EXPECT_NE(b, 0u);
  EXPECT_NE(a, b);
  EXPECT_EQ(world().textures.size(), 2u);

  // A blob makes textures without the file.
  ImageBlob blob;
  LoadPackBlob(blob, 0, "data\\Forms.dat");
  std::filesystem::remove("data/Forms.dat");
  const iHandle c = iTextureCreateFromMemory(blob.Data.data(), blob.Size, 1000500);
  EXPECT_EQ(TextureInfo(c), (Made{4, 4, 1000500}));
}

}  // namespace
