// X errors that must not end the game. Xlib's default handler ends the process
// on any error; SDL sends wake-up messages (on a connection of its own) to
// windows that our restarts may have destroyed a moment before, and the server
// answers BadWindow, read whenever that connection is next used, at the latest
// when SDL closes it. Such an error on a send is harmless and ignored; every
// other error goes on to the handlers that were there before.
#pragma once

namespace platform {

// Call before SDL's video starts and again once it is up. SDL keeps the handler
// it finds when it starts, puts its own in front and restores the kept one when
// its video ends: installed before, ours is the one SDL falls back on; installed
// after, ours comes first. Either way the error never reaches Xlib's default.
void TolerateVanishedWindowsOnX();

}  // namespace platform
