// Where `zq-sim --verify` plays a recording: a scratch directory of its own
// whose data/ and sound/ link to a runtime tree's files, without the tree's
// saved files (settings, high-score table, boss-key resume record). A check
// then never reads what a player saved there (the verdict stands on the
// recording alone), never writes into the tree (which may be read-only, as a
// packaged service's is), and checks run side by side share nothing.
#pragma once

#include <filesystem>

namespace sim {

class CheckDirectory {
 public:
  // Throws std::runtime_error when the scratch directory cannot be made.
  explicit CheckDirectory(const std::filesystem::path& runtime);
  ~CheckDirectory();  // removes the scratch directory: the links, never their targets
  CheckDirectory(const CheckDirectory&) = delete;
  CheckDirectory& operator=(const CheckDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace sim
