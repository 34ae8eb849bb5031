#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "tests/display/display_fixture.h"
#include "tests/display/x_client.h"

namespace {

enum class Sdl { Up, Closed };

// Xlib has one error handler per process, and SDL swaps it: it keeps the one it
// finds, puts its own in front and puts the kept one back when its video ends.
// SDL's wake-up messages to a window our restart has just destroyed fail at the
// server, and the error is read whenever SDL next uses or closes that
// connection. Each case runs in a process of its own and reads such an error
// (or another one) with SDL up or after it has closed.
TEST(XErrorsDeathTest, SendToAVanishedWindowIsHarmlessWhateverHandlerSdlLeftInPlace) {
  if (!testing_support::HaveDisplay()) GTEST_SKIP() << "no test X display (ZQ_TEST_DISPLAY)";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Case {
    const char* name;
    Sdl sdl;
    bool sendEvent;
    int exitCode;  // 1: Xlib's default handler reported the error and ended the process
  };
  const Case cases[] = {
      {"sent event, SDL up", Sdl::Up, true, 0},
      {"sent event, SDL closed", Sdl::Closed, true, 0},
      {"map request, SDL up", Sdl::Up, false, 1},
      {"map request, SDL closed", Sdl::Closed, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXIT(
        {
          platform::SdlEventRouter router;
          platform::SteadyClock clock;
          std::optional<platform::SdlPlatform> platform;
          platform.emplace(router, clock);
          if (!platform->Ready()) std::_Exit(2);
          platform->RegisterWindowClass(
              "Game", [&](platform::WindowId w, std::uint32_t m, std::uintptr_t wp,
                          std::intptr_t lp) { return platform->DefWindowProc(w, m, wp, lp); });
          const platform::WindowId window =
              platform->CreateGameWindow("Game", "Zorbelline Quester", 0, 0, 80, 60);
          platform->ShowGameWindow(window, platform::ShowCommand::ShowNormal);
          if (c.sdl == Sdl::Closed) platform.reset();
          // A busy server now and then refuses a connection for a moment.
          std::optional<testing_support::OtherXClient> other;
          for (int attempt = 0; attempt < 50 && !(other && other->connected()); ++attempt) {
            if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            other.emplace();
          }
          if (!other->connected()) std::_Exit(3);
          other->FailOnVanishedWindow(c.sendEvent);
          std::_Exit(0);
        },
        testing::ExitedWithCode(c.exitCode), c.exitCode == 0 ? "" : "BadWindow");
  }
}

}  // namespace
