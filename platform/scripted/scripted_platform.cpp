#include "platform/scripted/scripted_platform.h"

#include <algorithm>

namespace platform {

ScriptedPlatform::ScriptedPlatform(const Clock& clock) : clock_(clock) {}

ScriptedPlatform::WindowRecord* ScriptedPlatform::Live(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() || it->second.destroyed ? nullptr : &it->second;
}

const ScriptedPlatform::WindowRecord* ScriptedPlatform::Window(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

bool ScriptedPlatform::RegisterWindowClass(const std::string& className, WindowProc proc) {
  classes_.Register(className, std::move(proc));
  return true;
}

WindowId ScriptedPlatform::CreateGameWindow(const std::string& className,
                                            const std::string& caption, int x, int y, int width,
                                            int height) {
  if (!classes_.Has(className)) return 0;
  const WindowId id = nextWindow_++;
  WindowRecord& w = windows_[id];
  w.className = className;
  w.caption = caption;
  w.rect = {x, y, x + width, y + height};
  return id;
}

void ScriptedPlatform::DestroyGameWindow(WindowId window) {
  WindowRecord* w = Live(window);
  if (!w) return;
  w->destroyed = true;
  w->visible = false;
  if (active_ == window) active_ = 0;
  std::erase_if(queue_, [window](const Message& m) { return m.window == window; });
  std::erase_if(hotKeys_, [window](const HotKey& k) { return k.window == window; });
}

void ScriptedPlatform::ShowGameWindow(WindowId window, ShowCommand command) {
  WindowRecord* w = Live(window);
  if (!w) return;
  w->shows.push_back(command);
  w->visible = command != ShowCommand::Hide;
  w->minimised = command == ShowCommand::Minimize;
  if (command != ShowCommand::ShowNormal && active_ == window) active_ = 0;
}

NativeWindow ScriptedPlatform::EngineWindow(WindowId window) {
  WindowRecord* w = Live(window);
  if (!w) return nullptr;
  // The engine takes the window: it is shown and gets the focus.
  w->visible = true;
  w->minimised = false;
  active_ = window;
  Post(window, WM_ACTIVATEAPP, 1);
  Post(window, WM_ACTIVATE, 1);
  return w;
}

WindowId ScriptedPlatform::FindWindowByCaption(const std::string& caption) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if (!it->second.destroyed && it->second.caption == caption) return it->first;
  return 0;
}

bool ScriptedPlatform::WindowRect(WindowId window, Rect& rect) {
  WindowRecord* w = Live(window);
  if (!w) return false;
  rect = w->rect;
  return true;
}

void ScriptedPlatform::DesktopSize(int& width, int& height) {
  width = desktopWidth_;
  height = desktopHeight_;
}

bool ScriptedPlatform::DisplayRefreshRate(int& hertz) {
  hertz = refreshRate_;
  return refreshRate_ > 0;
}

int ScriptedPlatform::GetMessage(Message& message, WindowId window) {
  for (;;) {
    if (failNextGetMessage_) {
      failNextGetMessage_ = false;
      return -1;
    }
    auto it = std::find_if(queue_.begin(), queue_.end(),
                           [window](const Message& m) { return m.window == window; });
    if (it != queue_.end()) {
      message = *it;
      queue_.erase(it);
      return 1;
    }
    if (quitPending_) {
      quitPending_ = false;
      message = {0, WM_QUIT, static_cast<std::uintptr_t>(quitCode_), 0};
      return 0;
    }
    if (!waitSteps_.empty()) {
      auto step = std::move(waitSteps_.front());
      waitSteps_.pop_front();
      step();
      continue;
    }
    if (idleHandler_) {
      const std::size_t queued = queue_.size();
      idleHandler_();
      if (queue_.size() != queued || quitPending_ || failNextGetMessage_ || !waitSteps_.empty())
        continue;
    }
    throw ScriptExhausted("GetMessage would wait for ever: no scripted step left");
  }
}

bool ScriptedPlatform::PeekMessage(Message& message) {
  if (!queue_.empty()) {
    message = queue_.front();
    queue_.pop_front();
    return true;
  }
  if (quitPending_) {
    quitPending_ = false;
    message = {0, WM_QUIT, static_cast<std::uintptr_t>(quitCode_), 0};
    return true;
  }
  return false;
}

std::intptr_t ScriptedPlatform::DispatchMessage(const Message& message) {
  return SendMessage(message.window, message.message, message.wParam, message.lParam);
}

std::intptr_t ScriptedPlatform::SendMessage(WindowId window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t lParam) {
  WindowRecord* w = Live(window);
  if (!w) return 0;
  const WindowProc proc = classes_.ProcOf(w->className);
  return proc ? proc(window, message, wParam, lParam)
              : DefWindowProc(window, message, wParam, lParam);
}

void ScriptedPlatform::PostQuitMessage(int exitCode) {
  quitPending_ = true;
  quitCode_ = exitCode;
}

std::intptr_t ScriptedPlatform::DefWindowProc(WindowId window, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
    WindowRecord* w = Live(window);
    if (!w) return 0;
    w->minimised = true;
    if (active_ == window) {
      // Minimising the active window hands the focus to another application.
      active_ = 0;
      Post(window, WM_ACTIVATEAPP, 0);
    }
  }
  return 0;
}

