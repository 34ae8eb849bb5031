#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Action = shell::CommandLine::Action;

TEST(CommandLine, OptionsAndTheirErrors) {
  struct Case {
    std::vector<std::string_view> args;
    Action action;
    int scale;
    std::string replay = {};
  };
  const Case cases[] = {
      {{}, Action::kRun, 1},
      {{"--help"}, Action::kHelp, 1},
      {{"-h"}, Action::kHelp, 1},
      {{"--version"}, Action::kVersion, 1},
      {{"--scale", "2"}, Action::kRun, 2},
      {{"--scale=3"}, Action::kRun, 3},
      {{"--scale", "fit"}, Action::kRun, 0},
      {{"--scale", "16"}, Action::kRun, 16},
      {{"--scale", "2", "--help"}, Action::kHelp, 1},
      {{"--bogus", "--help"}, Action::kError, 1},  // the first bad argument counts
      {{"--scale"}, Action::kError, 1},
      {{"--scale", "0"}, Action::kError, 1},
      {{"--scale", "-2"}, Action::kError, 1},
      {{"--scale", "17"}, Action::kError, 1},
      {{"--scale", "2x"}, Action::kError, 1},
      {{"--scale", "99999999999999"}, Action::kError, 1},
      {{"--scale="}, Action::kError, 1},
      {{"-x"}, Action::kError, 1},
      {{"level1"}, Action::kError, 1},
      {{"--replay", "data/replays/last.zqr"}, Action::kRun, 1, "data/replays/last.zqr"},
      {{"--replay=rank-01.zqr", "--scale", "2"}, Action::kRun, 2, "rank-01.zqr"},
      {{"--replay", "a.zqr", "--replay", "b.zqr"}, Action::kRun, 1, "b.zqr"},
      {{"--replay", "--version"}, Action::kRun, 1, "--version"},  // a file's name
      {{"--replay"}, Action::kError, 1},
      {{"--replay="}, Action::kError, 1},
      {{"--replay", ""}, Action::kError, 1},
      {{"--replayed", "a.zqr"}, Action::kError, 1},
      {{"--replay", "a.zqr", "b.zqr"}, Action::kError, 1},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (auto a : c.args) joined += std::string(a) + " ";
    SCOPED_TRACE(joined);
    const shell::CommandLine parsed = shell::ParseCommandLine(c.args);
    EXPECT_EQ(parsed.action, c.action);
    if (c.action == Action::kRun) {
      EXPECT_EQ(parsed.scale, c.scale);
      EXPECT_EQ(parsed.replay, c.replay);
    }
    if (c.action == Action::kError) {
      EXPECT_FALSE(parsed.error.empty());
      EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
  }
}

TEST(CommandLine, HelpNamesEveryOption) {
  const std::string help = shell::HelpText("zorbelline-quester");
  for (const char* option : {"--scale N", "--scale fit", "--replay FILE", "--help", "--version"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

}  // namespace
