// The game binary on the test X server: a fixture that starts it in a fresh
// copy of the generated runtime tree (intro skipped, default settings, a
// stand-in desktop opener) and looks at its window from another X client.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/display/display_fixture.h"
#include "tests/display/game_program.h"
#include "tests/display/x_client.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace testing_support {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

inline const fs::path kAssets = fs::path(ZQ_BINARY_DIR) / "tools" / "assets" / "zq-assets";
inline const fs::path kSim = fs::path(ZQ_BINARY_DIR) / "tools" / "sim" / "zq-sim";

inline std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

class GameBinaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::HaveDisplay()) GTEST_SKIP() << "no test X display (ZQ_TEST_DISPLAY)";
    ASSERT_TRUE(fs::exists(kGame)) << kGame;
    runtime_ = dir_.path() / "runtime";
    if (const char* tree = std::getenv("ZQ_RUNTIME_DIR"); tree && fs::exists(tree)) {
      fs::copy(tree, runtime_, fs::copy_options::recursive);
    } else {
      ASSERT_TRUE(fs::exists(kAssets)) << kAssets;
      ASSERT_EQ(std::system((kAssets.string() + " " + runtime_.string() + " >/dev/null").c_str()),
                0);
    }
    fs::remove(runtime_ / "data" / "settings.dat");  // defaults: windowed, F12
    // A resume record skips the start-up intro.
    std::ofstream(runtime_ / "data" / "boss.dat", std::ios::binary) << std::string(8, '\0');
    const fs::path bin = dir_.path() / "bin";
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open")
        << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" << (dir_.path() / "opened").string() << "\"\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    path_ = bin.string() + ":" + std::getenv("PATH");
  }

  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  // Starts the game with the arguments; `env` adds to its environment.
  void Start(std::vector<std::string> args = {}, std::vector<std::string> env = {}) {
    env.insert(env.end(), {"PATH=" + path_, "SDL_AUDIODRIVER=dummy"});
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("PATH=", 0) != 0) env.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = kGame.string();
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, runtime_.c_str());
    ASSERT_EQ(posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
  }

  // Starts in full screen instead of a window.
  void ChooseFullScreen() {
    const char settings[18] = {0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 88, 0, 0, 0};
    std::ofstream(runtime_ / "data" / "settings.dat", std::ios::binary).write(settings, 18);
  }

  // Whether a visible window with the caption comes to be (or to be gone).
  bool WaitForVisible(bool visible) {
    for (int i = 0; i < 300; ++i) {
      const bool shown =
          !Shell("xdotool search --onlyvisible --name '^Zorbelline Quester$' 2>/dev/null").empty();
      if (shown == visible) return true;
      std::this_thread::sleep_for(100ms);
    }
    return false;
  }

  // The X window id of the game window, empty when it does not appear.
  std::string WaitForWindow() {
    for (int i = 0; i < 600; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        ADD_FAILURE() << "the game ended before its window appeared, status " << status;
        return {};
      }
      const std::string id = Shell("xdotool search --name '^Zorbelline Quester$' 2>/dev/null");
      if (!id.empty()) return id.substr(0, id.find('\n'));
      std::this_thread::sleep_for(100ms);
    }
    return {};
  }

  // The exit code, or -1 when the process is still running after the wait
  // (looked at once even with no time to wait).
  int WaitForExit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (std::chrono::steady_clock::now() >= deadline) return -1;
      std::this_thread::sleep_for(50ms);
    }
  }

  // Polls until the condition holds; false when it never did within the limit.
  template <typename Condition>
  static bool Eventually(Condition condition, std::chrono::seconds limit = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(100ms);
    }
    return true;
  }

  struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
  };
  static Geometry WindowGeometry(const std::string& window) {
    Geometry g;
    std::istringstream in(Shell("xdotool getwindowgeometry --shell " + window));
    for (std::string line; std::getline(in, line);) {
      const auto value = [&line] { return std::stoi(line.substr(line.find('=') + 1)); };
      if (line.rfind("X=", 0) == 0) g.x = value();
      if (line.rfind("Y=", 0) == 0) g.y = value();
      if (line.rfind("WIDTH=", 0) == 0) g.width = value();
      if (line.rfind("HEIGHT=", 0) == 0) g.height = value();
    }
    return g;
  }

  // The colours of a grid of points (every 10 pixels) of the rectangle
  // (left, top, width, height) of the window's area, or of the whole screen
  // when `window` is empty.
  std::vector<testing_support::ScreenRgb> Sample(testing_support::OtherXClient& screen,
                                                 const std::string& window, int left = 0,
                                                 int top = 0, int width = 800, int height = 600) {
    int x = 0, y = 0;
    if (!window.empty()) {
      const Geometry g = WindowGeometry(window);
      x = g.x;
      y = g.y;
    }
    std::vector<testing_support::ScreenRgb> points;
    for (int py = top + 5; py < top + height; py += 10)
      for (int px = left + 5; px < left + width; px += 10)
        points.push_back(screen.Pixel(x + px, y + py));
    return points;
  }

  // How many grid points of the rectangle (from the window's top-left corner,
  // or from (fromX, fromY) on) are not black.
  int LitPoints(testing_support::OtherXClient& screen, const std::string& window, int fromX = 0,
                int fromY = 0, int width = 800, int height = 600) {
    int lit = 0;
    for (const auto& c : Sample(screen, window, fromX, fromY, width, height))
      if (c.r + c.g + c.b > 60) ++lit;
    return lit;
  }

  // How many points of two samples differ clearly.
  static int Changed(const std::vector<testing_support::ScreenRgb>& a,
                     const std::vector<testing_support::ScreenRgb>& b) {
    int changed = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
      if (std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b) > 60)
        ++changed;
    return changed;
  }

  // Whether the game shows its picture: most of the grid is lit.
  bool ShowsPicture(testing_support::OtherXClient& screen, const std::string& window) {
    return LitPoints(screen, window) > 80 * 60 / 2;
  }

  // Whether a window manager runs on the test server (ZQ_WINDOW_MANAGER).
  static bool UnderWindowManager() {
    const char* wm = std::getenv("ZQ_WINDOW_MANAGER");
    return wm && *wm && std::string(wm) != "none";
  }

  // A window with the caption that the window manager keeps iconified (in the
  // task bar), empty when there is none.
  std::string IconifiedWindow() {
    std::istringstream ids(Shell("xdotool search --name '^Zorbelline Quester$' 2>/dev/null"));
    for (std::string id; std::getline(ids, id);) {
      if (Shell("xprop -id " + id + " WM_STATE 2>/dev/null").find("Iconic") != std::string::npos)
        return id;
    }
    return {};
  }

  bool AnyVisible() {
    return !Shell("xdotool search --onlyvisible --name '^Zorbelline Quester$' 2>/dev/null").empty();
  }

  std::string Opened() {
    std::ifstream in(dir_.path() / "opened");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // A game recorded by zq-sim in the runtime tree: New Game at frame 240 of
  // the golden level_play script (seed 1), then 1202 frames of play up to the
  // end of the game-over picture.
  fs::path RecordGame() {
    const fs::path file = dir_.path() / "game.zqr";
    const std::string script =
        std::string(ZQ_SOURCE_DIR) + "/tests/golden/scripts/level_play.script";
    const std::string command = kSim.string() + " --dir " + runtime_.string() +
                                " --seed 1 --frames 2600 --input " + script + " --record " +
                                file.string() + " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    // The run's own files go: the game starts as on a fresh install.
    fs::remove_all(runtime_ / "data" / "replays");
    fs::remove(runtime_ / "data" / "boss.dat");
    return file;
  }

  testing_support::TempDir dir_;
  fs::path runtime_;
  std::string path_;
  pid_t pid_ = 0;
};

}  // namespace testing_support
