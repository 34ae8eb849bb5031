// The whole program under the simulator's session: the start-up intro, the
// resume record, the ways the program ends, engine restarts that keep the
// screens' state, and the pointer outside the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/scripted/scripted_platform.h"
#include "screens/main_menu.h"
#include "tests/sim/sim_fixture.h"

namespace {

using End = sim::Session::End;
using testing_support::SimTest;

constexpr int kIntroFrames = 231;

std::string EveryFrame(int from, int to, const std::string& event) {
  std::string script;
  for (int f = from; f <= to; ++f) script += std::to_string(f) + " " + event + "\n";
  return script;
}

bool Shown(sim::Session& session, iHandle sprite) {
  const auto it = session.world().sprites.find(sprite);
  return it != session.world().sprites.end() && it->second.shown;
}

TEST_F(SimTest, IntroLasts231FramesAndTakesNoInput) {
  const std::string script = EveryFrame(1, kIntroFrames + 1, "key DOWN") +
                             "100 mouse 0 -1.7\n100 click\n"  // on High scores
                             "150 mouse 15 -11\n";            // on nothing
  ASSERT_EQ(Run(script, kIntroFrames + 1), End::FramesRanOut);

  for (int f = 1; f < kIntroFrames; ++f) ASSERT_TRUE(At(f).intro) << f;
  EXPECT_FALSE(At(kIntroFrames).intro);  // the menu appears in the last intro frame
  for (int f = 1; f <= kIntroFrames; ++f) {
    ASSERT_EQ(At(f).mainSelection, 1) << f;
    ASSERT_EQ(At(f).state, core::ssMainMenu) << f;
    ASSERT_TRUE(At(f).sounds.empty()) << f;
  }
  EXPECT_EQ(At(kIntroFrames + 1).mainSelection, 2);
  EXPECT_EQ(At(kIntroFrames + 1).sounds, std::vector<std::string>{"mainmenuchg.WAV"});

  // The backdrop grows for 120 frames and is put at full size with the sun.
  EXPECT_FLOAT_EQ(At(119).backdropScale.x, 11.9f);
  EXPECT_FLOAT_EQ(At(119).backdropScale.y, 8.925f);
  EXPECT_FALSE(At(119).sunShown);
  EXPECT_FLOAT_EQ(At(120).backdropScale.x, 20);
  EXPECT_FLOAT_EQ(At(120).backdropScale.y, 15);
  EXPECT_TRUE(At(120).sunShown);
  EXPECT_TRUE(At(1).menuScene);
  EXPECT_EQ(At(1).music, "1");
}

TEST_F(SimTest, ResumeRecordSkipsTheIntro) {
  WriteResumeRecord();
  ASSERT_EQ(Run("1 key DOWN\n", 1), End::FramesRanOut);
  EXPECT_FALSE(At(1).intro);
  EXPECT_EQ(At(1).mainSelection, 2);
  EXPECT_EQ(At(1).state, core::ssMainMenu);
  EXPECT_FLOAT_EQ(At(1).backdropScale.x, 20);
  EXPECT_TRUE(At(1).sunShown);
  EXPECT_FALSE(std::filesystem::exists("data/boss.dat"));
}

TEST_F(SimTest, YesToExitAndClosingTheWindowEndTheProgram) {
  const struct {
    const char* script;
    int lastFrame;
  } kCases[] = {
      {"232 key ESC\n233 key ENTER\n", 233},
      {"232 key ESC\n233 mouse -1.5 -2.5\n233 click\n", 233},
      {"10 close\n", 9},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Run(c.script, 1000), End::ProgramEnded);
    EXPECT_EQ(session_->framesRun(), c.lastFrame);
  }
}

