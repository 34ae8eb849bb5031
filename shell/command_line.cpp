#include "shell/command_line.h"

#include <charconv>

namespace shell {
namespace {

// "fit" gives 0; a whole number 1..kMaxWindowScale gives itself; anything
// else nothing.
bool ParseScale(std::string_view text, int& scale) {
  if (text == "fit") {
    scale = 0;
    return true;
  }
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end || value < 1 || value > kMaxWindowScale)
    return false;
  scale = value;
  return true;
}

enum class Given { kNo, kWithValue, kWithoutValue };

// Whether args[i] is the option `name`, as "NAME VALUE" (i then moves to the
// value) or "NAME=VALUE"; `value` is its value.
Given OptionValue(std::span<const std::string_view> args, std::size_t& i, std::string_view name,
                  std::string_view& value) {
  const std::string_view arg = args[i];
  if (arg == name) {
    if (i + 1 == args.size()) return Given::kWithoutValue;
    value = args[++i];
    return Given::kWithValue;
  }
  if (!arg.starts_with(name) || !arg.substr(name.size()).starts_with("=")) return Given::kNo;
  value = arg.substr(name.size() + 1);
  return Given::kWithValue;
}

CommandLine Error(std::string message) {
  CommandLine result;
  result.action = CommandLine::Action::kError;
  result.error = std::move(message);
  return result;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  CommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
      return result;
    }
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
      return result;
    }
    std::string_view value;
    if (const Given scale = OptionValue(args, i, "--scale", value); scale != Given::kNo) {
      if (scale == Given::kWithoutValue) return Error("option '--scale' needs a value (N or fit)");
      if (!ParseScale(value, result.scale))
        return Error("invalid scale '" + std::string(value) + "': a whole number from 1 to " +
                     std::to_string(kMaxWindowScale) + ", or fit");
    } else if (OptionValue(args, i, "--replay", value) != Given::kNo) {
      if (value.empty()) return Error("option '--replay' needs a value (a recorded game's file)");
      result.replay = value;
    } else if (arg.starts_with("-")) {
      return Error("unknown option '" + std::string(arg) + "'");
    } else {
      return Error("unexpected argument '" + std::string(arg) + "'");
    }
  }
  return result;
}

std::string HelpText(std::string_view program) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  text +=
      "A 2D arcade platform game. It reads and writes its files (data/ and sound/)\n"
      "in the current directory.\n"
      "\n"
      "  --scale N      open the windowed game N times as large (1 to " +
      std::to_string(kMaxWindowScale) +
      ")\n"
      "  --scale fit    open the windowed game as large as the desktop allows\n"
      "  --replay FILE  play the recorded game in FILE (such as data/replays/last.zqr);\n"
      "                 the program ends with it, or earlier with Esc\n"
      "  -h, --help     show this help and exit\n"
      "  --version      show the version and exit\n";
  return text;
}

}  // namespace shell
