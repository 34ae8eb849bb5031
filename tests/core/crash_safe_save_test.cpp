// The settings and the high-score table survive a process killed in the middle of
// saving them, and a write the disk refuses: each file is always one whole
// version, never a mix of two, never missing.
#include <errno.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/persistent_files.h"
#include "platform/file_error.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using core::GameSettings;
using core::RecordsTable;
using testing_support::FileBytes;
using testing_support::ToVector;

const fs::path kSettingsPath = "data/settings.dat";
const fs::path kRecordsPath = "data/records.dat";

// Every byte of a version depends on its number, so bytes taken from two
// versions do not form a third valid one.
std::string Digits(std::uint32_t version) {
  char text[16];
  std::snprintf(text, sizeof text, "%010u", version);
  return text;
}

GameSettings SettingsVersion(std::uint32_t v) {
  GameSettings s;
  s.Windowed = static_cast<std::uint8_t>(v);
  s.SoundOn = static_cast<std::uint8_t>(v >> 8);
  s.MusicOn = static_cast<std::uint8_t>(v >> 16);
  s.Country.SetText(Digits(v));
  s.BossKey = static_cast<std::uint8_t>(v * 7);
  s.BossShift = static_cast<std::uint8_t>(v >> 24);
  s.BossAlt = static_cast<std::uint8_t>(~v);
  s.BossCtrl = static_cast<std::uint8_t>(v * 13);
  return s;
}

RecordsTable RecordsVersion(std::uint32_t v) {
  RecordsTable t;
  for (int i = 0; i < RecordsTable::kEntries; ++i) {
    t.entries[i].Name.SetText(Digits(v));
    t.entries[i].reserved = static_cast<std::uint8_t>(v + i);
    t.entries[i].Score = static_cast<std::int32_t>(v * 10 + i);
  }
  return t;
}

// The version whose exact bytes the file holds, or nothing.
template <typename Record>
std::optional<std::uint32_t> VersionIn(const Bytes& bytes, Record (*make)(std::uint32_t),
                                       std::string (*textOf)(const Record&)) {
  if (bytes.size() != Record::kSize) return std::nullopt;
  typename Record::Bytes raw{};
  std::copy(bytes.begin(), bytes.end(), raw.begin());
  const std::string text = textOf(Record::FromBytes(raw));
  if (text.size() != 10 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const auto version = static_cast<std::uint32_t>(std::stoul(text));
  if (ToVector(make(version).ToBytes()) != bytes) return std::nullopt;
  return version;
}

std::optional<std::uint32_t> SettingsVersionOnDisk() {
  return VersionIn<GameSettings>(FileBytes(kSettingsPath), SettingsVersion,
                                 [](const GameSettings& s) { return s.Country.Text(); });
}

std::optional<std::uint32_t> RecordsVersionOnDisk() {
  return VersionIn<RecordsTable>(FileBytes(kRecordsPath), RecordsVersion,
                                 [](const RecordsTable& t) { return t.entries[0].Name.Text(); });
}

// Files in data/ other than the two tables: temporaries of interrupted saves.
std::vector<std::string> LeftoverFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("data")) {
    const std::string name = entry.path().filename().string();
    if (name != "settings.dat" && name != "records.dat") names.push_back(name);
  }
  return names;
}

class CrashSafeSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory("data");
    core::SaveSettingsFile(SettingsVersion(0));
    state_.records = RecordsVersion(0);
    core::SaveRecordsFile(state_);
  }

  testing_support::TempDir dir_;
  core::PersistentState state_;
};

// Saves newer versions of both files, one after the other, until killed; a
// byte on `done` after each pair.
[[noreturn]] void SaveForever(core::PersistentState state, std::uint32_t settings,
                              std::uint32_t records, int done) {
  try {
    for (;;) {
      core::SaveSettingsFile(SettingsVersion(++settings));
      state.records = RecordsVersion(++records);
      core::SaveRecordsFile(state);
      if (::write(done, "s", 1) != 1) break;
    }
  } catch (...) {
  }
  ::_exit(2);
}

