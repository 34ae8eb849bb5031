// Tests of the real window side: the SDL platform, X11 hot keys and the window
// backend. They need the X display CTest starts for them under Xvfb (marked by
// ZQ_TEST_DISPLAY): started by hand without it they skip, on that display they
// fail when SDL cannot open it. Keys are sent with xdotool.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/sdl/sdl_platform.h"

namespace testing_support {

// Only on the X server CTest starts for these tests (they press keys and grab
// combinations, which must never reach a desktop in use).
inline bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display && std::getenv("ZQ_TEST_DISPLAY");
}

inline void SendKeys(const std::string& keys) {
  const std::string command = "xdotool key --delay 20 " + keys;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "no test X display (ZQ_TEST_DISPLAY)";
    platform_.emplace(router_, clock_);
    ASSERT_TRUE(platform_->Ready())
        << "SDL cannot open the test display " << std::getenv("DISPLAY");
    platform_->RegisterWindowClass(
        "Game", [this](platform::WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
          return platform_->DefWindowProc(w, m, wp, lp);
        });
  }

  platform::WindowId NewWindow(int x = 112, int y = 84) {
    return platform_->CreateGameWindow("Game", "Zorbelline Quester", x, y, 800, 600);
  }

  // Pumps messages until one of this type arrives or two seconds pass.
  std::optional<platform::Message> WaitFor(std::uint32_t type) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
      platform::Message m;
      if (platform_->PeekMessage(m)) {
        if (m.message == type) return m;
        continue;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
  }

  platform::SdlEventRouter router_;
  platform::SteadyClock clock_;
  std::optional<platform::SdlPlatform> platform_;
};

}  // namespace testing_support
