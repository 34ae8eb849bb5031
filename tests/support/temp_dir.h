// A fresh temporary directory that is the current directory for one test and is
// removed afterwards. The game resolves every file relative to the current
// directory, so each test gets its own.
#pragma once

#include <filesystem>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace testing_support
