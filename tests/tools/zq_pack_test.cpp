// Runs the built zq-pack program on files in a temporary directory.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/image.h"
#include "engine/texture_pack.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kZqPack = ZQ_BINARY_DIR "/tools/pack/zq-pack";

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes ReadBytes(const std::filesystem::path& path) {
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

Outcome ZqPack(const std::vector<std::string>& args) {
  std::string command = Quoted(kZqPack);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  command += " >stdout.txt 2>stderr.txt";
  Outcome run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText("stdout.txt");
  run.err = ReadText("stderr.txt");
  return run;
}

Bytes Png(int width, int height) {
  engine::Image image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.rgba.insert(image.rgba.end(), {static_cast<std::uint8_t>(i * 17), 40, 200, 255});
  }
  return engine::EncodePng(image);
}

// A 2 x 2 uncompressed 32-bit DDS.
Bytes Dds() {
  Bytes out(128, 0);
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'D', out[1] = 'D', out[2] = 'S', out[3] = ' ';
  put(4, 124);
  put(12, 2);
  put(16, 2);
  put(76, 32);
  put(80, 0x41);
  put(88, 32);
  put(92, 0x00ff0000);
  put(96, 0x0000ff00);
  put(100, 0x000000ff);
  put(104, 0xff000000);
  out.resize(128 + 16, 0x80);
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ZqPackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kZqPack)) << kZqPack << " is not built";
  }
  testing_support::TempDir dir_;
};

TEST_F(ZqPackTest, CreateListExtractRoundTrip) {
  const std::vector<std::pair<std::string, Bytes>> inputs = {
      {"first.png", Png(3, 2)}, {"glow.dds", Dds()}, {"last.png", Png(5, 1)}};
  std::vector<std::string> args = {"create", "out.dat"};
  for (const auto& [name, bytes] : inputs) {
    WriteBytes(name, bytes);
    args.push_back(name);
  }
  const Outcome created = ZqPack(args);
  ASSERT_EQ(created.status, 0) << created.err;

  const Outcome listed = ZqPack({"list", "out.dat"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  const std::vector<std::string> lines = Lines(listed.out);
  ASSERT_EQ(lines.size(), 4u) << listed.out;
  const char* const images[] = {"png 3x2", "dds 2x2", "png 5x1"};
  std::size_t offset = 8 * inputs.size();
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    SCOPED_TRACE(inputs[i].first);
    std::istringstream row(lines[i + 1]);
    std::size_t index = 0, rowOffset = 0, rowSize = 0;
    std::string image;
    row >> index >> rowOffset >> rowSize >> std::ws;
    std::getline(row, image);
    EXPECT_EQ(index, i);
    EXPECT_EQ(rowOffset, offset);
    EXPECT_EQ(rowSize, inputs[i].second.size());
    EXPECT_EQ(image, images[i]);
    offset += inputs[i].second.size();

    const std::string out = "extracted" + std::to_string(i);
    const Outcome extracted = ZqPack({"extract", "out.dat", std::to_string(i), out});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_EQ(ReadBytes(out), inputs[i].second);

    // The game's reader sees the same bytes.
    ImageBlob blob;
    LoadPackBlob(blob, static_cast<std::int32_t>(i), "out.dat");
    EXPECT_EQ(blob.Data, inputs[i].second);
  }
}

TEST_F(ZqPackTest, ListNamesEntriesThatHoldNoImage) {
  Bytes pack = {24, 0, 0, 0, 4, 0, 0, 0,   // 0: four bytes of text
                28, 0, 0, 0, 0, 0, 0, 0,   // 1: empty
                0,  1, 0, 0, 9, 0, 0, 0};  // 2: beyond the end
  pack.insert(pack.end(), {'t', 'e', 'x', 't'});
  WriteBytes("odd.dat", pack);
  const Outcome listed = ZqPack({"list", "odd.dat"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  const std::vector<std::string> lines = Lines(listed.out);
  ASSERT_EQ(lines.size(), 4u) << listed.out;
  EXPECT_TRUE(lines[1].ends_with("not an image")) << lines[1];
  EXPECT_TRUE(lines[2].ends_with("empty")) << lines[2];
  EXPECT_TRUE(lines[3].ends_with("outside the file")) << lines[3];
}

TEST_F(ZqPackTest, BadArgumentsAndUnreadableInputFailNamingTheProblem) {
  WriteBytes("a.png", Png(1, 1));
  WriteBytes("notes.txt", {'h', 'i'});
  ASSERT_EQ(ZqPack({"create", "pack.dat", "a.png"}).status, 0);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, 2, "usage:"},
      {{"frobnicate"}, 2, "unknown command \"frobnicate\""},
      {{"create", "out.dat"}, 2, "usage:"},
      {{"list"}, 2, "usage:"},
      {{"extract", "pack.dat", "0"}, 2, "usage:"},
      {{"extract", "pack.dat", "x1", "o.png"}, 2, "INDEX"},
      {{"extract", "pack.dat", "-1", "o.png"}, 2, "INDEX"},
      {{"extract", "pack.dat", "1", "o.png"}, 1, "pack.dat: entry 1"},
      {{"extract", "missing.dat", "0", "o.png"}, 1, "missing.dat"},
      {{"list", "missing.dat"}, 1, "missing.dat"},
      {{"create", "out.dat", "a.png", "missing.png"}, 1, "missing.png"},
      {{"create", "out.dat", "a.png", "notes.txt"}, 1, "notes.txt"},
      {{"create", "no-such-dir/out.dat", "a.png"}, 1, "no-such-dir/out.dat"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const std::string& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    const Outcome run = ZqPack(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists("out.dat"));
  EXPECT_FALSE(std::filesystem::exists("o.png"));

  const Outcome help = ZqPack({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage:"), std::string::npos);
}

}  // namespace
