// The platform services of the game binary: SDL2 windows and events with the
// window-message model on top, X11 global hot keys, SDL message boxes and
// xdg-open for the shell.
#pragma once

#include <deque>
#include <map>
#include <string>

#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/sdl/event_router.h"
#include "platform/sdl/x_hot_keys.h"
#include "platform/window_classes.h"

struct SDL_Window;

namespace platform {

class SdlPlatform final : public Platform {
 public:
  // Initialises SDL's video and events; check Ready() before use.
  SdlPlatform(SdlEventRouter& router, const Clock& clock);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // False when there is no display to open windows on.
  bool Ready() const { return ready_; }

  bool RegisterWindowClass(const std::string& className, WindowProc proc) override;
  WindowId CreateGameWindow(const std::string& className, const std::string& caption, int x, int y,
                            int width, int height) override;
  void DestroyGameWindow(WindowId window) override;
  void ShowGameWindow(WindowId window, ShowCommand command) override;
  NativeWindow EngineWindow(WindowId window) override;
  WindowId FindWindowByCaption(const std::string& caption) override;
  bool WindowRect(WindowId window, Rect& rect) override;
  int CaptionHeight() override;
  void DesktopSize(int& width, int& height) override;
  bool DisplayRefreshRate(int& hertz) override;
  int GetMessage(Message& message, WindowId window) override;
  bool PeekMessage(Message& message) override;
  void TranslateMessage(const Message&) override {}
  std::intptr_t DispatchMessage(const Message& message) override;
  std::intptr_t SendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) override;
  void PostQuitMessage(int exitCode) override;
  std::intptr_t DefWindowProc(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
  bool RegisterHotKey(WindowId window, int id, unsigned modifiers, int virtualKey) override;
  void UnregisterHotKey(WindowId window, int id) override;
  int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;
  bool CursorPos(int& x, int& y) override;
  void ShowCursor(bool show) override;
  void ShellOpen(const std::string& target) override;
  std::uint32_t TickCount() override;

 private:
  struct Window {
    SDL_Window* sdl = nullptr;
    std::string className;
    std::string caption;
  };
  SDL_Window* Sdl(WindowId window) const;
  WindowId FromSdlId(std::uint32_t sdlWindowId) const;
  // Turns one SDL event into queued messages and passes it to the listener.
  void Translate(const union SDL_Event& event);
  void Post(WindowId window, std::uint32_t message, std::uintptr_t wParam = 0);
  bool TakeQueued(Message& message, WindowId window);

  SdlEventRouter& router_;
  const Clock& clock_;
  bool ready_ = false;
  WindowClasses classes_;
  std::map<WindowId, Window> windows_;
  WindowId nextWindow_ = 1;
  std::deque<Message> queue_;
  bool quitPending_ = false;
  bool terminating_ = false;  // SIGTERM/SIGINT or the session ending
  int quitCode_ = 0;
  XHotKeys hotKeys_;
};

// Starts `xdg-open target` detached from this process (no zombie is left, no
// error is reported).
void OpenWithDesktop(const std::string& target);

}  // namespace platform
