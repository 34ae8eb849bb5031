#include "core/persistent_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using core::PersistentState;
using testing_support::FileBytes;
using testing_support::ToVector;

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

const Bytes kDefaultSettings = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 88, 0, 0, 0};

#define ANONYMOUS 9, 'A', 'n', 'o', 'n', 'y', 'm', 'o', 'u', 's', 0, 0
const Bytes kDefaultRecords = {
    ANONYMOUS, 0xE8, 0x03, 0, 0,  // 1000
    ANONYMOUS, 0x84, 0x03, 0, 0,  // 900
    ANONYMOUS, 0x20, 0x03, 0, 0,  // 800
    ANONYMOUS, 0xBC, 0x02, 0, 0,  // 700
    ANONYMOUS, 0x58, 0x02, 0, 0,  // 600
    ANONYMOUS, 0xF4, 0x01, 0, 0,  // 500
    ANONYMOUS, 0x90, 0x01, 0, 0,  // 400
    ANONYMOUS, 0x2C, 0x01, 0, 0,  // 300
    ANONYMOUS, 0xC8, 0x00, 0, 0,  // 200
    ANONYMOUS, 0x64, 0x00, 0, 0,  // 100
};
#undef ANONYMOUS

class PersistentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory("data"); }

  // Loads into a fresh state and returns the FileError message ("" if none).
  std::string LoadError() {
    try {
      PersistentState fresh;
      core::LoadPersistentFiles(fresh);
    } catch (const platform::FileError& e) {
      return e.what();
    }
    return "";
  }

  testing_support::TempDir dir_;
  PersistentState state_;
};

TEST_F(PersistentFilesTest, FirstStartWritesDefaultFiles) {
  core::LoadPersistentFiles(state_);
  EXPECT_EQ(FileBytes("data/settings.dat"), kDefaultSettings);
  EXPECT_EQ(FileBytes("data/records.dat"), kDefaultRecords);
  EXPECT_FALSE(fs::exists("data/boss.dat"));

  EXPECT_EQ(state_.settings.Windowed, 1);
  EXPECT_EQ(state_.settings.SoundOn, 1);
  EXPECT_EQ(state_.settings.MusicOn, 1);
  EXPECT_EQ(state_.settings.Country.Text(), "");
  EXPECT_EQ(state_.settings.BossKey, 88);
  EXPECT_EQ(state_.records, core::RecordsTable::Defaults());
  EXPECT_FALSE(core::ResumedFromBoss(state_));
}

TEST_F(PersistentFilesTest, ExistingFilesAreReadAsStoredAndLeftAlone) {
  const Bytes settings = {7,   0,   2,   6,   'N', 'o', 'r', 'w', 'a',
                          'y', 'x', 'y', 'z', 'w', 59,  1,   0,   1};
  Bytes records = kDefaultRecords;
  records[0] = 3;      // name "Ano"; the rest of the field is not significant
  records[11] = 0xAB;  // reserved byte
  records[12] = 0xFF, records[13] = 0xFF, records[14] = 0xFF, records[15] = 0xFF;  // -1
  records[16 * 9 + 12] = 0x10, records[16 * 9 + 15] = 0x80;                        // INT32_MIN + 16
  // The game's names are resolved ignoring case.
  fs::rename("data", "Data");
  WriteBytes("Data/Settings.DAT", settings);
  WriteBytes("Data/RECORDS.dat", records);

  core::LoadPersistentFiles(state_);
  EXPECT_EQ(state_.settings.Windowed, 7);
  EXPECT_EQ(state_.settings.SoundOn, 0);
  EXPECT_EQ(state_.settings.MusicOn, 2);
  EXPECT_EQ(state_.settings.Country.Text(), "Norway");
  EXPECT_EQ(state_.settings.BossKey, 59);
  EXPECT_EQ(state_.settings.BossShift, 1);
  EXPECT_EQ(state_.settings.BossAlt, 0);
  EXPECT_EQ(state_.settings.BossCtrl, 1);
  EXPECT_EQ(state_.records.entries[0].Name.Text(), "Ano");
  EXPECT_EQ(state_.records.entries[0].Score, -1);
  EXPECT_EQ(state_.records.entries[9].Score, INT32_MIN + 16);

  EXPECT_EQ(FileBytes("Data/Settings.DAT"), settings);
  EXPECT_EQ(FileBytes("Data/RECORDS.dat"), records);
  EXPECT_EQ(ToVector(state_.settings.ToBytes()), settings);
  EXPECT_EQ(ToVector(state_.records.ToBytes()), records);
  EXPECT_FALSE(fs::exists("Data/settings.dat"));
}

