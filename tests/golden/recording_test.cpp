// Stored recordings of games (tests/golden/recordings) played again by
// zq-sim --replay --verify: every build that ./test runs must reach each
// recording's result, frame for frame (its digests every 256 frames), and a
// damaged or edited recording is refused with its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "protocol/replay.h"
#include "tests/golden/golden_run.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRecordings = fs::path(ZQ_SOURCE_DIR) / "tests" / "golden" / "recordings";

struct Stored {
  const char* name;
  int score;
  int level;
  int phases;
};

// level_play and balloons: the golden scripts' games, cut at the run's end;
// monkey_game_over: a steered soak's second game, played to game over.
const Stored kStored[] = {
    {"level_play", 50, 1, 860},
    {"balloons", 10, 5, 760},
    {"monkey_game_over", 550, 2, 8241},
};

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

class Recording : public ::testing::Test {
 protected:
  Recording() { golden::CopyRuntimeTree(dir_.path()); }

  golden::SimOutput Verify(const fs::path& file) {
    return golden::RunSimWith(dir_.path(), {"--replay", file.string(), "--verify"});
  }

  testing_support::TempDir dir_;
};

TEST_F(Recording, StoredGamesReachTheirResult) {
  for (const Stored& stored : kStored) {
    SCOPED_TRACE(stored.name);
    const golden::SimOutput out = Verify(kRecordings / (std::string(stored.name) + ".zqr"));
    EXPECT_EQ(out.status, 0);
    ASSERT_EQ(out.lines.size(), 1u);
    const auto json = nlohmann::json::parse(out.lines[0]);
    EXPECT_EQ(json["verified"], true);
    EXPECT_EQ(json["score"], stored.score);
    EXPECT_EQ(json["level"], stored.level);
    EXPECT_EQ(json["phases"], stored.phases);
    EXPECT_TRUE(json["firstDifferentPhase"].is_null());
  }
}

TEST_F(Recording, DamagedOrEditedRecordingsAreRefused) {
  const std::vector<std::uint8_t> good = ReadBytes(kRecordings / "level_play.zqr");
  auto flipped = good;
  flipped[good.size() / 2] ^= 0x01;
  protocol::Replay edited = protocol::DecodeReplay(good);
  edited.score += 100;
  protocol::Replay moved = protocol::DecodeReplay(good);
  // Jumps to the right the player never made, from frame 299 of play on.
  for (std::size_t step = 300; step < 330; ++step) moved.steps[step].keys = 2 | 8;

  const struct {
    const char* name;
    std::vector<std::uint8_t> file;
    int status;
    const char* says;  // in the error, or in the JSON line
  } kCases[] = {
      {"one changed byte", flipped, 2, "damaged"},
      {"cut short", {good.begin(), good.end() - 10}, 2, "damaged"},
      {"score edited", protocol::EncodeReplay(edited), 1, "\"recordedScore\": 150"},
      {"a step changed", protocol::EncodeReplay(moved), 1, "\"firstDifferentPhase\": 512"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path file = dir_.path() / "forged.zqr";
    WriteBytes(file, c.file);
    const golden::SimOutput out = Verify(file);
    EXPECT_EQ(out.status, c.status);
    if (c.status == 1) {
      ASSERT_EQ(out.lines.size(), 1u);
      EXPECT_NE(out.lines[0].find("\"verified\": false"), std::string::npos) << out.lines[0];
      EXPECT_NE(out.lines[0].find(c.says), std::string::npos) << out.lines[0];
    } else {
      EXPECT_TRUE(out.lines.empty());
    }
  }
}

// A check stands on the recording alone: saved files in the runtime tree (here
// too short to read, which fails any other run) are neither read nor changed,
// nothing is written beside them, and the check's scratch directory goes.
TEST_F(Recording, ACheckLeavesTheRuntimeTreeAsItFoundIt) {
  const fs::path data = dir_.path() / "data";
  for (const char* saved : {"settings.dat", "Records.DAT", "boss.dat"}) {
    WriteBytes(data / saved, {0x01});
  }
  const auto listing = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(data)) {
      names.push_back(entry.path().filename().string() + " " +
                      std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = listing();
  const fs::path scratch = dir_.path() / "tmp";
  fs::create_directory(scratch);
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keptTmp = oldTmp ? oldTmp : "";
  setenv("TMPDIR", scratch.c_str(), 1);
  const golden::SimOutput out = Verify(kRecordings / "level_play.zqr");
  if (oldTmp) {
    setenv("TMPDIR", keptTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }

  EXPECT_EQ(out.status, 0);
  ASSERT_EQ(out.lines.size(), 1u);
  EXPECT_NE(out.lines[0].find("\"verified\": true"), std::string::npos) << out.lines[0];
  EXPECT_EQ(listing(), before);
  EXPECT_TRUE(fs::is_empty(scratch));
}

// A check reads the runtime's pictures for their sizes only; a check asked for
// a frame's picture decodes them as every other run does. Both meet the
// recording's digests alike (or miss the same one), and the picture is the
// plain replay's.
TEST_F(Recording, ACheckWithoutPixelsEndsAsOneThatDraws) {
  protocol::Replay moved = protocol::DecodeReplay(ReadBytes(kRecordings / "level_play.zqr"));
  for (std::size_t step = 300; step < 330; ++step) moved.steps[step].keys = 2 | 8;
  WriteBytes(dir_.path() / "moved.zqr", protocol::EncodeReplay(moved));
  const auto shot = [this](const char* name) {
    return "600:" + (dir_.path() / (std::string(name) + ".png")).string();
  };

  const struct {
    fs::path file;
    int status;
    const char* picture;
  } kCases[] = {
      {kRecordings / "level_play.zqr", 0, "checked"},
      {dir_.path() / "moved.zqr", 1, "moved"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.file.filename().string());
    const golden::SimOutput check = Verify(c.file);
    const golden::SimOutput drawing = golden::RunSimWith(
        dir_.path(), {"--replay", c.file.string(), "--verify", "--shot", shot(c.picture)});
    EXPECT_EQ(check.status, c.status);
    EXPECT_EQ(drawing.status, c.status);
    ASSERT_EQ(check.lines.size(), 1u);
    EXPECT_EQ(check.lines, drawing.lines);
  }

  const golden::SimOutput replay =
      golden::RunSimWith(dir_.path(), {"--replay", (kRecordings / "level_play.zqr").string(),
                                       "--frames", "600", "--shot", shot("replayed")});
  ASSERT_EQ(replay.status, 0);
  const std::vector<std::uint8_t> checked = ReadBytes(dir_.path() / "checked.png");
  EXPECT_FALSE(checked.empty());
  EXPECT_EQ(checked, ReadBytes(dir_.path() / "replayed.png"));
}

}  // namespace
