// DirectInput scan codes: the key numbers of the engine's keyboard operations,
// the settings file's boss key, the driver and every screen.
#pragma once

namespace platform::keys {

inline constexpr int kKeyEsc = 1;
inline constexpr int kKey1 = 2;  // the digits 1..9 follow in order, then 0
inline constexpr int kKey0 = 11;
inline constexpr int kKeyBackspace = 14;
inline constexpr int kKeyTab = 15;
inline constexpr int kKeyQ = 16;
inline constexpr int kKeyW = 17;
inline constexpr int kKeyE = 18;
inline constexpr int kKeyO = 24;
inline constexpr int kKeyP = 25;
inline constexpr int kKeyEnter = 28;
inline constexpr int kKeyLeftCtrl = 29;
inline constexpr int kKeyA = 30;
inline constexpr int kKeyD = 32;
inline constexpr int kKeyLeftShift = 42;
inline constexpr int kKeyZ = 44;
inline constexpr int kKeyB = 48;
inline constexpr int kKeyRightShift = 54;
inline constexpr int kKeyLeftAlt = 56;
inline constexpr int kKeySpace = 57;
inline constexpr int kKeyF4 = 62;
inline constexpr int kKeyF6 = 64;
inline constexpr int kKeyRightCtrl = 157;
inline constexpr int kKeyRightAlt = 184;
inline constexpr int kKeyPause = 197;
inline constexpr int kKeyUp = 200;
inline constexpr int kKeyLeft = 203;
inline constexpr int kKeyRight = 205;
inline constexpr int kKeyDown = 208;

}  // namespace platform::keys
