// What the program is doing: the screen-state codes and the program-wide state
// that the driver, the screens, the game and the submission worker share.
#pragma once

#include <atomic>
#include <cstdint>

namespace core {

// Codes of ScreenState. 0, 1, 5, 16, 20, 21 and 23 are never used.
enum ScreenStateCode : std::uint8_t {
  ssPlaying = 2,
  ssMainMenu = 3,
  ssOptions = 4,
  ssHelp = 6,
  ssOptionsCountry = 7,
  ssOptionsBossKey = 8,
  ssConfirmQuit = 9,
  ssRecords = 10,
  ssConfirmClearRecords = 11,
  ssPaused = 12,
  ssResumeGame = 13,
  ssConfirmLeaveGame = 14,
  ssNewGame = 15,
  ssRecordEntry = 17,
  ssRecordEntryName = 18,
  ssRecordEntryCountry = 19,
  ssConfirmSendResult = 22,
  ssSending = 24,
  ssConnectFailed = 25,
};

// The name of a code ("ssMainMenu"), or "" for an unused value.
const char* ScreenStateName(std::uint8_t code);

// ScreenState is written only on the main thread: the submission worker leaves
// its outcome for the scene, which changes the state at the start of the next
// frame. The byte is atomic so that other threads may read it safely.
using ScreenStateByte = std::atomic<std::uint8_t>;

// The driver's flags, also set by the screens (restart after a web link or a
// display change) and read by the music loop.
struct DriverFlags {
  std::int32_t RestartRequested = 0;  // 0 or -1
  bool WindowProcActive = true;
  bool MinimisedForLink = false;
  bool WindowActivated = false;
  bool DisplayChanged = false;  // set by the options screen's apply, read by the driver
};

}  // namespace core
