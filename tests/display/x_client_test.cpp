// Not tests: the Xlib side of x_client.h (a *_test.cpp so that it is built into
// the display test program).
#include "tests/display/x_client.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace testing_support {

OtherXClient::OtherXClient() : display_(XOpenDisplay(nullptr)) {}

OtherXClient::~OtherXClient() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

void OtherXClient::GrabShiftF10() {
  Display* d = static_cast<Display*>(display_);
  XGrabKey(d, XKeysymToKeycode(d, XK_F10), ShiftMask, DefaultRootWindow(d), True, GrabModeAsync,
           GrabModeAsync);
  XSync(d, False);
}

void OtherXClient::UngrabShiftF10() {
  Display* d = static_cast<Display*>(display_);
  XUngrabKey(d, XKeysymToKeycode(d, XK_F10), ShiftMask, DefaultRootWindow(d));
  XSync(d, False);
}

void OtherXClient::FailOnVanishedWindow(bool sendEvent) {
  Display* d = static_cast<Display*>(display_);
  const Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(d, gone);
  if (sendEvent) {
    XEvent wakeUp{};
    wakeUp.xclient.type = ClientMessage;
    wakeUp.xclient.window = gone;
    wakeUp.xclient.format = 32;
    XSendEvent(d, gone, False, NoEventMask, &wakeUp);
  } else {
    XMapWindow(d, gone);
  }
  XSync(d, False);
}

ScreenRgb OtherXClient::Pixel(int x, int y) {
  Display* d = static_cast<Display*>(display_);
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return {};
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

}  // namespace testing_support
