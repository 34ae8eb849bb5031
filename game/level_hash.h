// A 64-bit digest of what a running game is: counters, phases and timers, the
// random sequence's position and every level object's place and state. A
// recording keeps it every few hundred frames, so a replay that departs names
// the first frame where it does. Engine handles and tick readings are left
// out: they differ between runs that play the same.
#pragma once

#include <cstdint>

namespace game {

class TGame;

std::uint64_t LevelHash(const TGame& game);

}  // namespace game
