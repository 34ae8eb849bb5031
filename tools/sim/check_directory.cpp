#include "tools/sim/check_directory.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "core/persistent_files.h"

namespace sim {
namespace fs = std::filesystem;
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// The file part of a game path ("data\settings.dat" -> "settings.dat").
std::string_view FileName(std::string_view gamePath) {
  return gamePath.substr(gamePath.find_last_of("\\/") + 1);
}

bool IsSavedFile(const fs::path& name) {
  constexpr std::array kSaved = {core::kSettingsFile, core::kRecordsFile, core::kBossFile};
  return std::ranges::any_of(kSaved, [&](std::string_view saved) {
    return SameIgnoringCase(name.string(), FileName(saved));
  });
}

void Link(const fs::path& target, const fs::path& link) {
  std::error_code error;
  fs::create_symlink(target, link, error);
  if (error) {
    throw std::runtime_error("cannot link " + link.string() + " to " + target.string() + ": " +
                             error.message());
  }
}

}  // namespace

CheckDirectory::CheckDirectory(const fs::path& runtime) {
  const fs::path tree = fs::absolute(runtime);
  std::string pattern = (fs::temp_directory_path() / "zq-check-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    throw std::runtime_error("cannot make a scratch directory for the check in " +
                             fs::temp_directory_path().string());
  }
  path_ = pattern;
  try {
    for (const fs::directory_entry& entry : fs::directory_iterator(tree)) {
      const fs::path name = entry.path().filename();
      if (!SameIgnoringCase(name.string(), "data") || !entry.is_directory()) {
        Link(entry.path(), path_ / name);
        continue;
      }
      fs::create_directory(path_ / name);
      for (const fs::directory_entry& file : fs::directory_iterator(entry.path())) {
        if (!IsSavedFile(file.path().filename())) {
          Link(file.path(), path_ / name / file.path().filename());
        }
      }
    }
  } catch (const fs::filesystem_error& error) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    throw std::runtime_error(std::string("cannot read the runtime tree: ") + error.what());
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    throw;
  }
}

CheckDirectory::~CheckDirectory() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace sim