TEST_F(SimTest, FullScreenFocusLossRestartsTheEngineAndKeepsTheMenu) {
  core::GameSettings settings;
  settings.Windowed = 0;
  WriteSettings(settings);
  const std::string script =
      "232 key DOWN\n233 key DOWN\n"
      "240 focus-lost\n"
      "300 hotkey\n";
  ASSERT_EQ(Run(script, 260), End::FramesRanOut);
  EXPECT_EQ(session_->platform().WindowsCreated(), 2);
  const testing_support::SimFrame& after = At(260);
  EXPECT_EQ(after.state, core::ssMainMenu);
  EXPECT_EQ(after.mainSelection, 3);
  EXPECT_FALSE(after.intro);
  EXPECT_TRUE(after.menuScene);
  EXPECT_FLOAT_EQ(after.backdropScale.x, 20);
  screens::Scene& scene = session_->scene();
  for (int item = 1; item <= screens::TMainMenu::kItems; ++item) {
    EXPECT_TRUE(Shown(*session_, scene.mainMenu().plainSprite(item)));
  }
  EXPECT_TRUE(Shown(*session_, scene.menuScene().backdropSprite()));
  EXPECT_TRUE(Shown(*session_, scene.pointer().sprite()));
}

TEST_F(SimTest, RestartDuringAGameRebuildsTheGameAndKeepsTheMenuSceneHidden) {
  core::GameSettings settings;
  settings.Windowed = 0;
  WriteSettings(settings);
  const std::string script = "232 key ENTER\n240 key P\n245 focus-lost\n246 hotkey\n";
  ASSERT_EQ(Run(script, 250), End::FramesRanOut);
  EXPECT_EQ(session_->platform().WindowsCreated(), 2);
  EXPECT_EQ(At(250).state, core::ssPaused);
  EXPECT_FALSE(At(250).menuScene);
  screens::Scene& scene = session_->scene();
  EXPECT_EQ(scene.game().GetLevel(), 1);
  EXPECT_TRUE(Shown(*session_, scene.game().pausePicture()));
  EXPECT_FALSE(Shown(*session_, scene.menuScene().backdropSprite()));
  EXPECT_FALSE(Shown(*session_, scene.mainMenu().plainSprite(1)));
  EXPECT_FALSE(Shown(*session_, scene.pointer().sprite()));
  EXPECT_EQ(At(250).texts, (std::vector<std::string>{"1", "0"}));
}

TEST_F(SimTest, BossKeyPausesAGameInAWindowAndHidesItInFullScreen) {
  const std::string script = "232 key ENTER\n240 key F12\n260 hotkey\n";
  ASSERT_EQ(Run(script, 250), End::FramesRanOut);
  EXPECT_EQ(At(239).state, core::ssPlaying);
  EXPECT_EQ(At(239).music, "2");
  EXPECT_EQ(At(240).state, core::ssPaused);
  EXPECT_EQ(At(240).music, "");  // the boss key stops it
  EXPECT_EQ(At(250).state, core::ssPaused);
  EXPECT_TRUE(session_->platform().Window(session_->platform().LastWindow())->minimised);
  EXPECT_EQ(session_->platform().WindowsCreated(), 1);

  core::GameSettings settings;
  settings.Windowed = 0;
  WriteSettings(settings);
  ASSERT_EQ(Run(script, 250), End::FramesRanOut);
  EXPECT_EQ(session_->platform().WindowsCreated(), 2);
  EXPECT_EQ(At(250).state, core::ssPlaying);  // a full-screen game is not paused
  EXPECT_EQ(session_->scene().game().GetLevel(), 1);
}

TEST_F(SimTest, PointerOutsideTheWindowHoversAndClicksNothing) {
  const std::string script =
      "232 mouse 0 -1.7\n"  // over High scores
      "233 key UP\n"        // the keys take it to Options
      "234 mouse 20 3.5\n"  // right of the window, level with New game
      "235 click\n";
  ASSERT_EQ(Run(script, 236), End::FramesRanOut);
  EXPECT_EQ(At(232).mainSelection, 3);
  EXPECT_EQ(At(236).mainSelection, 2);
  EXPECT_EQ(At(236).state, core::ssMainMenu);
  EXPECT_TRUE(session_->platform().CursorShown());
  const auto& sprite = session_->world().sprites.at(session_->scene().pointer().sprite());
  EXPECT_NEAR(sprite.location.x, 0, 0.05);
  EXPECT_NEAR(sprite.location.y, -1.7, 0.05);
}

}  // namespace
