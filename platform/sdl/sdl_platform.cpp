#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/sdl/x_errors.h"
#include "platform/sdl/x_window_state.h"

namespace platform {

namespace {

// Video drivers that show nothing on any screen.
bool Invisible(const char* driver) {
  return driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0 ||
                    SDL_strcmp(driver, "evdev") == 0);
}

}  // namespace

SdlPlatform::SdlPlatform(SdlEventRouter& router, const Clock& clock)
    : router_(router), clock_(clock) {
  // SDL falls back to an off-screen driver when the display cannot be opened
  // (which happens now and then on a busy X server): try again, and never take
  // an invisible window for a game window unless SDL was told to use one.
  const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  TolerateVanishedWindowsOnX();
  for (int attempt = 0; attempt < 3 && !ready_; ++attempt) {
    if (attempt > 0) SDL_Delay(200);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) continue;
    if (!Invisible(SDL_GetCurrentVideoDriver()) || (requested && *requested)) {
      ready_ = true;
    } else {
      SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
  }
  if (ready_) TolerateVanishedWindowsOnX();
}

SdlPlatform::~SdlPlatform() {
  hotKeys_.Shutdown();
  for (auto& [id, window] : windows_)
    if (window.sdl) SDL_DestroyWindow(window.sdl);
  if (ready_) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

SDL_Window* SdlPlatform::Sdl(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.sdl;
}

WindowId SdlPlatform::FromSdlId(std::uint32_t sdlWindowId) const {
  SDL_Window* sdl = SDL_GetWindowFromID(sdlWindowId);
  for (const auto& [id, window] : windows_)
    if (window.sdl == sdl && sdl) return id;
  return 0;
}

bool SdlPlatform::RegisterWindowClass(const std::string& className, WindowProc proc) {
  classes_.Register(className, std::move(proc));
  return true;
}

WindowId SdlPlatform::CreateGameWindow(const std::string& className, const std::string& caption,
                                       int x, int y, int width, int height) {
  if (!ready_ || !classes_.Has(className)) return 0;
  SDL_Window* sdl = SDL_CreateWindow(caption.c_str(), x, y, width, height, SDL_WINDOW_HIDDEN);
  if (!sdl) return 0;
  const WindowId id = nextWindow_++;
  windows_[id] = {sdl, className, caption};
  return id;
}

void SdlPlatform::DestroyGameWindow(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  hotKeys_.UnregisterAll(window);
  SDL_HideWindow(it->second.sdl);
  ReleaseKeyboardFocus(it->second.sdl);
  SDL_DestroyWindow(it->second.sdl);
  windows_.erase(it);
  std::erase_if(queue_, [window](const Message& m) { return m.window == window; });
}

void SdlPlatform::ShowGameWindow(WindowId window, ShowCommand command) {
  SDL_Window* sdl = Sdl(window);
  if (!sdl) return;
  switch (command) {
    case ShowCommand::Hide:
      SDL_HideWindow(sdl);
      ReleaseKeyboardFocus(sdl);
      break;
    case ShowCommand::Minimize:
      if ((SDL_GetWindowFlags(sdl) & SDL_WINDOW_HIDDEN) == 0) {
        SDL_MinimizeWindow(sdl);
      } else if (WindowManagerRunning(sdl)) {
        // Straight into the task bar: shown first, the window would take the
        // focus, which means "come back" to a waiting game.
        MapIconified(sdl);
      }
      // Without a window manager there is no task bar to wait in: the window
      // stays hidden and the boss hot key brings the game back.
      ReleaseKeyboardFocus(sdl);
      break;
    case ShowCommand::ShowNormal:
      SDL_ShowWindow(sdl);
      SDL_RestoreWindow(sdl);
      SDL_RaiseWindow(sdl);
      break;
  }
}

NativeWindow SdlPlatform::EngineWindow(WindowId window) {
  if (terminating_ && Sdl(window)) Post(window, WM_CLOSE);
  return Sdl(window);
}

WindowId SdlPlatform::FindWindowByCaption(const std::string& caption) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if (it->second.caption == caption) return it->first;
  return 0;
}

int SdlPlatform::CaptionHeight() {
  for (const auto& [id, window] : windows_) {
    int top = 0;
    if (SDL_GetWindowBordersSize(window.sdl, &top, nullptr, nullptr, nullptr) == 0) return top;
  }
  return 0;
}

bool SdlPlatform::WindowRect(WindowId window, Rect& rect) {
  SDL_Window* sdl = Sdl(window);
  if (!sdl) return false;
  // The client area extended upwards by the caption bar, so that moving the top
  // down by CaptionHeight() gives exactly the client area.
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(sdl, &x, &y);
  SDL_GetWindowSize(sdl, &w, &h);
  rect = {x, y - CaptionHeight(), x + w, y + h};
  return true;
}

void SdlPlatform::DesktopSize(int& width, int& height) {
  SDL_DisplayMode mode;
  if (ready_ && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    width = mode.w;
    height = mode.h;
  } else {
    width = 800;
    height = 600;
  }
}

bool SdlPlatform::DisplayRefreshRate(int& hertz) {
  SDL_DisplayMode mode;
  if (!ready_ || SDL_GetCurrentDisplayMode(0, &mode) != 0 || mode.refresh_rate <= 0) return false;
  hertz = mode.refresh_rate;
  return true;
}

void SdlPlatform::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam) {
  queue_.push_back({window, message, wParam, 0});
}

