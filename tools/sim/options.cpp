#include "tools/sim/options.h"

#include <charconv>

#include "tools/sim/milestones.h"

namespace sim {
namespace {

template <typename T>
T Number(const std::string& text, const std::string& what, T least) {
  T value{};
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty() || value < least) {
    throw UsageError(what + " must be a whole number of at least " + std::to_string(least) +
                     ", got \"" + text + "\"");
  }
  return value;
}

// "levelComplete=2,gameOver=1": names of the soak's milestones, each with the
// least number of times it must be reached.
std::vector<std::pair<std::string, int>> Expectations(const std::string& text) {
  std::vector<std::pair<std::string, int>> expected;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, comma - start);
    const std::size_t equals = item.find('=');
    const std::string name = item.substr(0, equals);
    if (equals == std::string::npos || !Milestones::Find(name)) {
      std::string names;
      for (std::string_view known : Milestones::kNames) {
        names += (names.empty() ? "" : ", ") + std::string(known);
      }
      throw UsageError("--expect takes NAME=N,... with NAME one of " + names + ", got \"" + item +
                       "\"");
    }
    expected.emplace_back(name, Number<int>(item.substr(equals + 1), "--expect " + name, 0));
    start = comma + 1;
  }
  return expected;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(option + " needs a value");
      return args[++i];
    };
    if (option == "--dir") {
      line.dir = value();
    } else if (option == "--seed") {
      line.seed = Number<std::uint64_t>(value(), "--seed", 0);
    } else if (option == "--level") {
      line.level = Number<int>(value(), "--level", 1);
    } else if (option == "--frames") {
      line.frames = Number<int>(value(), "--frames", 0);
    } else if (option == "--monkey") {
      line.monkey = Number<std::uint64_t>(value(), "--monkey", 0);
    } else if (option == "--expect") {
      const auto more = Expectations(value());
      line.expected.insert(line.expected.end(), more.begin(), more.end());
    } else if (option == "--record") {
      line.record = value();
    } else if (option == "--replay") {
      line.replay = value();
    } else if (option == "--verify") {
      line.verify = true;
    } else if (option == "--input") {
      line.input = value();
    } else if (option == "--dump") {
      const std::string& what = value();
      line.dumpFrames.clear();
      if (what == "all") {
        line.dump = CommandLine::Dump::All;
      } else if (what == "last") {
        line.dump = CommandLine::Dump::Last;
      } else {
        line.dump = CommandLine::Dump::Listed;
        std::size_t start = 0;
        while (start <= what.size()) {
          const std::size_t comma = std::min(what.find(',', start), what.size());
          line.dumpFrames.insert(Number<int>(what.substr(start, comma - start), "--dump frame", 1));
          start = comma + 1;
        }
      }
    } else if (option == "--shot") {
      const std::string& what = value();
      const std::size_t colon = what.find(':');
      if (colon == std::string::npos || colon + 1 >= what.size()) {
        throw UsageError("--shot takes N:FILE.png, got \"" + what + "\"");
      }
      line.shots.push_back(
          {Number<int>(what.substr(0, colon), "--shot frame", 1), what.substr(colon + 1)});
    } else {
      throw UsageError("unknown argument \"" + option + "\"");
    }
  }
  if (line.verify && !line.replay) throw UsageError("--verify needs --replay FILE");
  if (line.replay && (line.input || line.monkey)) {
    throw UsageError("--replay plays a recording: it takes no --input or --monkey");
  }
  return line;
}

}  // namespace sim