bool ScriptedPlatform::RegisterHotKey(WindowId window, int id, unsigned modifiers, int virtualKey) {
  if (!Live(window) || virtualKey == 0) return false;
  if (refused_.count({modifiers, virtualKey})) return false;
  for (const HotKey& k : hotKeys_) {
    if (k.window == window && k.id == id) return false;
    if (k.modifiers == modifiers && k.virtualKey == virtualKey) return false;
  }
  hotKeys_.push_back({window, id, modifiers, virtualKey});
  return true;
}

void ScriptedPlatform::UnregisterHotKey(WindowId window, int id) {
  std::erase_if(hotKeys_,
                [window, id](const HotKey& k) { return k.window == window && k.id == id; });
}

bool ScriptedPlatform::HotKeyRegistered(int id) const {
  return std::any_of(hotKeys_.begin(), hotKeys_.end(),
                     [id](const HotKey& k) { return k.id == id; });
}

int ScriptedPlatform::MessageBox(WindowId owner, const std::string& text,
                                 const std::string& caption, unsigned flags) {
  int answer = (flags & MB_YESNO) ? IDNO : IDOK;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  messageBoxes_.push_back({owner, text, caption, flags, answer});
  return answer;
}

bool ScriptedPlatform::CursorPos(int& x, int& y) {
  x = cursorX_;
  y = cursorY_;
  return true;
}

std::uint32_t ScriptedPlatform::TickCount() {
  return static_cast<std::uint32_t>(clock_.NowNs() / 1'000'000);
}

void ScriptedPlatform::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
  queue_.push_back({window, message, wParam, lParam});
}

void ScriptedPlatform::PostToGameWindow(std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (!it->second.destroyed) {
      Post(it->first, message, wParam, lParam);
      return;
    }
  }
}

void ScriptedPlatform::Deactivate() {
  if (active_ == 0) return;
  const WindowId window = active_;
  active_ = 0;
  Post(window, WM_ACTIVATEAPP, 0);
}

void ScriptedPlatform::Activate() {
  const WindowId window = LastWindow();
  WindowRecord* w = Live(window);
  if (!w) return;
  w->visible = true;
  w->minimised = false;
  active_ = window;
  Post(window, WM_ACTIVATEAPP, 1);
  Post(window, WM_ACTIVATE, 1);
}

bool ScriptedPlatform::PressHotKey(unsigned modifiers, int virtualKey) {
  for (const HotKey& k : hotKeys_) {
    if (k.modifiers == modifiers && k.virtualKey == virtualKey) {
      Post(k.window, WM_HOTKEY, static_cast<std::uintptr_t>(k.id));
      return true;
    }
  }
  return false;
}

void ScriptedPlatform::RefuseHotKey(unsigned modifiers, int virtualKey) {
  refused_.insert({modifiers, virtualKey});
}

void ScriptedPlatform::SetDesktopSize(int width, int height) {
  desktopWidth_ = width;
  desktopHeight_ = height;
}

void ScriptedPlatform::SetCursorPos(int x, int y) {
  cursorX_ = x;
  cursorY_ = y;
}

}  // namespace platform