void SdlPlatform::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: {
      // SIGINT, SIGTERM or the session ending: close the game window. Closing
      // only ends a hidden wait, so the engine run that follows is closed too
      // (see EngineWindow).
      terminating_ = true;
      const WindowId window = windows_.empty() ? 0 : windows_.rbegin()->first;
      if (window)
        Post(window, WM_CLOSE);
      else
        PostQuitMessage(0);
      break;
    }
    case SDL_WINDOWEVENT: {
      const WindowId window = FromSdlId(event.window.windowID);
      if (!window) break;
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          Post(window, WM_CLOSE);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          Post(window, WM_ACTIVATEAPP, 1);
          Post(window, WM_ACTIVATE, 1);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          Post(window, WM_ACTIVATEAPP, 0);
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          Post(window, WM_PAINT);
          break;
        default:
          break;
      }
      break;
    }
    case SDL_SYSWMEVENT: {
      std::uint32_t owner = 0;
      int id = 0;
      if (hotKeys_.Match(event, owner, id)) Post(owner, WM_HOTKEY, static_cast<std::uintptr_t>(id));
      break;
    }
    default:
      break;
  }
  router_.Route(event);
}

bool SdlPlatform::TakeQueued(Message& message, WindowId window) {
  auto it = std::find_if(queue_.begin(), queue_.end(),
                         [window](const Message& m) { return window == 0 || m.window == window; });
  if (it != queue_.end()) {
    message = *it;
    queue_.erase(it);
    return true;
  }
  if (quitPending_) {
    quitPending_ = false;
    message = {0, WM_QUIT, static_cast<std::uintptr_t>(quitCode_), 0};
    return true;
  }
  return false;
}

int SdlPlatform::GetMessage(Message& message, WindowId window) {
  for (;;) {
    if (TakeQueued(message, window)) return message.message == WM_QUIT ? 0 : 1;
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return -1;
    Translate(event);
  }
}

bool SdlPlatform::PeekMessage(Message& message) {
  SDL_Event event;
  while (queue_.empty() && SDL_PollEvent(&event)) Translate(event);
  return TakeQueued(message, 0);
}

std::intptr_t SdlPlatform::DispatchMessage(const Message& message) {
  return SendMessage(message.window, message.message, message.wParam, message.lParam);
}

std::intptr_t SdlPlatform::SendMessage(WindowId window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  const WindowProc proc = classes_.ProcOf(it->second.className);
  return proc ? proc(window, message, wParam, lParam)
              : DefWindowProc(window, message, wParam, lParam);
}

void SdlPlatform::PostQuitMessage(int exitCode) {
  quitPending_ = true;
  quitCode_ = exitCode;
}

std::intptr_t SdlPlatform::DefWindowProc(WindowId window, std::uint32_t message,
                                         std::uintptr_t wParam, std::intptr_t) {
  if (message != WM_SYSCOMMAND || (wParam & 0xFFF0) != SC_MINIMIZE) return 0;
  SDL_Window* sdl = Sdl(window);
  if (!sdl) return 0;
  const bool shown = (SDL_GetWindowFlags(sdl) & SDL_WINDOW_SHOWN) != 0;
  if ((SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP)
    SDL_SetWindowFullscreen(sdl, 0);
  SDL_MinimizeWindow(sdl);
  ReleaseKeyboardFocus(sdl);
  // A minimised application is no longer the active one, even where no window
  // manager says so (a second deactivation from one that does changes nothing).
  if (shown) Post(window, WM_ACTIVATEAPP, 0);
  return 0;
}

bool SdlPlatform::RegisterHotKey(WindowId window, int id, unsigned modifiers, int virtualKey) {
  SDL_Window* sdl = Sdl(window);
  return sdl && virtualKey != 0 && hotKeys_.Register(sdl, window, id, modifiers, virtualKey);
}

void SdlPlatform::UnregisterHotKey(WindowId window, int id) {
  hotKeys_.Unregister(window, id);
}

int SdlPlatform::MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                            unsigned flags) {
  const bool yesNo = (flags & MB_YESNO) != 0;
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  const SDL_MessageBoxButtonData okButton[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
       "OK"}};
  const SDL_MessageBoxButtonData yesNoButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"}};
  const Uint32 kind = (flags & 0xF0) == MB_ICONERROR     ? SDL_MESSAGEBOX_ERROR
                      : (flags & 0xF0) == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
                                                         : SDL_MESSAGEBOX_INFORMATION;
  const SDL_MessageBoxData data{kind,         Sdl(owner),    caption.c_str(),
                                text.c_str(), yesNo ? 2 : 1, yesNo ? yesNoButtons : okButton,
                                nullptr};
  int button = -1;
  if (SDL_ShowMessageBox(&data, &button) != 0 || button < 0) return yesNo ? IDNO : IDOK;
  return button;
}

bool SdlPlatform::CursorPos(int& x, int& y) {
  if (!ready_) return false;
  // Over one of our windows the position comes from that window's own motion
  // events, whatever moved the pointer: SDL's global position follows raw
  // input only and misses pointers moved by XTest (remote desktops, VNC).
  SDL_Window* focus = SDL_GetMouseFocus();
  if (focus && std::any_of(windows_.begin(), windows_.end(),
                           [focus](const auto& w) { return w.second.sdl == focus; })) {
    int wx = 0, wy = 0, left = 0, top = 0;
    SDL_GetMouseState(&wx, &wy);
    SDL_GetWindowPosition(focus, &left, &top);
    x = left + wx;
    y = top + wy;
    return true;
  }
  SDL_GetGlobalMouseState(&x, &y);
  return true;
}

void SdlPlatform::ShowCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlPlatform::ShellOpen(const std::string& target) {
  OpenWithDesktop(target);
}

std::uint32_t SdlPlatform::TickCount() {
  return static_cast<std::uint32_t>(clock_.NowNs() / 1'000'000);
}

}  // namespace platform
