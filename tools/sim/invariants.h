// The program's invariants, checked after every frame of a soak: the score is
// never negative, a game in progress has 1 to 3 lives, the level is never
// negative, ScreenState holds a known value, and no engine operation was given
// a dead handle.
#pragma once

#include <string>

namespace sim {

class Session;

// What is broken, or "" when everything holds.
std::string BrokenInvariant(Session& session);

}  // namespace sim
