// Replayed games: zq-sim plays a script from a fixed seed, and the state of
// every 100th frame and of the last one must match the states recorded in
// expected/NAME.json, key by key. Only the keys below are recorded: what play
// changes (screen, score, lives, timer, the hero, missiles, enemies, bonuses,
// balloons, the raven, settings and high scores), not pictures or texts.
// Numbers that are not whole may differ by 1e-4: objects move by hundredths
// of a unit per frame and the timer by 1/75 s, so a changed rule shows, a
// rounding difference in the last digits does not.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/golden/golden_run.h"
#include "tests/golden/state_compare.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using golden::Json;

const golden::SimCase kReplays[] = {
    {.script = "level_play", .seed = 1, .frames = 1100},
    {.script = "fall_out", .seed = 2, .frames = 600},
    {.script = "balloons", .seed = 1, .level = 5, .frames = 1000},
    {.script = "options_change", .seed = 3, .frames = 400},
};

constexpr int kCheckpointEvery = 100;
constexpr double kStateTolerance = 1e-4;

// The recorded keys of zq-sim's frame JSON (see golden::Pick).
const Json kKeys = Json::parse(R"({
  "frame": 0, "screenStateName": 0, "menuSceneActive": 0, "music": 0, "shellOpened": 0,
  "mainMenu": {"selection": 0}, "dialog": {"selection": 0}, "settings": 0, "records": 0,
  "game": {
    "level": 0, "score": 0, "lives": 0, "entryPhase": 0, "walkingOut": 0,
    "respawnRequested": 0, "timeOverPhase": 0, "levelCompletePhase": 0, "gameOverPhase": 0,
    "timeLeft": 0, "timeTotal": 0, "clockStopTimer": 0, "freezeTimer": 0, "cameraY": 0,
    "ufo": {"x": 0, "y": 0, "shown": 0},
    "hero": {"x": 0, "y": 0, "direction": 0, "jumpStep": 0, "running": 0, "falling": 0,
             "rising": 0, "dying": 0, "shown": 0},
    "missiles": [{"index": 0, "x": 0, "y": 0, "heading": 0}],
    "platforms": [{"x": 0, "y": 0}],
    "bonuses": [{"kind": 0, "x": 0, "y": 0, "taken": 0}],
    "enemies": [{"kind": 0, "x": 0, "y": 0, "direction": 0, "state": 0, "platformIndex": 0}],
    "balloons": [{"x": 0, "y": 0, "taken": 0}],
    "raven": {"x": 0, "y": 0, "idle": 0, "dropped": 0, "bonusIndex": 0}
  }
})");

std::string Checkpoints(const golden::SimCase& run) {
  std::string frames;
  for (int frame = kCheckpointEvery; frame < run.frames; frame += kCheckpointEvery) {
    frames += std::to_string(frame) + ",";
  }
  return frames + std::to_string(run.frames);
}

std::string RecordedFrames(const Json& states) {
  std::string frames;
  for (const Json& state : states) {
    frames += (frames.empty() ? "" : ",") + std::to_string(state.at("frame").get<int>());
  }
  return frames;
}

void WriteStates(const fs::path& file, const Json& states) {
  std::ofstream(file) << states.dump(1) << "\n";
}

class Replay : public ::testing::TestWithParam<golden::SimCase> {
 protected:
  testing_support::TempDir dir_;
};

TEST_P(Replay, MatchesRecordedStates) {
  const golden::SimCase& run = GetParam();
  golden::CopyRuntimeTree(dir_.path());
  const fs::path expectedFile = golden::ExpectedFile(run.script + ".json");
  const fs::path actualFile = golden::FailureFile(run.script + ".json");
  fs::remove(actualFile);

  const bool rewrite = golden::RewriteRequested();
  Json expected = Json::array();
  if (!rewrite) {
    std::ifstream in(expectedFile);
    ASSERT_TRUE(in) << "cannot read " << expectedFile << "; to write it, " << golden::kRewriteHint;
    expected = Json::parse(in);
    ASSERT_TRUE(expected.is_array() && !expected.empty()) << expectedFile << " holds no states";
  }
  const golden::SimOutput out = golden::RunSim(
      run, dir_.path(), {"--dump", rewrite ? Checkpoints(run) : RecordedFrames(expected)});
  ASSERT_EQ(out.status, 0) << "zq-sim failed";
  Json actual = Json::array();
  for (const std::string& line : out.lines)
    actual.push_back(golden::Pick(Json::parse(line), kKeys));

  if (rewrite) {
    WriteStates(expectedFile, actual);
    GTEST_SKIP() << "rewrote " << expectedFile;
  }
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const int frame = expected[i].at("frame").get<int>();
    std::optional<std::string> difference;
    if (i >= actual.size()) {
      difference = "the run ended before it";
    } else {
      difference = golden::FirstDifference(expected[i], actual[i], kStateTolerance);
    }
    if (difference) {
      WriteStates(actualFile, actual);
      FAIL() << run.script << ": frame " << frame << ": " << *difference
             << "\n  expected: " << expectedFile << "\n  actual:   " << actualFile << "\n  "
             << golden::kRewriteHint;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(golden, Replay, ::testing::ValuesIn(kReplays),
                         [](const auto& info) { return info.param.script; });

}  // namespace
