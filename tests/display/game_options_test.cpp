// The game program's command line, run as a process: --help and --version
// print and succeed without needing a display, a bad option is one line on
// standard error and exit code 2, and so is a recording for --replay that
// cannot be played, refused before any window is asked for.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "protocol/replay.h"
#include "tests/display/game_program.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::kGame;

struct Outcome {
  int exitCode = -1;
  std::string out;  // standard output and standard error
};

Outcome RunGame(const std::string& args) {
  // No display: none of these may need one.
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY " + kGame.string() + " " + args + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) outcome.out += buffer;
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(GameOptions, HelpVersionAndBadOptions) {
  struct Case {
    std::string args;
    int exitCode;
    std::string mustContain;
    bool oneLine;
  };
  const Case cases[] = {
      {"--help", 0, "--scale N", false},
      {"--version", 0, "zorbelline-quester " ZQ_PROJECT_VERSION "\n", true},
      {"--frobnicate", 2, "unknown option '--frobnicate'", true},
      {"--scale 0", 2, "invalid scale '0'", true},
      {"--scale", 2, "needs a value", true},
      {"--replay", 2, "needs a value", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome outcome = RunGame(c.args);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.out;
    EXPECT_NE(outcome.out.find(c.mustContain), std::string::npos) << outcome.out;
    if (c.oneLine) {
      EXPECT_EQ(outcome.out.find('\n'), outcome.out.size() - 1) << outcome.out;
    }
  }
}

}  // namespace

namespace {

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(GameOptions, ARecordingThatCannotBePlayedIsRefusedWithItsReason) {
  testing_support::TempDir dir;
  protocol::Replay replay;
  replay.programVersion = "1";
  replay.level = 1;
  replay.steps.assign(300, {protocol::ReplayStepKind::Frame, 1, 16});
  replay.steps.front().kind = protocol::ReplayStepKind::StartLevel;
  const std::vector<std::uint8_t> good = protocol::EncodeReplay(replay);

  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 5);
  std::vector<std::uint8_t> corrupted = good;
  for (std::size_t i = 12; i < corrupted.size(); i += 3) corrupted[i] ^= 0x5a;
  std::vector<std::uint8_t> newerVersion = good;
  newerVersion[4] = 99;
  std::vector<std::uint8_t> oversized = good;
  oversized.resize(protocol::kReplayMaxFileBytes + 1, 0);
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } kFiles[] = {
      {"truncated", truncated},
      {"corrupted", corrupted},
      {"newer version", newerVersion},
      {"oversized", oversized},
      {"empty", {}},
  };
  for (const auto& file : kFiles) {
    SCOPED_TRACE(file.name);
    const std::filesystem::path path = dir.path() / "game.zqr";
    WriteBytes(path, file.bytes);
    const Outcome outcome = RunGame("--replay " + path.string());
    EXPECT_EQ(outcome.exitCode, 2) << outcome.out;
    EXPECT_EQ(outcome.out.rfind("zorbelline-quester: " + path.string() + ": ", 0), 0u)
        << outcome.out;
    EXPECT_EQ(outcome.out.find('\n'), outcome.out.size() - 1) << outcome.out;
  }
  const Outcome missing = RunGame("--replay " + (dir.path() / "none.zqr").string());
  EXPECT_EQ(missing.exitCode, 2) << missing.out;
  EXPECT_NE(missing.out.find("cannot be opened"), std::string::npos) << missing.out;

  // A good one gets as far as the window, which needs a display.
  WriteBytes(dir.path() / "good.zqr", good);
  std::filesystem::create_directory(dir.path() / "data");
  const Outcome played = RunGame("--replay " + (dir.path() / "good.zqr").string());
  EXPECT_EQ(played.exitCode, 1) << played.out;
  EXPECT_NE(played.out.find("no display"), std::string::npos) << played.out;
}

}  // namespace
