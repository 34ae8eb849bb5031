#include "engine/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <thread>

namespace engine {
namespace {

void SleepFor(std::int64_t nanoseconds) {
  std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds));
}

// Presents wait for the display only when its refresh is at least the phase
// rate; a 60 Hz vsync would otherwise hold the game below 75 phases a second.
bool UseVsync(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  return display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 &&
         mode.refresh_rate >= FramePacer::kPhasesPerSecond;
}

}  // namespace

SdlBackend::SdlBackend(platform::SdlEventRouter& router)
    : audio_(clock_), pacer_(clock_, SleepFor) {
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  router.Listen([this](const SDL_Event& event) { input_.Handle(event); });
}

SdlBackend::~SdlBackend() {
  Close();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlBackend::Open(WindowHandle window, bool fullScreen) {
  Close();
  SDL_Window* sdl = static_cast<SDL_Window*>(window);
  if (!sdl) return false;
  const Uint32 vsync = UseVsync(sdl) ? SDL_RENDERER_PRESENTVSYNC : 0;
  renderer_ = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_ACCELERATED | vsync);
  if (!renderer_) renderer_ = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
  window_ = sdl;
  fullScreen_ = fullScreen;
  if (fullScreen) {
    // Borderless over the whole display even where no window manager acts on
    // the full-screen request, then that request for the managers that do.
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(sdl)), &bounds) == 0) {
      SDL_SetWindowBordered(sdl, SDL_FALSE);
      SDL_SetWindowPosition(sdl, bounds.x, bounds.y);
      SDL_SetWindowSize(sdl, bounds.w, bounds.h);
    }
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(sdl, 0);
    SDL_SetWindowSize(sdl, kScreenWidth, kScreenHeight);
  }
  SDL_ShowWindow(sdl);
  SDL_RaiseWindow(sdl);
  drawer_ = std::make_unique<WorldRenderer>(renderer_);
  Wipe(0, 0, 0);
  input_.ReleaseAll();
  pacer_.Restart();
  return true;
}

void SdlBackend::Close() {
  drawer_.reset();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
  if (window_) {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_HideWindow(window_);
  }
  window_ = nullptr;
  fullScreen_ = false;
  input_.ReleaseAll();
}

bool SdlBackend::IsActive() const {
  const bool active =
      window_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
  // The driver polls this in a loop that would otherwise spin while the window
  // is minimised: rest a little before answering no.
  if (!active) SleepFor(10'000'000);
  return active;
}

bool SdlBackend::TakeRunPhase() {
  pacer_.TakePhase();
  return true;
}

void SdlBackend::ResetMouse(float x, float y) {
  input_.SetMouse(x, y);
  // Only a full-screen game reads the engine's mouse; in a window the system
  // pointer stays where the player left it.
  if (!window_ || !fullScreen_ || !(SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS)) return;
  int wx = 0, wy = 0;
  SDL_RenderLogicalToWindow(renderer_, x * kScreenWidth, y * kScreenHeight, &wx, &wy);
  SDL_WarpMouseInWindow(window_, wx, wy);
}

void SdlBackend::Present(const World& world) {
  if (drawer_ && pacer_.ShouldDraw()) DrawFrame(world);
}

void SdlBackend::DrawFrame(const World& world) {
  if (!drawer_) return;
  drawer_->Draw(world);
  SDL_RenderPresent(renderer_);
}

void SdlBackend::Wipe(float r, float g, float b) {
  if (!renderer_) return;
  const auto channel = [](float v) {
    return static_cast<Uint8>(v <= 0 ? 0 : v >= 1 ? 255 : v * 255.0f + 0.5f);
  };
  SDL_SetRenderDrawColor(renderer_, channel(r), channel(g), channel(b), 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
}

std::string SdlBackend::RendererName() const {
  SDL_RendererInfo info;
  if (!renderer_ || SDL_GetRendererInfo(renderer_, &info) != 0) return {};
  return info.name;
}

}  // namespace engine
