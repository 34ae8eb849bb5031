// X errors that must not end the game. Xlib's default handler ends the process
// on any error; SDL sends client messages (its event-loop wake-ups among them)
// to windows that our restarts may have destroyed a moment before, and the
// server answers BadWindow. Such an error on a send is harmless and ignored;
// every other error goes to the handler that was installed before.
#pragma once

namespace platform {

// Installs the handler once SDL's X11 video is up (no-op elsewhere).
void TolerateVanishedWindowsOnX();

}  // namespace platform
