#include "core/persistent_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/paths.h"

namespace core {
namespace {

namespace fs = std::filesystem;

bool FileExists(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory) {
    throw platform::FileError(path, "cannot check whether it exists", ec.message());
  }
  return fs::exists(status);
}

// Fills `out` from the start of an existing file. The file is opened for
// reading and writing, so a file that may not be written is refused too.
void ReadRecord(const fs::path& path, std::span<std::uint8_t> out) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) throw platform::FileError(path, "cannot open for reading and writing", errno);
  const std::string readFailure = "cannot read " + std::to_string(out.size()) + " bytes";
  std::size_t done = 0;
  int error = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (error != 0 || done < out.size()) {
    ::close(fd);
    if (error != 0) throw platform::FileError(path, readFailure, error);
    throw platform::FileError(path, readFailure,
                              "file is only " + std::to_string(done) + " bytes long");
  }
  if (::close(fd) != 0) throw platform::FileError(path, "cannot close", errno);
}

template <typename Record>
Record LoadOrCreate(std::string_view gamePath, const Record& defaults) {
  const fs::path path = platform::ResolvePath(gamePath);
  if (!FileExists(path)) {
    platform::WriteFileAtomically(path, defaults.ToBytes());
    return defaults;
  }
  typename Record::Bytes bytes{};
  ReadRecord(path, bytes);
  return Record::FromBytes(bytes);
}

}  // namespace

void LoadPersistentFiles(PersistentState& state) {
  state.settings = LoadOrCreate(kSettingsFile, GameSettings{});
  state.records = LoadOrCreate(kRecordsFile, RecordsTable::Defaults());

  const fs::path bossPath = platform::ResolvePath(kBossFile);
  if (FileExists(bossPath)) {
    BossState boss;
    ReadRecord(bossPath, boss.raw);
    state.resumedScreenState = boss.ScreenState();
    state.resumedMenuScene = boss.MenuSceneActive();
    state.resumedFromBoss = true;
    std::error_code ignored;
    fs::remove(bossPath, ignored);
  } else {
    state.resumedFromBoss = false;
  }
}

void SaveSettingsFile(const GameSettings& settings) {
  platform::WriteFileAtomically(platform::ResolvePath(kSettingsFile), settings.ToBytes());
}

void SaveRecordsFile(const PersistentState& state) {
  platform::WriteFileAtomically(platform::ResolvePath(kRecordsFile), state.records.ToBytes());
}

void ResetRecordsFile(PersistentState& state) {
  // The old table goes first (whatever its permissions); should the write then
  // fail, the next start recreates the same defaults.
  std::error_code ignored;
  fs::remove(platform::ResolvePath(kRecordsFile), ignored);
  state.records = RecordsTable::Defaults();
  SaveRecordsFile(state);
}

std::optional<int> FindRecordRank(const PersistentState& state, std::int32_t score) {
  for (int rank = 1; rank <= RecordsTable::kEntries; ++rank) {
    if (state.records.entries[rank - 1].Score < score) return rank;
  }
  return std::nullopt;
}

void InsertRecord(PersistentState& state, int rank, std::string_view name, std::int32_t score) {
  if (rank < 1 || rank > RecordsTable::kEntries) {
    throw std::out_of_range("high-score rank " + std::to_string(rank) + " is not 1 to 10");
  }
  auto& entries = state.records.entries;
  for (int i = RecordsTable::kEntries - 1; i >= rank; --i) entries[i] = entries[i - 1];
  entries[rank - 1].Name.SetText(name);
  entries[rank - 1].Score = score;
  SaveRecordsFile(state);
}

bool ResumedFromBoss(const PersistentState& state) {
  return state.resumedFromBoss;
}

}  // namespace core
