#include "tests/golden/golden_run.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/child_process.h"

namespace golden {

namespace fs = std::filesystem;

namespace {

const fs::path kSource = fs::path(ZQ_SOURCE_DIR) / "tests" / "golden";
const fs::path kBinary = fs::path(ZQ_BINARY_DIR);

}  // namespace

void CopyRuntimeTree(const fs::path& dir) {
  const char* tree = std::getenv("ZQ_RUNTIME_DIR");
  if (tree && *tree && fs::exists(fs::path(tree) / "data")) {
    for (const char* folder : {"data", "sound"}) {
      fs::copy(fs::path(tree) / folder, dir / folder,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
  } else {
    const fs::path generator = kBinary / "tools" / "assets" / "zq-assets";
    if (!fs::exists(generator)) {
      throw std::runtime_error("no runtime tree (ZQ_RUNTIME_DIR) and no " + generator.string());
    }
    const std::string command = "'" + generator.string() + "' '" + dir.string() + "' >/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
  }
  for (const char* saved : {"settings.dat", "records.dat", "boss.dat"}) {
    fs::remove(dir / "data" / saved);
  }
}

SimOutput RunSim(const SimCase& simCase, const fs::path& dir,
                 const std::vector<std::string>& extra) {
  std::vector<std::string> args = {
      "--seed",   std::to_string(simCase.seed),
      "--level",  std::to_string(simCase.level),
      "--frames", std::to_string(simCase.frames),
      "--input",  (kSource / "scripts" / (simCase.script + ".script")).string()};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunSimWith(dir, args);
}

SimOutput RunSimWith(const fs::path& dir, const std::vector<std::string>& args) {
  std::vector<std::string> argv = {(kBinary / "tools" / "sim" / "zq-sim").string(), "--dir",
                                   dir.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  testing_support::ChildProcess sim(argv);
  SimOutput output;
  // zq-sim writes its output when it ends; a run takes seconds under the sanitizers.
  constexpr auto kRunTime = std::chrono::minutes(2);
  while (auto line = sim.ReadLine(kRunTime)) output.lines.push_back(std::move(*line));
  output.status = sim.Wait(kRunTime);
  return output;
}

bool RewriteRequested() {
  const char* rewrite = std::getenv("ZQ_REWRITE_GOLDEN");
  return rewrite && std::string(rewrite) == "1";
}

fs::path ExpectedFile(const std::string& name) {
  return kSource / "expected" / name;
}

fs::path FailureFile(const std::string& name) {
  const fs::path folder = kBinary / "tests" / "golden" / "failures";
  fs::create_directories(folder);
  return folder / name;
}

}  // namespace golden
