// zq-sim as a program: its arguments, exit codes and messages, the JSON lines it
// prints, screenshots, and the same output for the same seed and script.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/image.h"
#include "tests/sim/sim_fixture.h"

namespace {

struct Output {
  int exitCode = -1;
  std::vector<std::string> lines;  // stdout
  std::string errors;              // stderr
};

class SimCliTest : public testing_support::SimTest {
 protected:
  Output Sim(const std::string& args) {
    const std::string command =
        std::string(ZQ_BINARY_DIR) + "/tools/sim/zq-sim " + args + " 2>errors.txt";
    Output out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      if (c == '\n') {
        out.lines.push_back(line);
        line.clear();
      } else {
        line += static_cast<char>(c);
      }
    }
    const int status = pclose(pipe);
    out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream errors("errors.txt");
    out.errors.assign(std::istreambuf_iterator<char>(errors), {});
    return out;
  }

  void WriteScript(const std::string& text) { std::ofstream("script.txt") << text; }
};

TEST_F(SimCliTest, BadArgumentsExitWithAMessage) {
  const struct {
    const char* args;
    const char* message;
  } kCases[] = {
      {"--bogus", "unknown argument \"--bogus\""},
      {"--frames", "--frames needs a value"},
      {"--frames x", "--frames must be a whole number"},
      {"--frames -3", "--frames must be a whole number"},
      {"--dump 0", "--dump frame must be a whole number of at least 1"},
      {"--dump 3,,4", "--dump frame must be a whole number"},
      {"--shot 5", "--shot takes N:FILE.png"},
      {"--input missing.txt", "cannot read the input script \"missing.txt\""},
      {"--dir no/such/dir", "cannot enter the directory \"no/such/dir\""},
      {"--expect levelComplete", "--expect takes NAME=N,... with NAME one of levelStarted, "},
      {"--expect gameover=1", "got \"gameover=1\""},
      {"--expect gameOver=1,", "got \"\""},
      {"--expect gameOver=x", "--expect gameOver must be a whole number"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args);
    const Output out = Sim(c.args);
    EXPECT_EQ(out.exitCode, 2);
    EXPECT_NE(out.errors.find(c.message), std::string::npos) << out.errors;
    EXPECT_TRUE(out.lines.empty());
  }
}

TEST_F(SimCliTest, BadScriptLineNamesFileAndLine) {
  WriteScript("1 key ESC\n\n3 key NOPE\n");
  const Output out = Sim("--input script.txt");
  EXPECT_EQ(out.exitCode, 2);
  EXPECT_NE(out.errors.find("script.txt:3: unknown key \"NOPE\""), std::string::npos) << out.errors;
}

TEST_F(SimCliTest, DumpsTheChosenFramesAsJsonLines) {
  const struct {
    const char* dump;
    std::vector<int> frames;
  } kCases[] = {
      {"all", {1, 2, 3, 4, 5}},
      {"last", {5}},
      {"2,4", {2, 4}},
      {"4,9", {4}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.dump);
    const Output out = Sim(std::string("--frames 5 --dump ") + c.dump);
    ASSERT_EQ(out.exitCode, 0) << out.errors;
    ASSERT_EQ(out.lines.size(), c.frames.size());
    for (std::size_t i = 0; i < c.frames.size(); ++i) {
      EXPECT_EQ(out.lines[i].rfind("{\"frame\":" + std::to_string(c.frames[i]) + ",", 0), 0u)
          << out.lines[i];
    }
  }
  const std::string line = Sim("--frames 1").lines.at(0);
  for (const char* field :
       {"\"screenState\":3,", "\"menuSceneActive\":true", "\"texts\":[]", "\"sounds\":[]",
        "\"music\":", "\"shellOpened\":[]", "\"mainMenu\":{\"selection\":1}",
        "\"dialog\":{\"selection\":1}", "\"settings\":{\"windowed\":1,", "\"bossKey\":88",
        "\"records\":[{\"name\":\"Anonymous\",\"score\":1000}", "\"game\":{\"level\":0,"}) {
    EXPECT_NE(line.find(field), std::string::npos) << field << " in " << line;
  }
}

