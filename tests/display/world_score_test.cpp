// A game finished in the real window reaches the world table as verified: the
// game sends its score and then its recording to a zq-scores of the test's own
// on 127.0.0.1, the service plays the recording through zq-sim, and the entry
// shows as verified on the world page with the very file the game kept.
#include <signal.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/display/game_binary_fixture.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::GameBinaryTest;
using testing_support::Shell;

const fs::path kScores = fs::path(ZQ_BINARY_DIR) / "server" / "zq-scores";

// The body of an HTTP GET (python3 is on every machine the tests run on).
std::string Fetch(const std::string& url) {
  return Shell(
      "python3 -c 'import sys, urllib.request; "
      "sys.stdout.write(urllib.request.urlopen(sys.argv[1], timeout=5).read().decode())' '" +
      url + "' 2>/dev/null");
}

class WorldScoreTest : public GameBinaryTest {
 protected:
  void SetUp() override {
    GameBinaryTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(fs::exists(kScores)) << kScores;
    // The checks run in a tree of their own, as a service's would.
    verifierTree_ = dir_.path() / "verifier";
    fs::copy(runtime_, verifierTree_, fs::copy_options::recursive);
    fs::remove(verifierTree_ / "data" / "boss.dat");
    // A table of scores of -1: a game of no points earns the first place.
    std::ofstream table(runtime_ / "data" / "records.dat", std::ios::binary);
    for (int entry = 0; entry < 10; ++entry) {
      const char name[12] = {9, 'A', 'n', 'o', 'n', 'y', 'm', 'o', 'u', 's', 0, 0};
      const std::int32_t score = -1;
      table.write(name, sizeof name).write(reinterpret_cast<const char*>(&score), sizeof score);
    }
  }

  void TearDown() override {
    if (service_ > 0) kill(service_, SIGTERM);
    GameBinaryTest::TearDown();
  }

  // Starts zq-scores with one verifying worker; its address, empty when it
  // did not come up.
  std::string StartService() {
    const fs::path log = dir_.path() / "scores.log";
    service_ = std::stoi(
        Shell(kScores.string() + " --port 0 --db " + (dir_.path() / "scores.db").string() +
              " --verifier " + testing_support::kSim.string() + " --verifier-runtime " +
              verifierTree_.string() + " --verify-workers 1 >" + log.string() + " 2>&1 & echo $!"));
    std::string url;
    Eventually([&] {
      url = Shell("sed -n 's/^zq-scores listening on \\(http:[^ ]*\\) .*/\\1/p' " + log.string());
      return !url.empty();
    });
    return url;
  }

  std::string ServiceLog() {
    const auto bytes = testing_support::FileBytes(dir_.path() / "scores.log");
    return {bytes.begin(), bytes.end()};
  }

  fs::path verifierTree_;
  pid_t service_ = 0;
};

TEST_F(WorldScoreTest, AGameLeftInTheWindowIsVerifiedOnTheWorldPage) {
  const std::string url = StartService();
  ASSERT_FALSE(url.empty()) << ServiceLog();
  Start({}, {"ZQ_SCORE_SERVER=" + url});
  const std::string window = WaitForWindow();
  ASSERT_FALSE(window.empty());
  testing_support::OtherXClient screen;
  ASSERT_TRUE(Eventually([&] { return ShowsPicture(screen, window); }));
  Shell("xdotool windowfocus --sync " + window);

  // New Game; the level's panel darkens the top of the picture that the
  // menu's sky keeps light. On a busy machine the menu may not take the
  // first key yet: Enter is pressed again until the game starts.
  const auto topIsDark = [&] {
    int dark = 0;
    for (const auto& c : Sample(screen, window, 0, 0, 800, 60))
      if (c.r + c.g + c.b < 360) ++dark;
    return dark > 80 * 6 * 3 / 4;
  };
  bool started = false;
  for (int attempt = 0; attempt < 10 && !started; ++attempt) {
    Shell("xdotool windowfocus --sync " + window + " key Return");
    started = Eventually(topIsDark, 5s);
  }
  ASSERT_TRUE(started) << "the game did not start";
  std::this_thread::sleep_for(6s);  // the ship brings the hero in

  // Leave the game (Esc, YES): the score of 0 enters the table, a name is
  // typed and confirmed (Enter, down to OK, Enter), and YES sends it.
  for (const char* keys :
       {"Escape", "Return", "a b c", "Return", "Down Down", "Return", "Return"}) {
    std::this_thread::sleep_for(1500ms);
    Shell(std::string("xdotool key --delay 100 ") + keys);
  }
  const fs::path kept = runtime_ / "data" / "replays" / "rank-01.zqr";
  ASSERT_TRUE(Eventually([&] { return fs::exists(kept); })) << "the game kept no recording";

  std::string top;
  const bool marked = Eventually(
      [&] {
        top = Fetch(url + "/api/top");
        return top.find("\"mark\":\"verified\"") != std::string::npos ||
               top.find("\"mark\":\"rejected\"") != std::string::npos;
      },
      90s);
  ASSERT_TRUE(marked) << top << "\n" << ServiceLog();
  EXPECT_NE(top.find(R"("name":"abc","country":"","score":0)"), std::string::npos) << top;
  EXPECT_NE(top.find(R"("mark":"verified","replay":"/api/replays/1")"), std::string::npos) << top;
  const std::string page = Fetch(url + "/cgi/version.pl?show&type=0&prg=ZorbellineQuester");
  EXPECT_NE(page.find("<td class=\"name\">abc</td>"), std::string::npos) << page;
  EXPECT_NE(page.find("href=\"/api/replays/1\" title=\"verified"), std::string::npos) << page;
  // The recording offered for download is the game's own file.
  Shell(
      "python3 -c 'import sys, urllib.request; open(sys.argv[2], \"wb\").write("
      "urllib.request.urlopen(sys.argv[1], timeout=5).read())' " +
      url + "/api/replays/1 " + (dir_.path() / "downloaded.zqr").string());
  EXPECT_EQ(testing_support::FileBytes(dir_.path() / "downloaded.zqr"),
            testing_support::FileBytes(kept));
}

}  // namespace
