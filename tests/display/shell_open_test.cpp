#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/sdl/sdl_platform.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WaitForFile(const fs::path& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(path);
}

// A stand-in xdg-open on PATH that records its argument, then lingers.
class ShellOpenTest : public ::testing::Test {
 protected:
  ShellOpenTest() {
    const fs::path bin = dir_.path() / "bin";
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open")
        << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << (dir_.path() / "opened").string()
        << ".tmp\"\nmv \"" << (dir_.path() / "opened").string() << ".tmp\" \""
        << (dir_.path() / "opened").string() << "\"\nsleep 2\ntouch \""
        << (dir_.path() / "finished").string() << "\"\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", (bin.string() + ":" + oldPath_).c_str(), 1);
  }
  ~ShellOpenTest() override { setenv("PATH", oldPath_.c_str(), 1); }

  testing_support::TempDir dir_;
  std::string oldPath_;
};

TEST_F(ShellOpenTest, OpensDetachedWithTheTargetVerbatimAndLeavesNoChild) {
  const std::string target = "play.url 'a\"b $(touch pwned) `touch pwned`";
  platform::OpenWithDesktop(target);
  ASSERT_TRUE(WaitForFile(dir_.path() / "opened"));
  EXPECT_EQ(ReadFile(dir_.path() / "opened"), target);
  EXPECT_FALSE(fs::exists(dir_.path() / "finished")) << "the opener ran to its end first";
  EXPECT_FALSE(fs::exists("pwned"));
  // No child of ours is left to reap: the opener belongs to init.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ShellOpenTest, MissingOpenerIsIgnored) {
  setenv("PATH", (dir_.path() / "nowhere").string().c_str(), 1);
  platform::OpenWithDesktop("play.url");
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
