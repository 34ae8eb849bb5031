// A display change applied on the options screen, through the real driver:
// the engine opens again at once in the new mode (no hidden wait), the menus
// come back, and the change is in the settings file for the next start.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "tests/sim/sim_fixture.h"

namespace {

using End = sim::Session::End;
using testing_support::SimTest;

// Options (main menu item 2), Left on Display, then APPLY (item 6).
constexpr const char* kToggleAndApply =
    "232 key DOWN\n233 key ENTER\n"
    "234 key LEFT\n"
    "235 key DOWN\n236 key DOWN\n237 key DOWN\n238 key DOWN\n239 key DOWN\n"
    "240 key ENTER\n";

TEST_F(SimTest, AppliedDisplayChangeReopensTheEngineAtOnceInTheNewMode) {
  const struct {
    const char* name;
    std::uint8_t windowedBefore;
    std::uint8_t windowedAfter;
    bool fullScreenAfter;
  } kCases[] = {{"window to full screen", 1, 0, true}, {"full screen to window", 0, 1, false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    core::GameSettings settings;
    settings.Windowed = c.windowedBefore;
    WriteSettings(settings);
    bool fullScreenAtEnd = !c.fullScreenAfter;
    ASSERT_EQ(Run(kToggleAndApply, 300,
                  [&](sim::Session&, const testing_support::SimFrame&) {
                    fullScreenAtEnd = iDisplayMode() > 0;
                  }),
              End::FramesRanOut);
    EXPECT_EQ(session_->platform().WindowsCreated(), 2);
    EXPECT_EQ(fullScreenAtEnd, c.fullScreenAfter);
    EXPECT_EQ(At(300).state, core::ssMainMenu);
    EXPECT_TRUE(At(300).menuScene);
    EXPECT_EQ(session_->program().persistent.settings.Windowed, c.windowedAfter);
    EXPECT_FALSE(session_->program().driver.DisplayChanged);  // acted on and cleared

    core::PersistentState next;
    core::LoadPersistentFiles(next);
    EXPECT_EQ(next.settings.Windowed, c.windowedAfter);
  }
}

TEST_F(SimTest, DisplayToggledTwiceKeepsTheEngineRunning) {
  const std::string script =
      "232 key DOWN\n233 key ENTER\n"
      "234 key LEFT\n235 key RIGHT\n"
      "236 key DOWN\n237 key DOWN\n238 key DOWN\n239 key DOWN\n240 key DOWN\n"
      "241 key ENTER\n";
  ASSERT_EQ(Run(script, 260), End::FramesRanOut);
  EXPECT_EQ(session_->platform().WindowsCreated(), 1);
  EXPECT_EQ(At(260).state, core::ssMainMenu);
}

}  // namespace
