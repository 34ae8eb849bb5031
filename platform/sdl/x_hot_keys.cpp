#include "platform/sdl/x_hot_keys.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>

#include "platform/platform.h"

namespace platform {
namespace {

// Set by the X error handler while a grab is being made: X reports a refused
// grab asynchronously, as a BadAccess error.
bool g_grabRefused = false;

int RecordGrabError(Display*, XErrorEvent* error) {
  if (error->error_code == BadAccess) g_grabRefused = true;
  return 0;
}

struct VirtualKeySym {
  int virtualKey;
  KeySym sym;
};

// Every virtual key the game's key table can produce.
constexpr VirtualKeySym kKeySyms[] = {
    {8, XK_BackSpace},     {9, XK_Tab},         {13, XK_Return},        {19, XK_Pause},
    {20, XK_Caps_Lock},    {27, XK_Escape},     {32, XK_space},         {33, XK_Prior},
    {34, XK_Next},         {35, XK_End},        {36, XK_Home},          {37, XK_Left},
    {38, XK_Up},           {39, XK_Right},      {40, XK_Down},          {42, XK_Print},
    {45, XK_Insert},       {46, XK_Delete},     {91, XK_Super_L},       {92, XK_Super_R},
    {93, XK_Menu},         {95, XF86XK_Sleep},  {96, XK_KP_0},          {97, XK_KP_1},
    {98, XK_KP_2},         {99, XK_KP_3},       {100, XK_KP_4},         {101, XK_KP_5},
    {102, XK_KP_6},        {103, XK_KP_7},      {104, XK_KP_8},         {105, XK_KP_9},
    {106, XK_KP_Multiply}, {107, XK_KP_Add},    {109, XK_KP_Subtract},  {110, XK_KP_Decimal},
    {111, XK_KP_Divide},   {144, XK_Num_Lock},  {145, XK_Scroll_Lock},  {160, XK_Shift_L},
    {161, XK_Shift_R},     {162, XK_Control_L}, {163, XK_Control_R},    {164, XK_Alt_L},
    {165, XK_Alt_R},       {186, XK_semicolon}, {187, XK_equal},        {188, XK_comma},
    {189, XK_minus},       {190, XK_period},    {191, XK_slash},        {192, XK_grave},
    {219, XK_bracketleft}, {220, XK_backslash}, {221, XK_bracketright}, {222, XK_apostrophe},
};

unsigned ModifierMask(unsigned modifiers) {
  return (modifiers & MOD_ALT ? Mod1Mask : 0u) | (modifiers & MOD_CONTROL ? ControlMask : 0u) |
         (modifiers & MOD_SHIFT ? ShiftMask : 0u);
}

// The modifier bit that Num Lock sets on this display (usually Mod2).
unsigned NumLockMask(Display* display) {
  unsigned mask = 0;
  XModifierKeymap* map = XGetModifierMapping(display);
  if (!map) return Mod2Mask;
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  for (int modifier = 0; modifier < 8 && numLock != 0; ++modifier)
    for (int k = 0; k < map->max_keypermod; ++k)
      if (map->modifiermap[modifier * map->max_keypermod + k] == numLock) mask = 1u << modifier;
  XFreeModifiermap(map);
  return mask ? mask : Mod2Mask;
}

}  // namespace

void ReleaseKeyboardFocus(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus != None && focus != info.info.x11.window) return;
  XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
  XFlush(display);
}

unsigned long KeySymOfVirtualKey(int virtualKey) {
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
    return static_cast<unsigned long>(virtualKey >= 'A' ? virtualKey + ('a' - 'A') : virtualKey);
  if (virtualKey >= 112 && virtualKey <= 135) return XK_F1 + (virtualKey - 112);
  for (const VirtualKeySym& k : kKeySyms)
    if (k.virtualKey == virtualKey) return k.sym;
  return 0;
}

XHotKeys::XHotKeys() = default;

XHotKeys::~XHotKeys() {
  Shutdown();
}

void XHotKeys::Shutdown() {
  for (const Grab& g : grabs_) Release(g);
  grabs_.clear();
  display_ = nullptr;
}

bool XHotKeys::Register(SDL_Window* window, std::uint32_t owner, int id, unsigned modifiers,
                        int virtualKey) {
  if (!display_) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
      return false;
    Display* display = info.info.x11.display;
    display_ = display;
    root_ = DefaultRootWindow(display);
    const unsigned numLock = NumLockMask(display);
    lockMasks_[0] = 0;
    lockMasks_[1] = LockMask;
    lockMasks_[2] = numLock;
    lockMasks_[3] = LockMask | numLock;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  }
  Display* display = static_cast<Display*>(display_);
  for (const Grab& g : grabs_)
    if (g.owner == owner && g.id == id) return false;
  const KeySym sym = KeySymOfVirtualKey(virtualKey);
  const KeyCode keycode = sym ? XKeysymToKeycode(display, sym) : 0;
  if (keycode == 0) return false;
  const Grab grab{owner, id, keycode, ModifierMask(modifiers)};
  for (const Grab& g : grabs_)
    if (g.keycode == grab.keycode && g.mask == grab.mask) return false;

  XSync(display, False);
  g_grabRefused = false;
  XErrorHandler previous = XSetErrorHandler(RecordGrabError);
  for (unsigned lock : lockMasks_)
    XGrabKey(display, keycode, grab.mask | lock, root_, True, GrabModeAsync, GrabModeAsync);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (g_grabRefused) {
    Release(grab);
    return false;
  }
  grabs_.push_back(grab);
  return true;
}

void XHotKeys::Release(const Grab& grab) {
  Display* display = static_cast<Display*>(display_);
  if (!display) return;
  // Ungrabbing a combination another client holds does nothing to that client.
  XSync(display, False);
  XErrorHandler previous = XSetErrorHandler(RecordGrabError);
  for (unsigned lock : lockMasks_) XUngrabKey(display, grab.keycode, grab.mask | lock, root_);
  XSync(display, False);
  XSetErrorHandler(previous);
}

void XHotKeys::Unregister(std::uint32_t owner, int id) {
  auto it = std::find_if(grabs_.begin(), grabs_.end(),
                         [&](const Grab& g) { return g.owner == owner && g.id == id; });
  if (it == grabs_.end()) return;
  Release(*it);
  grabs_.erase(it);
}

void XHotKeys::UnregisterAll(std::uint32_t owner) {
  for (auto it = grabs_.begin(); it != grabs_.end();) {
    if (it->owner == owner) {
      Release(*it);
      it = grabs_.erase(it);
    } else {
      ++it;
    }
  }
}

bool XHotKeys::Match(const SDL_Event& event, std::uint32_t& owner, int& id) const {
  if (event.type != SDL_SYSWMEVENT || !event.syswm.msg ||
      event.syswm.msg->subsystem != SDL_SYSWM_X11)
    return false;
  const XEvent& x = event.syswm.msg->msg.x11.event;
  if (x.type != KeyPress || x.xkey.window != root_) return false;
  const unsigned state = x.xkey.state & (ShiftMask | ControlMask | Mod1Mask);
  for (const Grab& g : grabs_) {
    if (g.keycode == x.xkey.keycode && g.mask == state) {
      owner = g.owner;
      id = g.id;
      return true;
    }
  }
  return false;
}

}  // namespace platform
