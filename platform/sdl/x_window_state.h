// Window states that SDL cannot set on X11 without a race against the window
// manager.
#pragma once

struct SDL_Window;

namespace platform {

// Whether a window manager runs on the window's X screen (it owns the screen's
// WM_Sn selection).
bool WindowManagerRunning(SDL_Window* window);

// Maps a hidden window straight into the iconic state: the window manager gives
// it a task-bar entry and never the focus. (Mapping it and then iconifying it
// lets the manager focus it in between.) False when there is no X display.
bool MapIconified(SDL_Window* window);

}  // namespace platform
