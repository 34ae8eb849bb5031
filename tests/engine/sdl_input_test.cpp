#include "engine/sdl/sdl_input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/sdl/key_map.h"
#include "shell/main_loop.h"

namespace {

using engine::InputSnapshot;
using engine::SdlInput;

SDL_Event Key(Uint32 type, SDL_Scancode scancode, bool repeat = false) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = scancode;
  e.key.repeat = repeat ? 1 : 0;
  return e;
}

SDL_Event PadButton(Uint32 type, SDL_GameControllerButton button, SDL_JoystickID pad = 0) {
  SDL_Event e{};
  e.type = type;
  e.cbutton.which = pad;
  e.cbutton.button = static_cast<Uint8>(button);
  return e;
}

SDL_Event PadAxis(SDL_GameControllerAxis axis, Sint16 value) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.axis = static_cast<Uint8>(axis);
  e.caxis.value = value;
  return e;
}

constexpr int kUp = 200, kDown = 208, kLeft = 203, kRight = 205;

TEST(SdlInput, KeyClickCountsPressesBetweenRunPhasesButNotAutoRepeat) {
  SdlInput input;
  InputSnapshot s;
  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_SPACE, true));
  input.Read(s);
  EXPECT_TRUE(s.down[57]);
  EXPECT_TRUE(s.clicked[57]);

  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_SPACE, true));  // held: auto-repeat only
  input.Read(s);
  EXPECT_TRUE(s.down[57]);
  EXPECT_FALSE(s.clicked[57]);

  // Pressed and released between two phases: clicked once, not held.
  input.Handle(Key(SDL_KEYUP, SDL_SCANCODE_SPACE));
  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_F12));
  input.Handle(Key(SDL_KEYUP, SDL_SCANCODE_F12));
  input.Read(s);
  EXPECT_FALSE(s.down[57]);
  EXPECT_TRUE(s.clicked[88]);
  EXPECT_FALSE(s.down[88]);
  input.Read(s);
  EXPECT_FALSE(s.clicked[88]);
}

TEST(SdlInput, MouseIsAFractionOfThePictureAndClicksAreEdges) {
  SdlInput input;
  InputSnapshot s;
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.x = 200;
  move.motion.y = 450;
  input.Handle(move);
  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.button = SDL_BUTTON_LEFT;
  press.button.x = 400;
  press.button.y = 300;
  input.Handle(press);
  input.Read(s);
  EXPECT_FLOAT_EQ(s.mouseX, 0.5f);
  EXPECT_FLOAT_EQ(s.mouseY, 0.5f);
  EXPECT_TRUE(s.mouseClicked[0]);
  input.Read(s);
  EXPECT_FALSE(s.mouseClicked[0]);

  move.motion.x = -30;  // in a letterbox bar
  move.motion.y = 900;
  input.Handle(move);
  input.Read(s);
  EXPECT_FLOAT_EQ(s.mouseX, 0.0f);
  EXPECT_FLOAT_EQ(s.mouseY, 1.0f);
}

TEST(SdlInput, ControllerActsAsTheGameKeys) {
  struct Case {
    SDL_GameControllerButton button;
    int code;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_UP, kUp},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kDown},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kLeft},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kRight},
      {SDL_CONTROLLER_BUTTON_A, kUp},
      {SDL_CONTROLLER_BUTTON_B, 29},
      {SDL_CONTROLLER_BUTTON_X, 29},
      {SDL_CONTROLLER_BUTTON_START, 25},
      {SDL_CONTROLLER_BUTTON_BACK, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    SdlInput input;
    InputSnapshot s;
    input.Handle(PadButton(SDL_CONTROLLERBUTTONDOWN, c.button));
    input.Read(s);
    EXPECT_TRUE(s.down[c.code]);
    EXPECT_TRUE(s.clicked[c.code]);
    input.Handle(PadButton(SDL_CONTROLLERBUTTONUP, c.button));
    input.Read(s);
    EXPECT_FALSE(s.down[c.code]);
  }
}

TEST(SdlInput, KeyHeldFromTwoSourcesIsReleasedOnlyWhenBothLetGo) {
  SdlInput input;
  InputSnapshot s;
  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_UP));
  input.Handle(PadButton(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_A));
  input.Read(s);
  input.Handle(PadButton(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_DPAD_UP));
  input.Handle(PadButton(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_A));
  input.Handle(Key(SDL_KEYUP, SDL_SCANCODE_UP));
  input.Read(s);
  EXPECT_TRUE(s.down[kUp]);
  EXPECT_FALSE(s.clicked[kUp]) << "still held by the D-pad: no new press";
  input.Handle(PadButton(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_DPAD_UP));
  input.Read(s);
  EXPECT_FALSE(s.down[kUp]);
}

