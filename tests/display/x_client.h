// A second X client for the display tests: it reads screen pixels and holds key
// grabs of its own, as another program would. Xlib stays inside
// x_client_test.cpp, away from GoogleTest's names.
#pragma once

namespace testing_support {

struct ScreenRgb {
  int r = 0, g = 0, b = 0;
};

class OtherXClient {
 public:
  OtherXClient();
  ~OtherXClient();
  OtherXClient(const OtherXClient&) = delete;
  OtherXClient& operator=(const OtherXClient&) = delete;

  bool connected() const { return display_ != nullptr; }
  // Grabs Shift+F10 on the root window (as a system-wide hot key) or lets it go.
  void GrabShiftF10();
  void UngrabShiftF10();
  ScreenRgb Pixel(int x, int y);
  // Makes the server refuse a request about a window this client has just
  // destroyed, and reads the error back at once: a sent event (what SDL's
  // wake-up messages to a vanished window meet) or a map request.
  void FailOnVanishedWindow(bool sendEvent);

 private:
  void* display_ = nullptr;
};

}  // namespace testing_support
