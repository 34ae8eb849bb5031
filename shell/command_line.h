// The game program's options: --help, --version, --scale and --replay. Without
// options the game starts as it always has.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace shell {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  // Window size factor for a windowed game: 1 is 800 x 600; 0 means the
  // largest whole factor that fits the desktop's work area.
  int scale = 1;
  // A recorded game's file to play back instead of the menus; empty: none.
  std::string replay;
  std::string error;  // one line, for kError
};

inline constexpr int kMaxWindowScale = 16;

// `args` are the arguments after the program name. --help and --version win
// over everything after them; the first bad argument is the error.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

std::string HelpText(std::string_view program);

}  // namespace shell
