#include "platform/sdl/x_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <SDL.h>

#include <cstring>

namespace platform {
namespace {

// Xlib's error handler is one C callback for the whole process; the handler it
// replaced is kept here for every other error.
XErrorHandler g_previousHandler = nullptr;

int IgnoreSendToVanishedWindow(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_previousHandler ? g_previousHandler(display, error) : 0;
}

}  // namespace

void TolerateVanishedWindowsOnX() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0) return;
  XErrorHandler previous = XSetErrorHandler(IgnoreSendToVanishedWindow);
  if (previous != IgnoreSendToVanishedWindow) g_previousHandler = previous;
}

}  // namespace platform
