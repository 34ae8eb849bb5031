// The main driver: owns the game window and every engine run, pumps messages,
// drives the engine's phases, checks the boss key and handles restarts.
#pragma once

#include <array>
#include <cstdint>

#include "core/program.h"
#include "platform/platform.h"

namespace shell {

// Hot-key identifiers.
inline constexpr int kBossHotKey = 200;
inline constexpr int kAltTabHotKey = 100;
inline constexpr int kAltF4HotKey = 101;

inline constexpr const char* kFatalCaption = "Fatal error";
inline constexpr const char* kHotKeyFailedText = "Unable to register Keep Key. Program terminate";
inline constexpr const char* kGetMessageFailedText =
    "Critical error on GetMessage function. Try to reset program? If No, then saved data will "
    "be losed!";

// DirectInput scan code -> virtual-key code; 0 where a code has none.
using VirtualKeyTableType = std::array<std::uint8_t, 256>;
VirtualKeyTableType MakeVirtualKeyTable();

// Runs until the program is to end (the engine must be installed).
void RunMainLoop(core::Program& program, core::GameHooks& hooks);

// RunMainLoop for the program entry: 0 when it returns, 1 when an error ended
// it (a persistent file that could not be written during play, or anything
// else thrown on the way). The error is fatal as it is at loading: the engine
// run is closed, the window destroyed and the error shown in a "Fatal error" box.
int RunProgram(core::Program& program, core::GameHooks& hooks);

// The window procedure of the game's window class.
std::intptr_t GameWindowProc(core::Program& program, platform::WindowId window,
                             std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// After DispatchFrame in every run phase: the boss-key combination pauses a
// running game (in a window), stops the music and minimises the window.
void CheckBossKey(core::Program& program, platform::WindowId window);

}  // namespace shell