void SleepMicroseconds(long us) {
  timespec t{us / 1000000, (us % 1000000) * 1000};
  while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

// How long saving both files takes here, in microseconds.
long PairMicroseconds(core::PersistentState& state) {
  constexpr int kPairs = 5;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPairs; ++i) {
    core::SaveSettingsFile(SettingsVersion(0));
    core::SaveRecordsFile(state);
  }
  const auto spent = std::chrono::steady_clock::now() - start;
  return std::max<long>(
      1, std::chrono::duration_cast<std::chrono::microseconds>(spent).count() / kPairs);
}

TEST_F(CrashSafeSaveTest, KilledWhileSavingLeavesOldOrNewWholeFile) {
  constexpr int kRounds = 300;
  std::mt19937 rng(20261210);
  // The kill comes after 0 or 1 whole pairs of saves, at a random moment of the next.
  std::uniform_int_distribution<int> pairsFirst(0, 1);
  std::uniform_int_distribution<long> delay(0, PairMicroseconds(state_));
  std::uint32_t settings = 0;
  std::uint32_t records = 0;
  int roundsWithProgress = 0;

  for (int round = 0; round < kRounds; ++round) {
    int done[2];
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(done[0]);
      SaveForever(state_, settings, records, done[1]);
    }
    ::close(done[1]);
    char byte;
    for (int pairs = pairsFirst(rng); pairs > 0 && ::read(done[0], &byte, 1) == 1; --pairs) {
    }
    SleepMicroseconds(delay(rng));
    ::kill(child, SIGKILL);
    ::close(done[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the saving process ended by itself in round " << round << ", status " << status;

    const auto nowSettings = SettingsVersionOnDisk();
    const auto nowRecords = RecordsVersionOnDisk();
    ASSERT_TRUE(nowSettings) << "settings.dat is missing or mixed after round " << round;
    ASSERT_TRUE(nowRecords) << "records.dat is missing or mixed after round " << round;
    ASSERT_GE(*nowSettings, settings) << "settings.dat went back in round " << round;
    ASSERT_GE(*nowRecords, records) << "records.dat went back in round " << round;
    if (*nowSettings > settings || *nowRecords > records) ++roundsWithProgress;
    settings = *nowSettings;
    records = *nowRecords;
  }

  // The kills must have come both between and during saves for the test to mean
  // anything: some rounds completed saves, and some left a temporary file behind.
  EXPECT_GT(roundsWithProgress, 0);
  const auto leftovers = LeftoverFiles();
  EXPECT_FALSE(leftovers.empty()) << "no kill landed in the middle of a save";
  for (const auto& name : leftovers) {
    EXPECT_TRUE(name.starts_with(".settings.dat.") || name.starts_with(".records.dat.")) << name;
  }
}

// A disk that takes only a few bytes (a file size limit, as a full disk would
// refuse the write): the save reports a FileError naming the file and leaves
// the old bytes and no temporary file.
TEST_F(CrashSafeSaveTest, RefusedWriteKeepsOldFileAndReportsFileError) {
  struct Case {
    const char* name;
    fs::path path;
    std::function<void(core::PersistentState&)> save;
  };
  const std::vector<Case> cases = {
      {"settings", kSettingsPath,
       [](core::PersistentState&) { core::SaveSettingsFile(SettingsVersion(1)); }},
      {"records", kRecordsPath,
       [](core::PersistentState& s) {
         s.records = RecordsVersion(1);
         core::SaveRecordsFile(s);
       }},
      {"records insert", kRecordsPath,
       [](core::PersistentState& s) { core::InsertRecord(s, 1, "Winner", 999999); }},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes before = FileBytes(c.path);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{8, 8};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      std::string message = "no error";
      int code = 1;
      try {
        c.save(state_);
      } catch (const platform::FileError& e) {
        message = e.what();
        code = 0;
      } catch (const std::exception& e) {
        message = std::string("other error: ") + e.what();
      }
      [[maybe_unused]] auto written = ::write(pipeFds[1], message.data(), message.size());
      ::_exit(code);
    }
    ::close(pipeFds[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << message;
    EXPECT_THAT(message, ::testing::StartsWith(c.path.string() + ": cannot write"));
    EXPECT_THAT(message, ::testing::HasSubstr("File too large"));
    EXPECT_EQ(FileBytes(c.path), before);
    EXPECT_THAT(LeftoverFiles(), ::testing::IsEmpty());
  }
}

}  // namespace
