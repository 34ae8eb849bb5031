// What a soak counts from the state after each frame (sim::Milestones) and its
// check of the engine objects at the main menu after each game
// (sim::MenuMemory).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/screen_state.h"
#include "tools/sim/menu_memory.h"
#include "tools/sim/milestones.h"

namespace {

using sim::FrameFacts;
using sim::Milestones;

FrameFacts Screen(std::uint8_t screen) {
  FrameFacts f;
  f.screen = screen;
  return f;
}

FrameFacts Play(bool entering = false, bool complete = false, bool timeOver = false,
                bool gameOver = false) {
  FrameFacts f = Screen(core::ssPlaying);
  f.entering = entering;
  f.levelComplete = complete;
  f.timeOver = timeOver;
  f.gameOver = gameOver;
  return f;
}

// Back at the main menu from a level left while its UFO came down: the game
// keeps its flags until the next level sets them afresh.
FrameFacts Left() {
  FrameFacts f = Play(true);
  f.screen = core::ssMainMenu;
  return f;
}

TEST(MilestonesTest, EachPhaseCountsOnceWhenItBegins) {
  const struct {
    const char* name;
    std::vector<FrameFacts> frames;
    Milestones::Name counted;
    int times;
  } kCases[] = {
      {"a level begins", {Play(true), Play(true), Play(false)}, Milestones::kLevelStarted, 1},
      {"two levels", {Play(true), Play(), Play(true)}, Milestones::kLevelStarted, 2},
      {"level complete over many frames",
       {Play(), Play(false, true), Play(false, true), Play()},
       Milestones::kLevelComplete,
       1},
      {"time over",
       {Play(), Play(false, false, true), Play(false, false, true)},
       Milestones::kTimeOver,
       1},
      {"game over", {Play(), Play(false, false, false, true)}, Milestones::kGameOver, 1},
      {"paused through the game over",
       {Play(false, false, false, true), Screen(core::ssPaused), Play(false, false, false, true)},
       Milestones::kGameOver,
       1},
      {"a level left during its entry, then a new game",
       {Play(true), Left(), Play(true)},
       Milestones::kLevelStarted,
       2},
      {"name entry, moving between its fields",
       {Screen(core::ssPlaying), Screen(core::ssRecordEntryName), Screen(core::ssRecordEntry),
        Screen(core::ssRecordEntryCountry), Screen(core::ssConfirmSendResult)},
       Milestones::kNameEntry,
       1},
      {"sent",
       {Screen(core::ssConfirmSendResult), Screen(core::ssSending), Screen(core::ssMainMenu)},
       Milestones::kSubmission,
       1},
      {"sending, then the retry question",
       {Screen(core::ssSending), Screen(core::ssConnectFailed), Screen(core::ssSending),
        Screen(core::ssMainMenu)},
       Milestones::kConnectFailed,
       1},
      {"declined to send",
       {Screen(core::ssConfirmSendResult), Screen(core::ssRecords)},
       Milestones::kSubmission,
       0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Milestones m;
    for (const FrameFacts& f : c.frames) m.See(f);
    EXPECT_EQ(m.count(c.counted), c.times);
  }
}

// A new program run begins from nothing: a game over seen on its first frame
// counts, and the counts go on adding up.
TEST(MilestonesTest, NewRunKeepsTheCounts) {
  Milestones m;
  m.See(Play(false, false, false, true));
  m.NewRun();
  m.See(Play(false, false, false, true));
  EXPECT_EQ(m.count(Milestones::kGameOver), 2);
}

TEST(MilestonesTest, NamesAreFound) {
  for (std::size_t i = 0; i < Milestones::kNames.size(); ++i) {
    EXPECT_EQ(Milestones::Find(Milestones::kNames[i]), static_cast<Milestones::Name>(i));
  }
  EXPECT_FALSE(Milestones::Find("levelcomplete"));
}

sim::MenuSample Sample(int run, long textures, long sprites) {
  sim::MenuSample s;
  s.run = run;
  s.textures = textures;
  s.sprites = sprites;
  s.engineObjects = textures + sprites + 10;
  return s;
}

// A leak of two textures a level shows at the second game of a run; objects
// fewer than after the first game, or a new run from an empty engine, do not.
TEST(MenuMemoryTest, GrowthAfterTheFirstGameOfARunFails) {
  const struct {
    const char* name;
    std::vector<sim::MenuSample> samples;  // run 0 starts a new run
    std::string firstBreak;                // "" : none
  } kCases[] = {
      {"steady", {Sample(1, 400, 50), Sample(1, 400, 50), Sample(1, 400, 50)}, ""},
      {"textures left behind by each level",
       {Sample(1, 432, 53), Sample(1, 434, 53), Sample(1, 436, 53)},
       "2 engine objects more at the main menu than after this run's first game (textures 432 -> "
       "434, sprites 53 -> 53, all 495 -> 497)"},
      {"a sprite left behind",
       {Sample(1, 400, 50), Sample(1, 400, 51)},
       "1 engine objects more at the main menu than after this run's first game (textures 400 -> "
       "400, sprites 50 -> 51, all 460 -> 461)"},
      {"fewer later", {Sample(1, 400, 50), Sample(1, 390, 50)}, ""},
      {"a new run measures from its own first game",
       {Sample(1, 300, 50), Sample(0, 400, 50), Sample(2, 400, 50)},
       ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    sim::MenuMemory memory;
    std::string firstBreak;
    for (const sim::MenuSample& s : c.samples) {
      if (s.run == 0) {
        memory.NewRun();
        continue;
      }
      const std::string grown = memory.Add(s);
      if (firstBreak.empty()) firstBreak = grown;
    }
    EXPECT_EQ(firstBreak, c.firstBreak);
  }
}

TEST(MenuMemoryTest, KeepsEverySampleAndTheLargestGrowth) {
  sim::MenuMemory memory(5);
  EXPECT_EQ(memory.Add(Sample(1, 400, 50)), "");
  EXPECT_EQ(memory.Add(Sample(1, 403, 50)), "");  // within the allowance
  EXPECT_NE(memory.Add(Sample(1, 406, 50)), "");
  EXPECT_EQ(memory.samples().size(), 3u);
  EXPECT_EQ(memory.growth(), 6);
}

}  // namespace
