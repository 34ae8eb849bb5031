// The simulator's input script: one event per line, "<frame> <event> [args]",
// '#' starts a comment. Frame 1 is the first run phase.
//
//   <frame> key <code>      pressed and released before that run phase (clicked once)
//   <frame> down <code>     pressed and held
//   <frame> up <code>       released
//   <frame> mouse <x> <y>   pointer moved to screen units (x -16..16, y -12..12)
//   <frame> click           left button clicked
//   <frame> focus-lost      another application takes the focus
//   <frame> focus-gained    the game's window is activated again
//   <frame> close           the window is closed
//   <frame> hotkey          the boss-key combination is pressed as a system hot key
//
// Codes are DirectInput scan codes in decimal or key names (ESC, ENTER, UP, P,
// F12 ...); a number is always a code, so the digit keys go by their codes.
//
// Events of frame n are given to the program just before run phase n. While the
// program waits hidden (after the boss key or a focus loss in full screen) no
// phases run: each time it waits, the next frame's events are given at once.
#pragma once

#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct ScriptEvent {
  enum class Kind { Key, Down, Up, Mouse, Click, FocusLost, FocusGained, Close, HotKey };

  int frame = 0;
  Kind kind = Kind::Key;
  int code = 0;         // Key, Down, Up
  double x = 0, y = 0;  // Mouse
  int line = 0;         // where it was written
};

// A bad script line: "FILE:LINE: message".
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Events in frame order; events of one frame keep the order they were written in.
std::vector<ScriptEvent> ParseScript(std::istream& in, const std::string& fileName);

// The scan code of a key name (case-insensitive) or of a decimal number 0..255.
std::optional<int> KeyCode(std::string_view name);

}  // namespace sim