TEST(SdlInput, LeftStickPastTheThresholdIsAnArrow) {
  struct Case {
    SDL_GameControllerAxis axis;
    Sint16 value;
    int code;  // 0: no arrow
  };
  const Case cases[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, kLeft}, {SDL_CONTROLLER_AXIS_LEFTX, 20000, kRight},
      {SDL_CONTROLLER_AXIS_LEFTY, -20000, kUp},   {SDL_CONTROLLER_AXIS_LEFTY, 32767, kDown},
      {SDL_CONTROLLER_AXIS_LEFTX, 8000, 0},       {SDL_CONTROLLER_AXIS_RIGHTX, -32768, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.axis} << " " << c.value);
    SdlInput input;
    InputSnapshot s;
    input.Handle(PadAxis(c.axis, c.value));
    input.Read(s);
    for (int arrow : {kUp, kDown, kLeft, kRight}) EXPECT_EQ(s.down[arrow], arrow == c.code);
    input.Handle(PadAxis(c.axis, 0));
    input.Read(s);
    EXPECT_FALSE(s.down[kLeft] || s.down[kRight] || s.down[kUp] || s.down[kDown]);
  }
}

TEST(SdlInput, LosingTheFocusReleasesEveryKey) {
  SdlInput input;
  InputSnapshot s;
  input.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT));
  input.Handle(PadButton(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_B));
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  input.Handle(focus);
  input.Read(s);
  EXPECT_FALSE(s.down[kLeft]);
  EXPECT_FALSE(s.down[29]);
}

TEST(KeyMap, EveryKeyOfTheGameHasItsScanCode) {
  // Every DirectInput code of the virtual-key table (the keys the game can name,
  // type or use as the boss key) is produced by some key.
  const auto virtualKeys = shell::MakeVirtualKeyTable();
  std::array<bool, 256> produced{};
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
    produced[engine::DirectInputCodeOfScancode(scancode)] = true;
  for (int code = 1; code < 256; ++code) {
    if (virtualKeys[code] != 0) {
      EXPECT_TRUE(produced[code]) << "no key produces code " << code;
    }
  }
}

TEST(KeyMap, KeysByNameGiveTheirScanCodes) {
  struct Case {
    const char* name;  // SDL's key name
    int code;
  };
  const Case cases[] = {
      {"Escape", 1},       {"1", 2},           {"0", 11},
      {"Backspace", 14},   {"Tab", 15},        {"Q", 16},
      {"P", 25},           {"Return", 28},     {"Left Ctrl", 29},
      {"A", 30},           {"L", 38},          {"Left Shift", 42},
      {"Z", 44},           {"M", 50},          {"Right Shift", 54},
      {"Left Alt", 56},    {"Space", 57},      {"F1", 59},
      {"F10", 68},         {"Keypad 7", 71},   {"Keypad .", 83},
      {"F11", 87},         {"F12", 88},        {"Keypad Enter", 156},
      {"Right Ctrl", 157}, {"Keypad /", 181},  {"PrintScreen", 183},
      {"Right Alt", 184},  {"Pause", 197},     {"Home", 199},
      {"Up", 200},         {"PageUp", 201},    {"Left", 203},
      {"Right", 205},      {"End", 207},       {"Down", 208},
      {"PageDown", 209},   {"Insert", 210},    {"Delete", 211},
      {"Left GUI", 219},   {"Right GUI", 220}, {"Application", 221},
  };
  for (const Case& c : cases) {
    const SDL_Scancode scancode = SDL_GetScancodeFromName(c.name);
    ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << c.name;
    EXPECT_EQ(engine::DirectInputCodeOfScancode(scancode), c.code) << c.name;
  }
  EXPECT_EQ(engine::DirectInputCodeOfScancode(SDL_SCANCODE_VOLUMEUP), 0);
  EXPECT_EQ(engine::DirectInputCodeOfScancode(-1), 0);
  EXPECT_EQ(engine::DirectInputCodeOfScancode(SDL_NUM_SCANCODES), 0);
}

}  // namespace
