// Games recorded while the program runs, played back by a second program: the
// same level steps, the same result, and the recording's digests all agree. A
// changed step is found at the first digest after it.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "protocol/replay.h"
#include "screens/scene.h"
#include "tests/sim/sim_fixture.h"

namespace {

using End = sim::Session::End;

class RecordingTest : public testing_support::SimTest {
 protected:
  // The recording the run's program made of its last game.
  std::optional<protocol::Replay> Recorded() {
    screens::Scene& scene = session_->scene();
    auto current = scene.recorder().Current(scene.game().GetScore(), scene.game().GetLevel());
    return current ? current : scene.recorder().last();
  }

  // Plays `replay` in a new program (with `script` for what the watcher does);
  // the player as it ended.
  const screens::GamePlayer& Play(const protocol::Replay& replay, const std::string& script = "") {
    sim::Session::Options options;
    options.seed = 99;
    options.replay = replay;
    std::istringstream events(script);
    options.script = sim::ParseScript(events, "watcher");
    session_ = std::make_unique<sim::Session>(std::move(options));
    end_ = session_->Run(
        static_cast<int>(replay.steps.size()) + 100, [](int) { return false; },
        [](const sim::FrameRecord&) {});
    return *session_->scene().player();
  }

  End end_ = End::Stopped;
};

bool HasReload(const protocol::Replay& replay) {
  for (const auto& step : replay.steps) {
    if (step.kind == protocol::ReplayStepKind::Reload) return true;
  }
  return false;
}

TEST_F(RecordingTest, RecordedGamesPlayBackToTheSameEnd) {
  const struct {
    const char* name;
    bool fullScreen;
    const char* script;
    int frames;
    bool reload;
  } kCases[] = {
      {"windowed, paused twice", false,
       "232 key ENTER\n300 down RIGHT\n320 key UP\n350 up RIGHT\n400 key P\n450 key P\n"
       "500 key LCTRL\n520 down LEFT\n540 key UP\n600 up LEFT\n",
       700, false},
      {"full screen, focus lost and the engine restarted", true,
       "232 key ENTER\n300 down RIGHT\n320 key UP\n345 focus-lost\n346 hotkey\n"
       "400 up RIGHT\n420 key UP\n450 key LCTRL\n",
       650, true},
      {"left with Esc, then a second game", false,
       "232 key ENTER\n300 down RIGHT\n340 up RIGHT\n400 key ESC\n420 key ENTER\n"
       "500 key ENTER\n560 down LEFT\n600 key UP\n640 up LEFT\n700 key LCTRL\n",
       900, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    core::GameSettings settings;
    settings.Windowed = c.fullScreen ? 0 : 1;
    WriteSettings(settings);
    Run(c.script, c.frames);
    const std::optional<protocol::Replay> recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(HasReload(*recorded), c.reload);
    EXPECT_GT(recorded->Frames(), 200u);
    // Through the file format, as the game saves it.
    const protocol::Replay replay = protocol::DecodeReplay(protocol::EncodeReplay(*recorded));

    const screens::GamePlayer& player = Play(replay);
    EXPECT_EQ(end_, End::ProgramEnded);
    EXPECT_TRUE(player.Verified());
    EXPECT_EQ(player.firstDifferentFrame(), std::nullopt);
    EXPECT_EQ(player.framesRun(), replay.Frames());
    EXPECT_EQ(player.score(), replay.score);
    EXPECT_EQ(player.level(), replay.level);
  }
}

// Losing the focus in full screen while watching restarts the engine: the
// game goes on as recorded, with the level's pictures made again.
TEST_F(RecordingTest, ARestartWhileWatchingLeavesTheGameAsRecorded) {
  Run("232 key ENTER\n300 down RIGHT\n320 key UP\n350 up RIGHT\n500 key LCTRL\n", 700);
  const std::optional<protocol::Replay> recorded = Recorded();
  ASSERT_TRUE(recorded);
  core::GameSettings settings;
  settings.Windowed = 0;
  WriteSettings(settings);
  const screens::GamePlayer& player = Play(*recorded, "300 focus-lost\n301 hotkey\n");
  EXPECT_EQ(session_->platform().WindowsCreated(), 2);
  EXPECT_TRUE(player.Verified());
  EXPECT_EQ(player.firstDifferentFrame(), std::nullopt);
}

// A second game in the same run starts from wherever the random sequence
// stands; the recording keeps that position.
TEST_F(RecordingTest, ASecondGameRecordsWhereTheRandomSequenceStood) {
  Run("232 key ENTER\n300 key ESC\n320 key ENTER\n400 key ENTER\n500 key UP\n", 600);
  const std::optional<protocol::Replay> second = Recorded();
  ASSERT_TRUE(second);
  EXPECT_GT(second->draws, 0u);
  EXPECT_TRUE(Play(*second).Verified());
}

TEST_F(RecordingTest, AChangedStepOrResultIsFound) {
  Run("232 key ENTER\n300 down RIGHT\n320 key UP\n350 up RIGHT\n500 key LCTRL\n520 down LEFT\n"
      "540 key UP\n600 up LEFT\n",
      800);
  const std::optional<protocol::Replay> recorded = Recorded();
  ASSERT_TRUE(recorded);
  ASSERT_GT(recorded->Frames(), 2 * protocol::kReplayCheckpointFrames);

  protocol::Replay moved = *recorded;
  // Jumps to the right the player never made, after the walk-out.
  for (std::size_t step = 300; step < 330; ++step) {
    moved.steps[step].keys = game::GameKeys{.right = true, .jump = true}.Bits();
  }
  const screens::GamePlayer& jumped = Play(moved);
  EXPECT_FALSE(jumped.Verified());
  EXPECT_EQ(jumped.firstDifferentFrame(),
            std::optional<std::uint32_t>(protocol::kReplayCheckpointFrames * 2));

  protocol::Replay richer = *recorded;
  richer.score += 10;
  const screens::GamePlayer& edited = Play(richer);
  EXPECT_FALSE(edited.Verified());
  EXPECT_EQ(edited.firstDifferentFrame(), std::nullopt);
  EXPECT_EQ(edited.score(), recorded->score);
}

}  // namespace