TEST_F(PersistentFilesTest, LongerFilesAreAcceptedAndNotTruncated) {
  Bytes settings = kDefaultSettings;
  settings[0] = 0;
  settings.resize(25, 0xEE);
  Bytes records = kDefaultRecords;
  records.resize(200, 0xEE);
  WriteBytes("data/settings.dat", settings);
  WriteBytes("data/records.dat", records);

  core::LoadPersistentFiles(state_);
  EXPECT_EQ(state_.settings.Windowed, 0);
  EXPECT_EQ(state_.records, core::RecordsTable::Defaults());
  EXPECT_EQ(FileBytes("data/settings.dat"), settings);
  EXPECT_EQ(FileBytes("data/records.dat"), records);
}

TEST_F(PersistentFilesTest, UnreadableFilesAreFatalAndNamed) {
  struct Case {
    const char* name;
    void (*prepare)();
    const char* message;
  };
  const Case cases[] = {
      {"short settings", [] { WriteBytes("data/settings.dat", Bytes(5, 1)); },
       "data/settings.dat: cannot read 18 bytes: file is only 5 bytes long"},
      {"empty settings", [] { WriteBytes("data/settings.dat", {}); },
       "data/settings.dat: cannot read 18 bytes: file is only 0 bytes long"},
      {"short records", [] { WriteBytes("data/records.dat", Bytes(159, 1)); },
       "data/records.dat: cannot read 160 bytes: file is only 159 bytes long"},
      {"short resume record", [] { WriteBytes("data/boss.dat", Bytes(3, 1)); },
       "data/boss.dat: cannot read 8 bytes: file is only 3 bytes long"},
      {"settings is a directory", [] { fs::create_directory("data/settings.dat"); },
       "data/settings.dat: cannot open for reading and writing: Is a directory"},
      {"no data directory", [] { fs::remove("data"); },
       "data/settings.dat: cannot create: there is no directory data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all("data");
    fs::create_directory("data");
    c.prepare();
    EXPECT_EQ(LoadError(), c.message);
  }
}

TEST_F(PersistentFilesTest, ReadOnlyFileIsFatal) {
  for (const char* file : {"data/settings.dat", "data/records.dat", "data/boss.dat"}) {
    SCOPED_TRACE(file);
    fs::remove_all("data");
    fs::create_directory("data");
    core::LoadPersistentFiles(state_);
    WriteBytes("data/boss.dat", Bytes(8, 0));
    fs::permissions(file, fs::perms(0444));
    EXPECT_EQ(testing_support::RunUnprivileged([this] { return LoadError(); }),
              std::string(file) + ": cannot open for reading and writing: Permission denied");
  }
}

TEST_F(PersistentFilesTest, ResumeRecordIsConsumed) {
  WriteBytes("data/boss.dat", {0xAA, 9, 1, 0xBB, 1, 2, 3, 4});
  core::LoadPersistentFiles(state_);
  EXPECT_TRUE(core::ResumedFromBoss(state_));
  EXPECT_EQ(state_.resumedScreenState, 9);
  EXPECT_EQ(state_.resumedMenuScene, 1);
  EXPECT_FALSE(fs::exists("data/boss.dat"));

  core::LoadPersistentFiles(state_);
  EXPECT_FALSE(core::ResumedFromBoss(state_));
}

TEST_F(PersistentFilesTest, SavedSettingsAreReadBack) {
  core::LoadPersistentFiles(state_);
  core::GameSettings edited = state_.settings;
  edited.Windowed = 0;
  edited.MusicOn = 0;
  edited.Country.SetText("Iceland");
  edited.BossKey = 1;
  edited.BossAlt = 1;
  core::SaveSettingsFile(edited);

  PersistentState reloaded;
  core::LoadPersistentFiles(reloaded);
  EXPECT_EQ(reloaded.settings, edited);
  EXPECT_EQ(FileBytes("data/settings.dat").size(), 18u);
}

TEST_F(PersistentFilesTest, FailedSaveIsFatalAndNamed) {
  fs::create_directory("data/settings.dat");
  try {
    core::SaveSettingsFile(core::GameSettings{});
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("data/settings.dat: cannot replace:", 0), 0u) << e.what();
  }
}

