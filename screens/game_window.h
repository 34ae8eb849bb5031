// The game window as the menus reach it: found by its caption and minimised
// with the window system command, as the driver's own window procedure sees it.
#pragma once

#include <string>

#include "core/program.h"

namespace screens {

void MinimiseGameWindow(core::Program& program);

// Opens a web address from inside the game: in full screen the engine run ends
// and waits for the window to be restored (MinimisedForLink); in either mode
// the window is minimised and the shell opens the target.
void OpenLinkFromGame(core::Program& program, const std::string& target);

}  // namespace screens
