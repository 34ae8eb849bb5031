// The simulator's input script: every event form, key names, comments and
// blank lines, frame order, and the file:line message of every kind of bad line.
#include "tools/sim/script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Kind = sim::ScriptEvent::Kind;

std::vector<sim::ScriptEvent> Parse(const std::string& text) {
  std::istringstream in(text);
  return sim::ParseScript(in, "in.txt");
}

TEST(ScriptTest, ReadsEveryEventForm) {
  const struct {
    const char* line;
    Kind kind;
    int code;
    double x, y;
  } kCases[] = {
      {"1 key ESC", Kind::Key, 1, 0, 0},
      {"2 down LCTRL", Kind::Down, 29, 0, 0},
      {"3 up 29", Kind::Up, 29, 0, 0},
      {"4 mouse -12.5 3", Kind::Mouse, 0, -12.5, 3},
      {"5 click", Kind::Click, 0, 0, 0},
      {"6 focus-lost", Kind::FocusLost, 0, 0, 0},
      {"7 FOCUS-GAINED", Kind::FocusGained, 0, 0, 0},
      {"8 close", Kind::Close, 0, 0, 0},
      {"9 hotkey  # the boss key", Kind::HotKey, 0, 0, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    const auto events = Parse(c.line);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, c.kind);
    EXPECT_EQ(events[0].code, c.code);
    EXPECT_EQ(events[0].x, c.x);
    EXPECT_EQ(events[0].y, c.y);
    EXPECT_EQ(events[0].line, 1);
  }
}

TEST(ScriptTest, KeyNamesAndNumbers) {
  const struct {
    const char* name;
    int code;
  } kCases[] = {
      {"ESC", 1},     {"enter", 28},  {"UP", 200},  {"Down", 208},  {"LEFT", 203},
      {"RIGHT", 205}, {"LCTRL", 29},  {"P", 25},    {"F12", 88},    {"F1", 59},
      {"F10", 68},    {"PAUSE", 197}, {"A", 30},    {"M", 50},      {"1", 1},
      {"0", 0},       {"42", 42},     {"255", 255}, {"RSHIFT", 54}, {"SPACE", 57},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sim::KeyCode(c.name), c.code);
  }
  for (const char* bad : {"256", "-1", "F13", "F0", "ESCC", ""}) {
    EXPECT_EQ(sim::KeyCode(bad), std::nullopt) << bad;
  }
}

TEST(ScriptTest, CommentsBlankLinesAndFrameOrder) {
  const auto events = Parse(
      "# a comment\n"
      "\n"
      "20 key DOWN\n"
      "   5 key UP   \n"
      "20 key ENTER\n"
      "5 click\n");
  ASSERT_EQ(events.size(), 4u);
  const int kLines[] = {4, 6, 3, 5};  // by frame, then as written
  for (std::size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].line, kLines[i]);
}

TEST(ScriptTest, BadLinesNameTheirFileAndLine) {
  const struct {
    const char* text;
    const char* message;
  } kCases[] = {
      {"x key ESC", "in.txt:1: expected a frame number"},
      {"\n0 key ESC", "in.txt:2: expected a frame number"},
      {"1", "in.txt:1: missing event"},
      {"1 jump", "in.txt:1: unknown event \"jump\""},
      {"1 key", "in.txt:1: \"key\" takes 1 argument"},
      {"1 key ESC ENTER", "in.txt:1: \"key\" takes 1 argument"},
      {"1 key BOGUS", "in.txt:1: unknown key \"BOGUS\""},
      {"# fine\n3 mouse 1", "in.txt:2: \"mouse\" takes 2 arguments"},
      {"1 mouse a 2", "in.txt:1: mouse takes two numbers"},
      {"1 click now", "in.txt:1: \"click\" takes 0 arguments"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    try {
      Parse(c.text);
      ADD_FAILURE() << "no error";
    } catch (const sim::ScriptError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
  }
}

}  // namespace
