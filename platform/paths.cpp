#include "platform/paths.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::vector<std::string> SplitComponents(std::string_view gamePath) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : gamePath) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// The smallest name in `dir` that matches `name` ignoring ASCII case.
std::optional<std::string> FindCaseInsensitive(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
  if (ec) return std::nullopt;
  std::optional<std::string> best;
  for (const fs::directory_entry& entry : it) {
    std::string candidate = entry.path().filename().string();
    if (EqualsIgnoringAsciiCase(candidate, name) && (!best || candidate < *best)) {
      best = std::move(candidate);
    }
  }
  return best;
}

bool EntryExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

fs::path ResolvePath(std::string_view gamePath) {
  fs::path resolved;
  if (!gamePath.empty() && (gamePath.front() == '\\' || gamePath.front() == '/')) resolved = "/";
  // Once a component is missing nothing below it can exist: stop searching.
  bool searching = true;
  for (const std::string& part : SplitComponents(gamePath)) {
    if (searching && part != "." && part != "..") {
      if (!EntryExists(resolved / part)) {
        if (std::optional<std::string> match = FindCaseInsensitive(resolved, part)) {
          resolved /= *match;
          continue;
        }
        searching = false;
      }
    }
    resolved /= part;
  }
  return resolved;
}

}  // namespace platform