TEST_F(SimCliTest, ReportsTextsSoundsAndLinksOfAFrame) {
  WriteScript(
      "232 key ESC\n"          // "Exit The Game?"
      "233 key RIGHT\n"        // NO selected, a tick
      "234 key ESC\n"          // back to the menu
      "235 mouse -12 -10.5\n"  // Subscribe
      "236 click\n");
  const Output out = Sim("--input script.txt --frames 236 --dump 232,233,236");
  ASSERT_EQ(out.exitCode, 0) << out.errors;
  ASSERT_EQ(out.lines.size(), 3u);
  EXPECT_NE(out.lines[0].find("{\"text\":\"Exit The Game?\",\"x\":-3.5,\"y\":1,\"sx\":0.5,"
                              "\"sy\":0.5,\"color\":[1,0.2,0.2,1]}"),
            std::string::npos)
      << out.lines[0];
  EXPECT_NE(out.lines[1].find("\"sounds\":[\"mainmenuchg.WAV\"]"), std::string::npos);
  EXPECT_NE(out.lines[1].find("\"dialog\":{\"selection\":2}"), std::string::npos);
  EXPECT_NE(out.lines[2].find("\"shellOpened\":[\"https://"), std::string::npos) << out.lines[2];
}

TEST_F(SimCliTest, EndsWithTheProgram) {
  WriteScript("232 key ESC\n233 key ENTER\n");
  const Output out = Sim("--input script.txt --frames 1000");
  EXPECT_EQ(out.exitCode, 0);
  ASSERT_EQ(out.lines.size(), 1u);
  EXPECT_EQ(out.lines[0].rfind("{\"frame\":233,", 0), 0u);
}

TEST_F(SimCliTest, SameSeedAndScriptGiveTheSameFrames) {
  WriteScript("240 key DOWN\n250 mouse 3 3\n");
  const Output a = Sim("--seed 5 --input script.txt --frames 700 --dump all");
  const Output b = Sim("--seed 5 --input script.txt --frames 700 --dump all");
  ASSERT_EQ(a.exitCode, 0);
  ASSERT_EQ(a.lines.size(), 700u);
  EXPECT_EQ(a.lines, b.lines);
}

// The soak's line reports what it reached and the objects after each game; a
// milestone it must reach and did not fails it with 4.
TEST_F(SimCliTest, SoakFailsAMilestoneReachedTooSeldom) {
  const struct {
    const char* expect;
    int exitCode;
    const char* message;
  } kCases[] = {
      {"", 0, ""},
      {"--expect levelStarted=0", 0, ""},
      {"--expect levelStarted=0,gameOver=1 --expect submission=2", 4,
       "zq-sim: monkey 1: reached too seldom: gameOver 0 of 1, submission 0 of 2\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.expect);
    const Output out = Sim(std::string("--monkey 1 --frames 233 ") + c.expect);
    EXPECT_EQ(out.exitCode, c.exitCode);
    EXPECT_EQ(out.errors, c.message);
    ASSERT_EQ(out.lines.size(), 1u);
    for (const char* field :
         {"\"phases\":233,", "\"engineObjectsAfterGames\":[],\"rssAfterGamesKiB\":[],",
          "\"reached\":{\"levelStarted\":0,\"levelComplete\":0,",
          "\"submission\":0,\"connectFailed\":0}"}) {
      EXPECT_NE(out.lines[0].find(field), std::string::npos) << field << " in " << out.lines[0];
    }
  }
}

// Other tools read the soak's line: each of its keys stays, in its order.
TEST_F(SimCliTest, SoakLineKeepsItsKeysInOrder) {
  const Output out = Sim("--monkey 2 --frames 120");
  ASSERT_EQ(out.exitCode, 0) << out.errors;
  ASSERT_EQ(out.lines.size(), 1u);
  const std::string& line = out.lines[0];
  std::size_t at = 0;
  for (const char* key :
       {"monkey", "phases", "programRuns", "playingPhases", "highestLevel", "screenStates",
        "seconds", "rssStartKiB", "rssTenthKiB", "rssEndKiB", "rssTenthsAtMenuKiB",
        "engineObjectsAfterGames", "rssAfterGamesKiB", "ok", "reached"}) {
    const std::size_t found = line.find('"' + std::string(key) + "\":", at);
    ASSERT_NE(found, std::string::npos) << key << " after position " << at << " in " << line;
    at = found;
  }
}

TEST_F(SimCliTest, ShotsAreWrittenAsPictures) {
  const Output out = Sim("--frames 3 --shot 2:two.png --shot 9:never.png");
  ASSERT_EQ(out.exitCode, 0) << out.errors;
  EXPECT_NE(out.errors.find("frame 9 never ran"), std::string::npos);
  const auto bytes = testing_support::FileBytes("two.png");
  const auto image = engine::DecodeImage(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 800);
  EXPECT_EQ(image->height, 600);
  EXPECT_FALSE(std::filesystem::exists("never.png"));
}

}  // namespace
