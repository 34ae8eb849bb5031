// The platform services driven by a test script: windows are records, the
// message queue is a list the script fills, hot keys fire when the script
// presses them, message boxes answer from a list, shell opens are recorded and
// the tick count reads the engine's (virtual) clock. Nothing ever blocks: when
// GetMessage finds no message it runs the next scripted wait step (or the idle
// handler), and when nothing comes of that it throws, so a test that forgot to end a wait fails
// instead of hanging.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/clock.h"
#include "platform/harness_stop.h"
#include "platform/platform.h"
#include "platform/window_classes.h"

namespace platform {

class ScriptExhausted : public std::logic_error, public HarnessStop {
 public:
  using std::logic_error::logic_error;
};

class ScriptedPlatform final : public Platform {
 public:
  explicit ScriptedPlatform(const Clock& clock);

  // --- Platform ---
  bool RegisterWindowClass(const std::string& className, WindowProc proc) override;
  WindowId CreateGameWindow(const std::string& className, const std::string& caption, int x, int y,
                            int width, int height) override;
  void DestroyGameWindow(WindowId window) override;
  void ShowGameWindow(WindowId window, ShowCommand command) override;
  NativeWindow EngineWindow(WindowId window) override;
  WindowId FindWindowByCaption(const std::string& caption) override;
  bool WindowRect(WindowId window, Rect& rect) override;
  int CaptionHeight() override { return captionHeight_; }
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
  void ShowCursor(bool show) override { cursorShown_ = show; }
  void ShellOpen(const std::string& target) override { shellOpens_.push_back(target); }
  std::uint32_t TickCount() override;

  // --- Script ---
  // Queues a message as if the system had posted it.
  void Post(WindowId window, std::uint32_t message, std::uintptr_t wParam = 0,
            std::intptr_t lParam = 0);
  // Queues a message to the newest live window.
  void PostToGameWindow(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  // The application loses the focus (another window pops up).
  void Deactivate();
  // The newest live window is activated (e.g. its task-bar button is clicked).
  void Activate();
  // A key combination pressed anywhere on the desktop: WM_HOTKEY goes to the
  // window that registered it. False when no registration matches.
  bool PressHotKey(unsigned modifiers, int virtualKey);
  // Another program holds this combination: registering it fails.
  void RefuseHotKey(unsigned modifiers, int virtualKey);
  // The next GetMessage fails (returns -1).
  void FailNextGetMessage() { failNextGetMessage_ = true; }
  // Run one per GetMessage that finds no message, in order.
  void WhenWaiting(std::function<void()> step) { waitSteps_.push_back(std::move(step)); }
  // Called whenever GetMessage finds no message and no WhenWaiting step is left
  // (a simulator feeds its next scripted events here); GetMessage throws when
  // the handler queued nothing either.
  void OnIdle(std::function<void()> handler) { idleHandler_ = std::move(handler); }
  // Answers of the next message boxes; without one an OK box answers IDOK and a
  // Yes/No box IDNO.
  void AnswerMessageBox(int answer) { answers_.push_back(answer); }
  void SetDesktopSize(int width, int height);
  void SetCursorPos(int x, int y);
  void SetRefreshRate(int hertz) { refreshRate_ = hertz; }  // 0: cannot be read

  // --- Observation ---
  struct WindowRecord {
    std::string className;
    std::string caption;
    Rect rect;
    bool visible = false;
    bool minimised = false;
    bool destroyed = false;
    std::vector<ShowCommand> shows;  // ShowGameWindow calls, in order
  };
  struct MessageBoxCall {
    WindowId owner = 0;
    std::string text;
    std::string caption;
    unsigned flags = 0;
    int answer = 0;
  };
  struct HotKey {
    WindowId window = 0;
    int id = 0;
    unsigned modifiers = 0;
    int virtualKey = 0;
  };
  const WindowRecord* Window(WindowId window) const;
  // The newest window created (live or not), 0 if none.
  WindowId LastWindow() const { return windows_.empty() ? 0 : windows_.rbegin()->first; }
  int WindowsCreated() const { return static_cast<int>(windows_.size()); }
  WindowId ActiveWindow() const { return active_; }
  const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<std::string>& ShellOpens() const { return shellOpens_; }
  const std::vector<HotKey>& HotKeys() const { return hotKeys_; }
  bool HotKeyRegistered(int id) const;
  bool CursorShown() const { return cursorShown_; }
  std::size_t PendingMessages() const { return queue_.size(); }

 private:
  WindowRecord* Live(WindowId window);

  const Clock& clock_;
  WindowClasses classes_;
  std::map<WindowId, WindowRecord> windows_;
  WindowId nextWindow_ = 1;
  WindowId active_ = 0;
  std::deque<Message> queue_;
  bool quitPending_ = false;
  int quitCode_ = 0;
  bool failNextGetMessage_ = false;
  std::deque<std::function<void()>> waitSteps_;
  std::function<void()> idleHandler_;
  std::vector<HotKey> hotKeys_;
  std::set<std::pair<unsigned, int>> refused_;
  std::deque<int> answers_;
  std::vector<MessageBoxCall> messageBoxes_;
  std::vector<std::string> shellOpens_;
  int desktopWidth_ = 1024;
  int desktopHeight_ = 768;
  int cursorX_ = 0;
  int cursorY_ = 0;
  int refreshRate_ = 60;
  int captionHeight_ = 20;
  bool cursorShown_ = true;
};

}  // namespace platform
