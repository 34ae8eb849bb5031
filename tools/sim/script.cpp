#include "tools/sim/script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace sim {
namespace {

struct NamedKey {
  std::string_view name;
  int code;
};

// Names besides letters, digits and F1..F12, which are made below.
constexpr NamedKey kNamedKeys[] = {
    {"ESC", 1},         {"ESCAPE", 1},      {"MINUS", 12},        {"EQUALS", 13},
    {"BACKSPACE", 14},  {"TAB", 15},        {"LBRACKET", 26},     {"RBRACKET", 27},
    {"ENTER", 28},      {"RETURN", 28},     {"LCTRL", 29},        {"SEMICOLON", 39},
    {"APOSTROPHE", 40}, {"GRAVE", 41},      {"LSHIFT", 42},       {"BACKSLASH", 43},
    {"COMMA", 51},      {"PERIOD", 52},     {"SLASH", 53},        {"RSHIFT", 54},
    {"MULTIPLY", 55},   {"LALT", 56},       {"SPACE", 57},        {"CAPSLOCK", 58},
    {"NUMLOCK", 69},    {"SCROLLLOCK", 70}, {"NUMPADENTER", 156}, {"RCTRL", 157},
    {"DIVIDE", 181},    {"SYSRQ", 183},     {"RALT", 184},        {"PAUSE", 197},
    {"HOME", 199},      {"UP", 200},        {"PGUP", 201},        {"PAGEUP", 201},
    {"LEFT", 203},      {"RIGHT", 205},     {"END", 207},         {"DOWN", 208},
    {"PGDN", 209},      {"PAGEDOWN", 209},  {"INSERT", 210},      {"DELETE", 211},
};

// Letters by keyboard row, as the scan codes run.
constexpr std::string_view kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr int kLetterRowStart[] = {16, 30, 44};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    const std::size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::optional<int> KeyCode(std::string_view name) {
  int number = 0;
  if (ParseNumber(name, number)) {
    if (number < 0 || number > 255) return std::nullopt;
    return number;
  }
  const std::string upper = Upper(name);
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == upper) return key.code;
  }
  if (upper.size() == 1) {
    const char c = upper[0];
    for (std::size_t row = 0; row < std::size(kLetterRows); ++row) {
      const std::size_t at = kLetterRows[row].find(c);
      if (at != std::string_view::npos) return kLetterRowStart[row] + static_cast<int>(at);
    }
  }
  if (upper.size() >= 2 && upper[0] == 'F') {
    int n = 0;
    if (ParseNumber(std::string_view(upper).substr(1), n)) {
      if (n >= 1 && n <= 10) return 58 + n;
      if (n == 11) return 87;
      if (n == 12) return 88;
    }
  }
  return std::nullopt;
}

std::vector<ScriptEvent> ParseScript(std::istream& in, const std::string& fileName) {
  std::vector<ScriptEvent> events;
  std::string text;
  int lineNumber = 0;
  while (std::getline(in, text)) {
    ++lineNumber;
    const auto fail = [&](const std::string& message) {
      throw ScriptError(fileName + ":" + std::to_string(lineNumber) + ": " + message);
    };
    std::string_view line = text;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
      line = line.substr(0, hash);
    }
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;

    ScriptEvent event;
    event.line = lineNumber;
    if (!ParseNumber(words[0], event.frame) || event.frame < 1) {
      fail("expected a frame number of 1 or more, got \"" + std::string(words[0]) + "\"");
    }
    if (words.size() < 2) fail("missing event after the frame number");
    const std::string name = Upper(words[1]);
    const auto expectArgs = [&](std::size_t count) {
      if (words.size() != 2 + count) {
        fail("\"" + std::string(words[1]) + "\" takes " + std::to_string(count) +
             (count == 1 ? " argument" : " arguments"));
      }
    };
    using Kind = ScriptEvent::Kind;
    if (name == "KEY" || name == "DOWN" || name == "UP") {
      event.kind = name == "KEY" ? Kind::Key : name == "DOWN" ? Kind::Down : Kind::Up;
      expectArgs(1);
      const std::optional<int> code = KeyCode(words[2]);
      if (!code) fail("unknown key \"" + std::string(words[2]) + "\"");
      event.code = *code;
    } else if (name == "MOUSE") {
      event.kind = Kind::Mouse;
      expectArgs(2);
      if (!ParseNumber(words[2], event.x) || !ParseNumber(words[3], event.y) ||
          !std::isfinite(event.x) || !std::isfinite(event.y)) {
        fail("mouse takes two numbers (screen units)");
      }
    } else if (name == "CLICK") {
      event.kind = Kind::Click;
      expectArgs(0);
    } else if (name == "FOCUS-LOST") {
      event.kind = Kind::FocusLost;
      expectArgs(0);
    } else if (name == "FOCUS-GAINED") {
      event.kind = Kind::FocusGained;
      expectArgs(0);
    } else if (name == "CLOSE") {
      event.kind = Kind::Close;
      expectArgs(0);
    } else if (name == "HOTKEY") {
      event.kind = Kind::HotKey;
      expectArgs(0);
    } else {
      fail("unknown event \"" + std::string(words[1]) + "\"");
    }
    events.push_back(event);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return events;
}

}  // namespace sim
