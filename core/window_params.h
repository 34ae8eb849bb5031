// The game window's parameter record: filled once at start by the program
// entry, read (and in three fields written) by the driver.
#pragma once

#include <cstdint>

#include "core/persistent_files.h"
#include "platform/clock.h"

namespace core {

struct TWindowParams {
  std::int32_t Left = 0;  // desktop pixels; Right and Bottom are exclusive
  std::int32_t Top = 0;
  std::int32_t Right = 800;
  std::int32_t Bottom = 600;
  const char* ClassName = "Game";
  const char* Caption = "Zorbelline Quester";
  std::uint32_t SettingsWord3 = 15360000;  // 0x00EA6000, passed through to the engine
  std::int32_t FullScreen = -1;            // -1 true, 0 false
  std::int32_t SettingsWord4 = 0;
  std::int32_t SettingsWord6 = -1;  // reset to -1 after every use
  // 0 engine defaults, 1 FrameRate/SimulationRate, 2 display refresh, 3 never skip.
  std::uint8_t FrequencyMode = 0;
  float FrameRate = static_cast<float>(platform::kRunPhasesPerSecond);
  float SimulationRate = 75.0f;
  std::uint8_t BossKey = 64;  // DirectInput code
};

// The window centred on a desktop of the given size (truncating division, no
// clamping: a small desktop gives negative edges), full screen unless the
// settings' Windowed byte is exactly 1, and the boss key from the settings.
void FillWindowParams(TWindowParams& params, int desktopWidth, int desktopHeight,
                      const GameSettings& settings);

}  // namespace core
