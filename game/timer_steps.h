// How far the game's timers run down in one run phase. The steps differ on
// purpose, and each is written here once:
// * kTimerStep: almost every timer (game over, time over, level complete, the
//   sand-clock's stop, the hero's tint, enemies lying down, the raven's delay,
//   dust, flashes, sparkles, sprays, bonus bursts, and the intro's timer);
// * kClockStep: the level timer and the freeze, which count seconds;
// * kDiamondReturnStep: a sunk diamond's wait before it comes back.
#pragma once

namespace game {

inline constexpr long double kTimerStep = 0.013L;
inline constexpr long double kClockStep = 0.01333L;
inline constexpr long double kDiamondReturnStep = 0.0133L;

}  // namespace game
