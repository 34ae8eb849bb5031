// SDL scancodes (physical key positions) to the DirectInput scan codes the game
// uses for every key.
#pragma once

namespace engine {

// 0 for a key the game has no code for.
int DirectInputCodeOfScancode(int sdlScancode);

}  // namespace engine
