// SDL's event queue has one reader: the SDL platform's message pump. It turns
// window events into window messages and hands every event on to the listener
// registered here (the window engine backend, which takes the keyboard, mouse
// and game-controller events).
#pragma once

#include <functional>
#include <utility>

union SDL_Event;

namespace platform {

class SdlEventRouter {
 public:
  using Listener = std::function<void(const SDL_Event&)>;

  void Listen(Listener listener) { listener_ = std::move(listener); }
  void Route(const SDL_Event& event) const {
    if (listener_) listener_(event);
  }

 private:
  Listener listener_;
};

}  // namespace platform
