// The one error type for a file operation that failed: its message names the
// file, the step that failed and why, e.g.
//   "data/settings.dat: cannot read 18 bytes: file is only 5 bytes long"
//   "data/records.dat: cannot open for reading and writing: Permission denied"
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace platform {

class FileError : public std::runtime_error {
 public:
  FileError(const std::filesystem::path& path, const std::string& failure,
            const std::string& reason)
      : std::runtime_error(path.string() + ": " + failure + ": " + reason), path_(path) {}

  // The reason is the system's text for an errno value.
  FileError(const std::filesystem::path& path, const std::string& failure, int errnoValue)
      : FileError(path, failure, std::generic_category().message(errnoValue)) {}

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace platform
