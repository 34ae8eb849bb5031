// The operating-system services the driver and the screens use, in the shape of
// the window-message model the game is written against: a window class with one
// window procedure, a message queue (get / peek / post / dispatch), system-wide
// hot keys, message boxes, pointer and window geometry, shell open and the tick
// count. Two implementations: SDL2 with Xlib hot keys (platform/sdl/) and a
// scripted one for tests and the simulator (platform/scripted/).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/native_window.h"

namespace platform {

// A window of ours; 0 is none.
using WindowId = std::uint32_t;

// Message codes (values as the window-message model numbers them).
enum : std::uint32_t {
  WM_ACTIVATE = 0x0006,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ACTIVATEAPP = 0x001C,
  WM_SYSCOMMAND = 0x0112,
  WM_HOTKEY = 0x0312,
};
inline constexpr std::uintptr_t SC_MINIMIZE = 0xF020;

// Hot-key modifiers.
enum : unsigned { MOD_ALT = 1, MOD_CONTROL = 2, MOD_SHIFT = 4 };

// Message-box flags and answers.
enum : unsigned {
  MB_OK = 0x0,
  MB_YESNO = 0x4,
  MB_ICONERROR = 0x10,
  MB_ICONWARNING = 0x30,
  MB_TOPMOST = 0x40000,
};
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };

enum class ShowCommand { Hide, Minimize, ShowNormal };

struct Message {
  WindowId window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

using WindowProc =
    std::function<std::intptr_t(WindowId, std::uint32_t, std::uintptr_t, std::intptr_t)>;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Windows ---
  virtual bool RegisterWindowClass(const std::string& className, WindowProc proc) = 0;
  // Created hidden; 0 on failure.
  virtual WindowId CreateGameWindow(const std::string& className, const std::string& caption, int x,
                                    int y, int width, int height) = 0;
  virtual void DestroyGameWindow(WindowId window) = 0;
  virtual void ShowGameWindow(WindowId window, ShowCommand command) = 0;
  // What the engine's i3ImpactOpen receives for this window.
  virtual NativeWindow EngineWindow(WindowId window) = 0;
  // 0 when no window has this caption.
  virtual WindowId FindWindowByCaption(const std::string& caption) = 0;
  // Outer rectangle in desktop pixels (caption bar included).
  virtual bool WindowRect(WindowId window, Rect& rect) = 0;
  // Height of the caption bar above the client area, in pixels.
  virtual int CaptionHeight() = 0;
  virtual void DesktopSize(int& width, int& height) = 0;
  // Refresh rate of the current display mode; false when it cannot be read.
  virtual bool DisplayRefreshRate(int& hertz) = 0;

  // --- Messages ---
  // Blocks until a message for `window` arrives: > 0 a message, 0 the quit
  // message, < 0 failure.
  virtual int GetMessage(Message& message, WindowId window) = 0;
  // Takes a message of any window if one is waiting.
  virtual bool PeekMessage(Message& message) = 0;
  virtual void TranslateMessage(const Message& message) = 0;
  // Hands the message to the window procedure of its window's class.
  virtual std::intptr_t DispatchMessage(const Message& message) = 0;
  // Calls the window procedure at once.
  virtual std::intptr_t SendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  // The default handling (WM_SYSCOMMAND SC_MINIMIZE minimises; the rest does nothing).
  virtual std::intptr_t DefWindowProc(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;

  // --- Hot keys (system-wide) ---
  virtual bool RegisterHotKey(WindowId window, int id, unsigned modifiers, int virtualKey) = 0;
  virtual void UnregisterHotKey(WindowId window, int id) = 0;

  // --- Dialogs, pointer, shell, time ---
  // Shows a modal box and returns IDOK, IDYES or IDNO.
  virtual int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                         unsigned flags) = 0;
  // Pointer position in desktop pixels; false when it cannot be read.
  virtual bool CursorPos(int& x, int& y) = 0;
  virtual void ShowCursor(bool show) = 0;
  // Opens a file, web address or mailto: link with the desktop's default handler.
  virtual void ShellOpen(const std::string& target) = 0;
  // Milliseconds since the program started (wraps after 49.7 days).
  virtual std::uint32_t TickCount() = 0;
};

}  // namespace platform
