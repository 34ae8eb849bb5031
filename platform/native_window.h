// The native window behind one of our windows, as the engine opens on it: an
// SDL_Window* on the SDL platform, an arbitrary non-null token on the scripted one.
#pragma once

namespace platform {

using NativeWindow = void*;

}  // namespace platform
