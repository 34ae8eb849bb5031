// A persistent file that cannot be written during play ends the program the way
// a failed load does: the engine run closed, the window gone, one "Fatal error"
// box naming the file, exit status 1 (instead of an exception through the
// driver and an abort).
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/headless/headless_backend.h"
#include "platform/scripted/scripted_platform.h"
#include "tests/sim/sim_fixture.h"

namespace {

using End = sim::Session::End;
using testing_support::SimTest;

TEST_F(SimTest, FailedSaveDuringPlayIsReportedAndEndsTheProgram) {
  const struct {
    const char* name;
    const char* file;
    const char* script;
  } kCases[] = {
      // Options, Left on Display, down to APPLY.
      {"options applied", "data/settings.dat",
       "240 key DOWN\n241 key ENTER\n242 key LEFT\n243 key DOWN\n244 key DOWN\n245 key DOWN\n"
       "246 key DOWN\n247 key DOWN\n248 key ENTER\n"},
      // High scores, Clear, YES.
      {"table cleared", "data/records.dat",
       "240 key DOWN\n241 key DOWN\n242 key ENTER\n243 key DOWN\n244 key ENTER\n245 key LEFT\n"
       "246 key ENTER\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all("data");
    std::filesystem::create_directories("data");
    const End end = Run(c.script, 400, [&](sim::Session&, const testing_support::SimFrame& f) {
      if (f.frame != 235) return;
      // The file becomes a directory: the next save of it cannot replace it.
      std::filesystem::remove(c.file);
      std::filesystem::create_directories(std::filesystem::path(c.file) / "taken");
    });
    EXPECT_EQ(end, End::ProgramEnded);
    EXPECT_EQ(session_->exitStatus(), 1);
    EXPECT_LT(session_->framesRun(), 300);
    EXPECT_FALSE(session_->backend().isOpen()) << "the engine run is closed";
    const platform::WindowId window = session_->platform().LastWindow();
    ASSERT_NE(session_->platform().Window(window), nullptr);
    EXPECT_TRUE(session_->platform().Window(window)->destroyed);
    const auto& boxes = session_->platform().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Fatal error");
    EXPECT_NE(boxes[0].text.find(std::filesystem::path(c.file).filename().string()),
              std::string::npos)
        << boxes[0].text;
    EXPECT_EQ(boxes[0].flags & platform::MB_ICONERROR, platform::MB_ICONERROR);
  }
}

}  // namespace
