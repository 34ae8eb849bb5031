// DirectInput scan codes of the keys the screens read.
#pragma once

namespace screens {

inline constexpr int kKeyEsc = 1;
inline constexpr int kKeyP = 25;
inline constexpr int kKeyEnter = 28;
inline constexpr int kKeyPause = 197;
inline constexpr int kKeyUp = 200;
inline constexpr int kKeyLeft = 203;
inline constexpr int kKeyRight = 205;
inline constexpr int kKeyDown = 208;

}  // namespace screens
