#include "platform/paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class ResolvePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"data/Sandclock.dat", "sound/MainMenuChg.wav", "mixed/ABC",
                             "mixed/abc", "mixed/aBc", "Nested/Deeper/Leaf.TXT"}) {
      fs::create_directories(fs::path(file).parent_path());
      std::ofstream(file) << "x";
    }
  }

  testing_support::TempDir dir_;
};

struct ResolveCase {
  const char* gamePath;
  const char* expected;
};

TEST_F(ResolvePathTest, ResolvesEachComponentIgnoringCase) {
  const ResolveCase cases[] = {
      {"data\\Sandclock.dat", "data/Sandclock.dat"},
      {"Data\\Sandclock.dat", "data/Sandclock.dat"},
      {"DATA\\SANDCLOCK.DAT", "data/Sandclock.dat"},
      {"data/Sandclock.dat", "data/Sandclock.dat"},
      {"data\\\\sandclock.dat", "data/Sandclock.dat"},
      {"sound\\mainmenuchg.WAV", "sound/MainMenuChg.wav"},
      {"nested\\deeper\\leaf.txt", "Nested/Deeper/Leaf.TXT"},
      {"data", "data"},
      {"DATA\\", "data"},
      // An exact name wins over other spellings; otherwise the first in sorted order.
      {"mixed\\abc", "mixed/abc"},
      {"mixed\\aBc", "mixed/aBc"},
      {"mixed\\Abc", "mixed/ABC"},
      // A file still to be created keeps its given name in the resolved directory.
      {"Data\\settings.dat", "data/settings.dat"},
      {"data\\New.DAT", "data/New.DAT"},
      {"missing\\Sub\\File.dat", "missing/Sub/File.dat"},
      {"Data\\missing\\Sandclock.dat", "data/missing/Sandclock.dat"},
      {"", ""},
  };
  for (const ResolveCase& c : cases) {
    EXPECT_EQ(platform::ResolvePath(c.gamePath), fs::path(c.expected)) << c.gamePath;
  }
}

TEST_F(ResolvePathTest, CaseFoldingIsAsciiOnly) {
  std::ofstream("data/\xC3\xA9t\xC3\xA9.dat") << "x";  // "été" in UTF-8
  EXPECT_EQ(platform::ResolvePath("DATA\\\xC3\x89T\xC3\x89.dat"),
            fs::path("data/\xC3\x89T\xC3\x89.dat"));
  EXPECT_EQ(platform::ResolvePath("DATA\\\xC3\xA9T\xC3\xA9.DAT"),
            fs::path("data/\xC3\xA9t\xC3\xA9.dat"));
}

}  // namespace