TEST(ShortTextTest, OverlongLengthByteIsKeptButNeverReadPast) {
  core::ShortText text;
  text.raw = {200, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'};
  EXPECT_EQ(text.Text(), "ABCDEFGHIJ");

  text.SetText("Maximilian the Great");
  EXPECT_EQ(text.Text(), "Maximilian");
  EXPECT_EQ(text.raw[0], 10);

  text.SetText("Bo");
  EXPECT_EQ(text.raw, (std::array<std::uint8_t, 11>{2, 'B', 'o', 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PersistentFilesTest, OverlongLengthBytesRoundTripByteIdentically) {
  Bytes settings = kDefaultSettings;
  settings[3] = 255;
  for (int i = 0; i < 10; ++i) settings[4 + i] = static_cast<std::uint8_t>('a' + i);
  Bytes records = kDefaultRecords;
  records[16 * 4] = 11;
  records[16 * 4 + 10] = '!';
  records[16 * 4 + 11] = 'Z';  // the byte right after the name field
  WriteBytes("data/settings.dat", settings);
  WriteBytes("data/records.dat", records);

  core::LoadPersistentFiles(state_);
  EXPECT_EQ(state_.settings.Country.Text(), "abcdefghij");
  EXPECT_EQ(state_.records.entries[4].Name.Text(), "Anonymous!");

  core::SaveSettingsFile(state_.settings);
  core::SaveRecordsFile(state_);
  EXPECT_EQ(FileBytes("data/settings.dat"), settings);
  EXPECT_EQ(FileBytes("data/records.dat"), records);
}

class RecordsTest : public PersistentFilesTest {
 protected:
  void SetUp() override {
    PersistentFilesTest::SetUp();
    core::LoadPersistentFiles(state_);
  }

  std::vector<std::int32_t> Scores() const {
    std::vector<std::int32_t> scores;
    for (const auto& entry : state_.records.entries) scores.push_back(entry.Score);
    return scores;
  }

  // The table in memory is what the file holds.
  void ExpectSaved() const {
    EXPECT_EQ(FileBytes("data/records.dat"), ToVector(state_.records.ToBytes()));
  }
};

TEST_F(RecordsTest, RankOfScoreAgainstDefaultTable) {
  struct Case {
    std::int32_t score;
    std::optional<int> rank;
  };
  const Case cases[] = {
      {1001, 1}, {1000, 2},           {999, 2},          {901, 2},       {900, 3},
      {101, 10}, {100, std::nullopt}, {0, std::nullopt}, {INT32_MAX, 1}, {INT32_MIN, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(core::FindRecordRank(state_, c.score), c.rank) << c.score;
}

TEST_F(RecordsTest, EqualScoresRankBelow) {
  for (auto& entry : state_.records.entries) entry.Score = 500;
  state_.records.entries[9].Score = 400;
  EXPECT_EQ(core::FindRecordRank(state_, 500), 10);
  EXPECT_EQ(core::FindRecordRank(state_, 501), 1);
  EXPECT_EQ(core::FindRecordRank(state_, 400), std::nullopt);
}

TEST_F(RecordsTest, InsertAtFirstPushesAllDown) {
  core::InsertRecord(state_, 1, "Zorbelline", 1001);
  EXPECT_EQ(Scores(),
            (std::vector<std::int32_t>{1001, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
  EXPECT_EQ(state_.records.entries[0].Name.Text(), "Zorbelline");
  EXPECT_EQ(state_.records.entries[1].Name.Text(), "Anonymous");
  ExpectSaved();
}

TEST_F(RecordsTest, InsertAtLastReplacesOnlyTheLast) {
  core::InsertRecord(state_, 10, "A name longer than ten", 101);
  EXPECT_EQ(Scores(),
            (std::vector<std::int32_t>{1000, 900, 800, 700, 600, 500, 400, 300, 200, 101}));
  EXPECT_EQ(state_.records.entries[9].Name.Text(), "A name lon");
  EXPECT_EQ(state_.records.entries[8].Name.Text(), "Anonymous");
  ExpectSaved();
}

TEST_F(RecordsTest, InsertInTheMiddleAndReload) {
  core::InsertRecord(state_, 3, "Mid", 850);
  EXPECT_EQ(Scores(),
            (std::vector<std::int32_t>{1000, 900, 850, 800, 700, 600, 500, 400, 300, 200}));
  PersistentState reloaded;
  core::LoadPersistentFiles(reloaded);
  EXPECT_EQ(reloaded.records, state_.records);
}

TEST_F(RecordsTest, RankOutsideTableIsRefusedWithoutChange) {
  for (int rank : {0, 11, -1}) {
    EXPECT_THROW(core::InsertRecord(state_, rank, "X", 5000), std::out_of_range) << rank;
  }
  EXPECT_EQ(state_.records, core::RecordsTable::Defaults());
  EXPECT_EQ(FileBytes("data/records.dat"), kDefaultRecords);
}

TEST_F(RecordsTest, ResetWritesDefaults) {
  for (bool deletedByHand : {false, true}) {
    SCOPED_TRACE(deletedByHand ? "file deleted by hand" : "file present");
    core::InsertRecord(state_, 1, "Top", 5000);
    if (deletedByHand) fs::remove("data/records.dat");
    core::ResetRecordsFile(state_);
    EXPECT_EQ(state_.records, core::RecordsTable::Defaults());
    EXPECT_EQ(FileBytes("data/records.dat"), kDefaultRecords);
  }
}

}  // namespace
