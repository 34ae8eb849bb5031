#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/file_error.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const char* text) {
  std::ofstream(path) << text;
}

// Names in the directory: a failed or finished write must leave no temporary file.
std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory("data"); }
  testing_support::TempDir dir_;
};

TEST_F(AtomicFileTest, CreatesThenReplacesWholeContent) {
  const std::vector<std::uint8_t> first = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<std::uint8_t> second = {9, 0, 255};
  platform::WriteFileAtomically("data/file.dat", first);
  EXPECT_EQ(testing_support::FileBytes("data/file.dat"), first);
  platform::WriteFileAtomically("data/file.dat", second);
  EXPECT_EQ(testing_support::FileBytes("data/file.dat"), second);
  EXPECT_EQ(Entries("data"), std::vector<std::string>{"file.dat"});
}

TEST_F(AtomicFileTest, WritesInTheCurrentDirectory) {
  platform::WriteFileAtomically("plain.dat", std::vector<std::uint8_t>{7});
  EXPECT_EQ(testing_support::FileBytes("plain.dat"), std::vector<std::uint8_t>{7});
}

TEST_F(AtomicFileTest, NewFileGetsUmaskModeAndOldFileKeepsItsMode) {
  const mode_t previous = ::umask(022);
  platform::WriteFileAtomically("data/new.dat", std::vector<std::uint8_t>{1});
  ::umask(previous);
  EXPECT_EQ(fs::status("data/new.dat").permissions(), fs::perms(0644));

  fs::permissions("data/new.dat", fs::perms(0640));
  platform::WriteFileAtomically("data/new.dat", std::vector<std::uint8_t>{2});
  EXPECT_EQ(fs::status("data/new.dat").permissions(), fs::perms(0640));
}

TEST_F(AtomicFileTest, FailedReplaceLeavesTargetAndNoTemporaryFile) {
  // Renaming a file over a directory fails even for root.
  fs::create_directory("data/taken");
  WriteText("data/taken/inside.txt", "keep");
  try {
    platform::WriteFileAtomically("data/taken", std::vector<std::uint8_t>{1, 2});
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(e.path(), "data/taken");
    EXPECT_NE(std::string(e.what()).find("data/taken: cannot replace"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(testing_support::FileBytes("data/taken/inside.txt"),
            (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
  EXPECT_EQ(Entries("data"), std::vector<std::string>{"taken"});
}

TEST_F(AtomicFileTest, MissingDirectoryIsReported) {
  try {
    platform::WriteFileAtomically("nowhere/file.dat", std::vector<std::uint8_t>{1});
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& e) {
    EXPECT_STREQ(e.what(), "nowhere/file.dat: cannot create: there is no directory nowhere");
  }
  EXPECT_FALSE(fs::exists("nowhere"));
}

TEST_F(AtomicFileTest, ReadOnlyTargetOrDirectoryIsRefusedAndKept) {
  // What a write as an ordinary user makes of it: refused, or written.
  const auto write = [](const char* path) {
    return testing_support::RunUnprivileged([path] {
      try {
        platform::WriteFileAtomically(path, std::vector<std::uint8_t>{1});
      } catch (const platform::FileError&) {
        return "refused";
      }
      return "written";
    });
  };
  WriteText("data/locked.dat", "old");
  fs::permissions("data/locked.dat", fs::perms(0444));
  EXPECT_EQ(write("data/locked.dat"), "refused");
  EXPECT_EQ(testing_support::FileBytes("data/locked.dat"),
            (std::vector<std::uint8_t>{'o', 'l', 'd'}));

  WriteText("data/other.dat", "old");
  fs::permissions("data", fs::perms(0555));
  EXPECT_EQ(write("data/other.dat"), "refused");
  fs::permissions("data", fs::perms(0755));
  EXPECT_EQ(testing_support::FileBytes("data/other.dat"),
            (std::vector<std::uint8_t>{'o', 'l', 'd'}));
  EXPECT_EQ(Entries("data"), (std::vector<std::string>{"locked.dat", "other.dat"}));
}

}  // namespace
