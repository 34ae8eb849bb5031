// Value types shared by the engine operations and their callers.
#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/native_window.h"

// Opaque engine object handle; 0 is "no object". Handles are never reused, so a
// handle from before i3ImpactClose stays dead.
using iHandle = std::uint32_t;

struct iVec2 {
  float x = 0;
  float y = 0;
};

struct iVec3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

struct iColor {
  float r = 1;
  float g = 1;
  float b = 1;
  float a = 1;
};

namespace engine {

// A platform window as the engine receives it (an SDL_Window* on the real
// backend, an arbitrary non-zero token on the headless one).
using WindowHandle = platform::NativeWindow;

// Screen geometry: 800 x 600 pixels, location units x -16..16, y -12..12.
inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;
inline constexpr float kPixelsPerUnit = 25.0f;
// iSpriteScaleSet(w, h) draws w*40 x h*40 pixels.
inline constexpr float kPixelsPerScale = 40.0f;
// Particle positions come in world units: screen = world * 16 / 5.5.
inline constexpr float kScreenUnitsPerWorldUnit = 16.0f / 5.5f;
// A particle of emitter scale s is s * 0.1 world units across: the game's scales
// (1 for a sparkle, 6 for the intro spiral) then give 7 to 44 pixel glows.
inline constexpr float kParticleSizePerScale = 0.1f;
// One run phase: 1/75 s.
inline constexpr int kRunPhasesPerSecond = platform::kRunPhasesPerSecond;

}  // namespace engine
