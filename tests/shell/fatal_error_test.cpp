// Whatever is thrown during an engine run ends the program the way a file that
// cannot be written does: the run closed, the window gone (in full screen too),
// one "Fatal error" box saying what happened, status 1; never std::terminate.
#include "shell/fatal_error.h"

#include <new>
#include <stdexcept>

#include "platform/harness_stop.h"
#include "tests/shell/driver_fixture.h"

namespace {

using testing_support::DriverScenario;

TEST(FatalError, AnythingThrownDuringARunIsReportedAndTheRunClosed) {
  struct Case {
    const char* name;
    void (*raise)();
    const char* text;
  };
  const Case cases[] = {
      {"renderer", [] { throw std::runtime_error("the renderer lost its device"); },
       "the renderer lost its device"},
      {"persistent files", [] { throw std::out_of_range("record 11 of 10"); }, "record 11 of 10"},
      {"memory", [] { throw std::bad_alloc(); }, "Not enough memory to go on."},
      {"not an exception class", [] { throw 7; }, "An unexpected error ended the program."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool windowed : {false, true}) {
      SCOPED_TRACE(windowed ? "windowed" : "full screen");
      DriverScenario s(windowed);
      s.AtFrame(5, c.raise);
      core::FillWindowParams(s.program_.windowParams, 1024, 768, s.settings());
      EXPECT_EQ(shell::RunProgram(s.program_, s.hooks_), 1);
      EXPECT_EQ(s.frames_, 5);
      EXPECT_FALSE(s.backend_->isOpen()) << "the engine run is closed";
      const platform::WindowId window = s.platform_.LastWindow();
      ASSERT_NE(s.platform_.Window(window), nullptr);
      EXPECT_TRUE(s.platform_.Window(window)->destroyed);
      const auto& boxes = s.platform_.MessageBoxes();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].caption, "Fatal error");
      EXPECT_EQ(boxes[0].text, c.text);
    }
  }
}

// A harness's stop is no error: it passes with the run as it stood, so that the
// simulator sees the last frame.
TEST(FatalError, AHarnessStopPassesUntouched) {
  DriverScenario s(false);
  s.AtFrame(5, [] { throw platform::HarnessStop{}; });
  core::FillWindowParams(s.program_.windowParams, 1024, 768, s.settings());
  EXPECT_THROW(shell::RunProgram(s.program_, s.hooks_), platform::HarnessStop);
  EXPECT_TRUE(s.backend_->isOpen());
  EXPECT_TRUE(s.platform_.MessageBoxes().empty());
}

}  // namespace
