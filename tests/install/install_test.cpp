// `cmake --install` into a temporary prefix: every file lands in its place, the
// desktop entry and the AppStream metainfo pass Debian's validators, the icons
// have their sizes, and the launcher runs the program in the player's own
// directory, whose data/ and sound/ link to the read-only tree while the
// player's files stay the player's.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kAppId = "example.zorbelline_games.ZorbellineQuester";

struct Outcome {
  int exitCode = -1;
  std::string out;
};

Outcome Shell(const std::string& command) {
  Outcome outcome;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return outcome;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) outcome.out += buffer;
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::string Quote(const fs::path& path) {
  return "'" + path.string() + "'";
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const fs::path& path) {
  const std::string bytes = ReadAll(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto be32 = [&](std::size_t at) {
    int v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

class InstallTest : public ::testing::Test {
 protected:
  // The tree CTest's fixture installs (ZQ_INSTALL_PREFIX), or, run alone, one
  // install for the whole suite: generating the runtime tree takes a while.
  static void SetUpTestSuite() {
    if (const char* shared = std::getenv("ZQ_INSTALL_PREFIX"); shared && *shared) {
      prefix_ = new fs::path(shared);
      return;
    }
    std::string pattern = (fs::temp_directory_path() / "zq-install-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    ownRoot_ = new fs::path(pattern);
    prefix_ = new fs::path(*ownRoot_ / "usr");
    const Outcome install =
        Shell("'" CMAKE_COMMAND "' --install '" ZQ_BINARY_DIR "' --prefix " + Quote(Prefix()));
    ASSERT_EQ(install.exitCode, 0) << install.out;
  }
  static void TearDownTestSuite() {
    if (ownRoot_) {
      std::error_code ignored;
      fs::remove_all(*ownRoot_, ignored);
    }
    delete ownRoot_;
    delete prefix_;
    ownRoot_ = prefix_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(prefix_ && fs::exists(Prefix() / "bin" / "zorbelline-quester"));
  }

  static fs::path Prefix() { return *prefix_; }
  static fs::path Share() { return Prefix() / "share" / "zorbelline-quester"; }

  static fs::path* prefix_;
  static fs::path* ownRoot_;
};

fs::path* InstallTest::prefix_ = nullptr;
fs::path* InstallTest::ownRoot_ = nullptr;

TEST_F(InstallTest, FilesInTheirPlaces) {
  const fs::path prefix = Prefix();
  for (const fs::path& file : {fs::path("bin/zorbelline-quester"),
                               fs::path("libexec/zorbelline-quester/zorbelline-quester"),
                               fs::path("share/applications/" + kAppId + ".desktop"),
                               fs::path("share/metainfo/" + kAppId + ".metainfo.xml"),
                               fs::path("share/icons/hicolor/scalable/apps/zorbelline-quester.svg"),
                               fs::path("share/zorbelline-quester/data/cursor.png"),
                               fs::path("share/zorbelline-quester/sound/mainmenuchg.WAV")}) {
    SCOPED_TRACE(file.string());
    EXPECT_TRUE(fs::is_regular_file(prefix / file));
  }
  for (const char* program :
       {"bin/zorbelline-quester", "libexec/zorbelline-quester/zorbelline-quester"})
    EXPECT_EQ(access((prefix / program).c_str(), X_OK), 0) << program;
  // No persistent file is installed: each player's are made in their directory.
  for (const char* own : {"settings.dat", "records.dat", "boss.dat"})
    EXPECT_FALSE(fs::exists(Share() / "data" / own)) << own;
}

TEST_F(InstallTest, IconsHaveTheirSizes) {
  for (const int size : {48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    const fs::path png =
        Prefix() / "share/icons/hicolor" / (side + "x" + side) / "apps/zorbelline-quester.png";
    EXPECT_EQ(PngSize(png), std::make_pair(size, size)) << png;
  }
  EXPECT_NE(
      ReadAll(Prefix() / "share/icons/hicolor/scalable/apps/zorbelline-quester.svg").find("<svg"),
      std::string::npos);
}

TEST_F(InstallTest, DesktopEntryAndMetainfoPassTheValidators) {
  const fs::path desktop = Prefix() / "share/applications" / (kAppId + ".desktop");
  const Outcome entry = Shell("desktop-file-validate " + Quote(desktop));
  EXPECT_EQ(entry.exitCode, 0) << entry.out;
  EXPECT_EQ(entry.out, "");
  // The entry starts the launcher with the default window.
  EXPECT_NE(ReadAll(desktop).find("\nExec=zorbelline-quester\n"), std::string::npos);

  const fs::path metainfo = Prefix() / "share/metainfo" / (kAppId + ".metainfo.xml");
  const Outcome info = Shell("appstreamcli validate --no-net " + Quote(metainfo));
  EXPECT_EQ(info.exitCode, 0) << info.out;
  EXPECT_EQ(info.out.find("W: "), std::string::npos) << info.out;
  EXPECT_EQ(info.out.find("E: "), std::string::npos) << info.out;
}

// The launcher with the program replaced by one that prints where it runs and
// its arguments.
class LauncherTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "zq-home-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    home_ = pattern;
    // A copy of the install with the stand-in program.
    prefix_ = home_ / "prefix";
    fs::create_directories(prefix_ / "libexec/zorbelline-quester");
    fs::create_directories(prefix_ / "share");
    fs::copy(Prefix() / "bin", prefix_ / "bin", fs::copy_options::recursive);
    fs::copy(Share(), prefix_ / "share/zorbelline-quester", fs::copy_options::recursive);
    const fs::path program = prefix_ / "libexec/zorbelline-quester/zorbelline-quester";
    std::ofstream(program) << "#!/bin/sh\npwd\nprintf '%s\\n' \"$@\"\n";
    fs::permissions(program, fs::perms::owner_all);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(home_, ignored);
  }

  Outcome Launch(const std::string& env, const std::string& args = "") {
    return Shell("env -u XDG_DATA_HOME HOME=" + Quote(home_) + " " + env + " " +
                 Quote(prefix_ / "bin/zorbelline-quester") + " " + args);
  }

  fs::path home_;
  fs::path prefix_;
};

TEST_F(LauncherTest, RunsInTheXdgDataDirectory) {
  struct Case {
    std::string env;
    fs::path dir;
  };
  const Case cases[] = {
      {"", home_ / ".local/share/zorbelline-quester"},
      {"XDG_DATA_HOME=" + Quote(home_ / "xdg"), home_ / "xdg/zorbelline-quester"},
      {"XDG_DATA_HOME=relative/dir", home_ / ".local/share/zorbelline-quester"},  // invalid
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.env);
    const Outcome run = Launch(c.env, "--scale 2");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, c.dir.string() + "\n--scale\n2\n");
    for (const char* sub : {"data", "sound"}) {
      for (const auto& entry : fs::directory_iterator(prefix_ / "share/zorbelline-quester" / sub)) {
        const fs::path link = c.dir / sub / entry.path().filename();
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_TRUE(fs::equivalent(link, entry.path())) << link;
      }
    }
  }
}

TEST_F(LauncherTest, KeepsThePlayersFilesAndFollowsTheInstall) {
  const fs::path dir = home_ / ".local/share/zorbelline-quester";
  ASSERT_EQ(Launch("").exitCode, 0);
  // The player's own files, one of them with the name of an installed file.
  std::ofstream(dir / "data/records.dat") << "mine";
  fs::remove(dir / "data/_font");
  std::ofstream(dir / "data/_font") << "my font";
  // The install changes: a file goes, one is replaced, one is new.
  const fs::path share = prefix_ / "share/zorbelline-quester";
  fs::remove(share / "data/Baloon.dat");
  fs::rename(share / "sound/mainmenuchg.WAV", share / "sound/renamed.wav");

  ASSERT_EQ(Launch("").exitCode, 0);
  EXPECT_EQ(ReadAll(dir / "data/records.dat"), "mine");
  EXPECT_EQ(ReadAll(dir / "data/_font"), "my font");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "data/Baloon.dat")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "sound/mainmenuchg.WAV")));
  EXPECT_TRUE(fs::equivalent(dir / "sound/renamed.wav", share / "sound/renamed.wav"));
}

}  // namespace
