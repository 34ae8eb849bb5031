#include "platform/sdl/x_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace platform {
namespace {

// Xlib's error handler is one C callback for the whole process. The handler
// ours replaced first (Xlib's default, or a host's) and the one it replaced
// once SDL had put its own in front.
XErrorHandler g_beneath = nullptr;
XErrorHandler g_sdlHandler = nullptr;
bool g_installed = false;
// SDL's handler passes an error on to the handler it found, which is ours: that
// time round it goes to the handler beneath instead of back to SDL's.
thread_local bool t_passedToSdl = false;

int IgnoreSendToVanishedWindow(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  if (t_passedToSdl || g_sdlHandler == nullptr) return g_beneath ? g_beneath(display, error) : 0;
  t_passedToSdl = true;
  const int result = g_sdlHandler(display, error);
  t_passedToSdl = false;
  return result;
}

}  // namespace

void TolerateVanishedWindowsOnX() {
  const XErrorHandler previous = XSetErrorHandler(IgnoreSendToVanishedWindow);
  if (previous == IgnoreSendToVanishedWindow) return;
  if (!g_installed) {
    g_beneath = previous;
    g_installed = true;
  } else {
    g_sdlHandler = previous;
  }
}

}  // namespace platform
