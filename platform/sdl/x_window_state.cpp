#include "platform/sdl/x_window_state.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace platform {
namespace {

bool X11Of(SDL_Window* window, Display*& display, Window& xwindow) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return true;
}

}  // namespace

bool WindowManagerRunning(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = None;
  if (!X11Of(window, display, xwindow)) return false;
  const std::string name = "WM_S" + std::to_string(DefaultScreen(display));
  return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), False)) != None;
}

bool MapIconified(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = None;
  if (!X11Of(window, display, xwindow)) return false;
  XWMHints* hints = XGetWMHints(display, xwindow);
  XWMHints fresh{};
  XWMHints* use = hints ? hints : &fresh;
  use->flags |= StateHint;
  use->initial_state = IconicState;
  XSetWMHints(display, xwindow, use);
  if (hints) XFree(hints);
  XMapWindow(display, xwindow);
  XFlush(display);
  return true;
}

}  // namespace platform
