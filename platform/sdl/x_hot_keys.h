// System-wide hot keys on X11: passive grabs of a key combination on the root
// window, made on SDL's own display connection so that the key presses arrive
// through SDL's event queue (as system window-manager events).
#pragma once

#include <cstdint>
#include <vector>

union SDL_Event;
struct SDL_Window;

namespace platform {

class XHotKeys {
 public:
  XHotKeys();
  ~XHotKeys();
  XHotKeys(const XHotKeys&) = delete;
  XHotKeys& operator=(const XHotKeys&) = delete;

  // Grabs the combination (modifiers MOD_*, a virtual key) for `owner`, with and
  // without the Caps Lock and Num Lock states. False when there is no X display
  // (e.g. Wayland only), the key has no X key code, or another client holds it.
  bool Register(SDL_Window* window, std::uint32_t owner, int id, unsigned modifiers,
                int virtualKey);
  void Unregister(std::uint32_t owner, int id);
  void UnregisterAll(std::uint32_t owner);
  // Releases every grab; call before SDL closes its display.
  void Shutdown();
  // For an X key press of a registered combination: its owner and id.
  bool Match(const SDL_Event& event, std::uint32_t& owner, int& id) const;

 private:
  struct Grab {
    std::uint32_t owner = 0;
    int id = 0;
    unsigned keycode = 0;
    unsigned mask = 0;
  };
  void Release(const Grab& grab);

  void* display_ = nullptr;  // SDL's Display*
  unsigned long root_ = 0;
  unsigned lockMasks_[4] = {};
  std::vector<Grab> grabs_;
};

// When the X keyboard focus is on `window` or nowhere (its window went away),
// hands it to whatever window the pointer is in, as a window manager would;
// otherwise no key at all, hot keys included, would reach anyone.
void ReleaseKeyboardFocus(SDL_Window* window);

// The X key symbol of a virtual-key code, 0 if none.
unsigned long KeySymOfVirtualKey(int virtualKey);

}  // namespace platform
