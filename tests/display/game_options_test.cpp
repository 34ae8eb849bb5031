// The game program's command line, run as a process: --help and --version
// print and succeed without needing a display, a bad option is one line on
// standard error and exit code 2.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/display/game_program.h"

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
