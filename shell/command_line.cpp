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
    if (arg == "--scale") {
      if (i + 1 == args.size()) return Error("option '--scale' needs a value (N or fit)");
      value = args[++i];
    } else if (arg.starts_with("--scale=")) {
      value = arg.substr(8);
    } else if (arg.starts_with("-")) {
      return Error("unknown option '" + std::string(arg) + "'");
    } else {
      return Error("unexpected argument '" + std::string(arg) + "'");
    }
    if (!ParseScale(value, result.scale))
      return Error("invalid scale '" + std::string(value) + "': a whole number from 1 to " +
                   std::to_string(kMaxWindowScale) + ", or fit");
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
      "  -h, --help     show this help and exit\n"
      "  --version      show the version and exit\n";
  return text;
}

}  // namespace shell
