#include "screens/replay_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace screens {
namespace {

constexpr int kRanks = 10;

}  // namespace

void WarnAboutReplay(const std::string& what) {
  std::fprintf(stderr, "zorbelline-quester: %s\n", what.c_str());
}

std::string RankReplayPath(int rank) {
  char name[40];
  std::snprintf(name, sizeof name, "data\\replays\\rank-%02d.zqr", rank);
  return name;
}

bool RankReplayExists(int rank) {
  std::error_code ignored;
  return std::filesystem::exists(platform::ResolvePath(RankReplayPath(rank)), ignored);
}

void SaveReplay(std::string_view gamePath, const protocol::Replay& replay) {
  const std::filesystem::path path = platform::ResolvePath(gamePath);
  try {
    std::filesystem::create_directories(path.parent_path());
    platform::WriteFileAtomically(path, protocol::EncodeReplay(replay));
  } catch (const std::exception& error) {
    WarnAboutReplay("the recorded game was not saved: " + std::string(error.what()));
  }
}

void MakeRoomForRank(int rank) {
  std::error_code ignored;
  std::filesystem::remove(platform::ResolvePath(RankReplayPath(kRanks)), ignored);
  for (int from = kRanks - 1; from >= rank && from >= 1; --from) {
    const std::filesystem::path source = platform::ResolvePath(RankReplayPath(from));
    if (!std::filesystem::exists(source)) continue;
    std::error_code error;
    std::filesystem::rename(source, platform::ResolvePath(RankReplayPath(from + 1)), error);
    if (error) WarnAboutReplay(source.string() + ": not moved down: " + error.message());
  }
}

void RemoveRankReplays() {
  for (int rank = 1; rank <= kRanks; ++rank) {
    std::error_code ignored;
    std::filesystem::remove(platform::ResolvePath(RankReplayPath(rank)), ignored);
  }
}

protocol::Replay LoadReplayFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot be opened");
  std::vector<std::uint8_t> bytes;
  // One byte more than a recording may hold, so that a larger file is refused
  // without reading it all.
  bytes.resize(protocol::kReplayMaxFileBytes + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) throw std::runtime_error(file.string() + ": cannot be read");
  try {
    return protocol::DecodeReplay(bytes);
  } catch (const protocol::ReplayError& error) {
    throw protocol::ReplayError(file.string() + ": " + error.what());
  }
}

}  // namespace screens
