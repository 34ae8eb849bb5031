// What the golden tests share: a fresh copy of the generated runtime tree to
// run zq-sim in, the program's run, and where expected and failure files live.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace golden {

// One zq-sim run from a script of tests/golden/scripts.
struct SimCase {
  std::string script;  // name without ".script"
  std::uint64_t seed = 1;
  int level = 1;
  int frames = 1;
};

inline void PrintTo(const SimCase& c, std::ostream* os) {
  *os << c.script << " (seed " << c.seed << ", level " << c.level << ", " << c.frames << " frames)";
}

struct SimOutput {
  int status = -1;
  std::vector<std::string> lines;  // standard output
};

// Copies data/ and sound/ of the generated runtime tree (ZQ_RUNTIME_DIR, or one
// made here with zq-assets) into `dir`, leaving out saved settings, high scores
// and the resume record, so that every run starts from the defaults.
void CopyRuntimeTree(const std::filesystem::path& dir);

// zq-sim run in `dir` on the case's script, with `extra` arguments added.
SimOutput RunSim(const SimCase& simCase, const std::filesystem::path& dir,
                 const std::vector<std::string>& extra);

// zq-sim run in `dir` with these arguments.
SimOutput RunSimWith(const std::filesystem::path& dir, const std::vector<std::string>& args);

// ZQ_REWRITE_GOLDEN=1: the tests write what they got as the expected files.
bool RewriteRequested();

// The checked-in expected file of a case, e.g. ExpectedFile("intro.png").
std::filesystem::path ExpectedFile(const std::string& name);

// A file in the build tree's failure folder (made when missing), where a
// failing test leaves what it got.
std::filesystem::path FailureFile(const std::string& name);

// How to accept a change on purpose, for failure messages.
inline constexpr const char* kRewriteHint =
    "if the change is intended: ZQ_REWRITE_GOLDEN=1 ./test -R golden";

}  // namespace golden
