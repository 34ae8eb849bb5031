// The level in the simulator's frame records, and its --level start.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/sim/sim_fixture.h"
#include "tools/sim/frame_json.h"

namespace {

using testing_support::SimTest;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(SimTest, AFrameRecordShowsTheLevelStartedAtTheChosenNumber) {
  std::istringstream script("232 key ENTER\n");  // New Game once the intro is over
  sim::Session session({.seed = 3, .script = sim::ParseScript(script, "test"), .firstLevel = 4});
  std::string last;
  session.Run(
      240, [](int) { return false; },
      [&](const sim::FrameRecord& record) { last = sim::FrameJson(record, session); });
  const std::string game = last.substr(last.find("\"game\":"));
  for (const char* key : {"\"level\":4", "\"lives\":3", "\"entryPhase\":true", "\"timeLeft\":47.5",
                          "\"timeTotal\":47.6", "\"ufoCountdown\":152", "\"sandclockPicture\":7",
                          "\"freezeTimer\":-1", "\"clockStopTimer\":0", "\"heroTintTimer\":-1",
                          "\"ufo\":{\"x\":-11,\"y\":13", "\"kind\":\"snow\"", "\"kind\":\"clock\"",
                          "\"clouds\":[{"}) {
    EXPECT_NE(game.find(key), std::string::npos) << key;
  }
  const std::string platforms = game.substr(
      game.find("\"platforms\":"), game.find("\"bonuses\":") - game.find("\"platforms\":"));
  EXPECT_EQ(Count(platforms, "{\"x\":"), 13);
}

}  // namespace
