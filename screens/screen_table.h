// One table of the screen states: the screen each ScreenState belongs to (the
// one that draws and takes the menu input), whether the game's sprites are up
// in it, whether the game's texts are drawn, and how input is read. The scene
// reads every such question here, never from a list of states of its own.
#pragma once

#include <cstdint>

namespace screens {

enum class Screen : std::uint8_t {
  None,  // an unused code
  Game,  // playing, paused, or on the way into a level
  MainMenu,
  Options,  // choosing an item, typing the country, capturing the boss key
  Help,
  Records,
  RecordEntry,  // the name entry, choosing or typing
  Question,     // the dialog box: every yes/no question and "Please wait..."
};

enum class Input : std::uint8_t {
  None,      // nothing read (the intro, a level loading, a submission under way)
  GameKeys,  // Esc, P and Pause over a running or paused level
  Menu,      // keys, pointer and clicks go to the screen
};

struct ScreenRow {
  Screen screen = Screen::None;
  bool gameSprites = false;  // the game's sprites are shown when the screen is made
  bool gameTexts = false;    // the game's level, score and time are drawn each frame
  Input input = Input::None;
};

ScreenRow ScreenOf(std::uint8_t state);

}  // namespace screens
