#include "engine/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <thread>

namespace engine {
namespace {

void SleepFor(std::int64_t nanoseconds) {
  std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds));
}

int RefreshRate(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

// Whether an OpenGL renderer draws on the processor (Mesa's llvmpipe and
// friends): SDL's software renderer is then about twice as cheap.
bool DrawsWithoutGpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strncmp(info.name, "opengl", 6) != 0)
    return false;
  using GetString = const unsigned char* (*)(unsigned int);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  constexpr unsigned int kGlRenderer = 0x1F01;
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  if (!name) return false;
  const char* text = reinterpret_cast<const char*>(name);
  for (const char* cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
    if (SDL_strstr(text, cpu)) return true;
  return false;
}

// A hardware renderer when the machine has a GPU, otherwise SDL's software
// renderer showing its picture straight through the window system. A renderer
// chosen through SDL's own hint is taken as it is.
SDL_Renderer* CreateRenderer(SDL_Window* window, int refreshRate) {
  // Presents wait for the display only when it refreshes at least as often as
  // the phases run: a 60 Hz vsync would hold the game below 75 phases a second.
  const Uint32 vsync = refreshRate >= FramePacer::kPhasesPerSecond ? SDL_RENDERER_PRESENTVSYNC : 0;
  const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  // The software renderer's picture goes to the window without a detour
  // through OpenGL (unless SDL's own setting says otherwise).
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | vsync);
  if (renderer && !(chosen && *chosen) && DrawsWithoutGpu(renderer)) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  return renderer;
}

struct Frame {
  int top = 0, left = 0, bottom = 0, right = 0;
};

// The window manager's frame around the window (none known: zero).
Frame FrameOf(SDL_Window* window) {
  Frame f;
  if (SDL_GetWindowBordersSize(window, &f.top, &f.left, &f.bottom, &f.right) != 0) f = {};
  return f;
}

// The display's work area (without panels); false when SDL cannot tell.
bool WorkArea(SDL_Window* window, SDL_Rect& area) {
  return SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &area) == 0;
}

// The window size factor: `requested` when given, otherwise the largest whole
// factor whose window, with its frame, fits the display's work area (at least 1).
int WindowScale(SDL_Window* window, int requested) {
  SDL_Rect area;
  if (requested > 0 || !WorkArea(window, area)) return std::max(1, requested);
  const Frame f = FrameOf(window);
  const int across = (area.w - f.left - f.right) / kScreenWidth;
  const int down = (area.h - f.top - f.bottom) / kScreenHeight;
  return std::max(1, std::min(across, down));
}

// Sizes the window to `scale` times the picture and, when asked, centres it
// with its frame on the work area.
void SizeWindow(SDL_Window* window, int scale, bool centre) {
  const int w = kScreenWidth * scale, h = kScreenHeight * scale;
  SDL_SetWindowSize(window, w, h);
  SDL_Rect area;
  if (!centre || !WorkArea(window, area)) return;
  const Frame f = FrameOf(window);
  SDL_SetWindowPosition(window, area.x + f.left + (area.w - f.left - f.right - w) / 2,
                        area.y + f.top + (area.h - f.top - f.bottom - h) / 2);
}

}  // namespace

SdlBackend::SdlBackend(platform::SdlEventRouter& router)
    : audio_(clock_), pacer_(clock_, SleepFor) {
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  router.Listen([this](const SDL_Event& event) { input_.Handle(event); });
}

SdlBackend::~SdlBackend() {
  Close();
  input_.CloseControllers();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlBackend::Open(WindowHandle window, bool fullScreen) {
  Close();
  SDL_Window* sdl = static_cast<SDL_Window*>(window);
  if (!sdl) return false;
  const int refreshRate = RefreshRate(sdl);
  renderer_ = CreateRenderer(sdl, refreshRate);
  if (!renderer_) return false;
  pacer_.SetDisplayRate(refreshRate);
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
    // The default window keeps the place the program gave it.
    SizeWindow(sdl, WindowScale(sdl, windowScale_), windowScale_ != 1);
  }
  SDL_ShowWindow(sdl);
  // The window manager puts its frame round the window once it is shown: a
  // fitted window is measured again with it (without a manager there is none).
  if (!fullScreen && windowScale_ == 0) {
    for (int waited = 0; waited < 250 && FrameOf(sdl).top == 0; waited += 10) {
      SDL_PumpEvents();  // the frame size arrives as a window property change
      SleepFor(10'000'000);
    }
    int w = 0;
    SDL_GetWindowSize(sdl, &w, nullptr);
    if (const int scale = WindowScale(sdl, 0); scale * kScreenWidth != w)
      SizeWindow(sdl, scale, true);
  }
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
  ++framesShown_;
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
