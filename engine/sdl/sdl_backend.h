// The window backend: draws the engine world in the game window with the shared
// drawing module on the window's SDL_Renderer (hardware when there is one,
// SDL's software renderer otherwise), paces run phases at 75 per second from a
// steady clock, plays sound effects and music, and takes the input events the
// platform's message pump hands over.
//
// Full screen is a borderless desktop-size window showing the 800 x 600 picture
// scaled to fit, letterboxed.
#pragma once

#include <memory>
#include <string>

#include "engine/backend.h"
#include "engine/render/world_renderer.h"
#include "engine/sdl/frame_pacer.h"
#include "engine/sdl/sdl_audio.h"
#include "engine/sdl/sdl_input.h"
#include "platform/clock.h"
#include "platform/sdl/event_router.h"

struct SDL_Window;
struct SDL_Renderer;

namespace engine {

class SdlBackend final : public Backend {
 public:
  explicit SdlBackend(platform::SdlEventRouter& router);
  ~SdlBackend() override;

  bool Open(WindowHandle window, bool fullScreen) override;
  void Close() override;
  int DisplayMode() const override { return window_ && fullScreen_ ? 1 : 0; }
  bool IsActive() const override;
  const platform::Clock& clock() const override { return clock_; }
  bool TakeRunPhase() override;
  void ReadInput(InputSnapshot& input) override { input_.Read(input); }
  void ResetMouse(float x, float y) override;
  void Present(const World& world) override;
  void PresentNow(const World& world) override { DrawFrame(world); }
  void Wipe(float r, float g, float b) override;
  int LoadSound(const std::string& path) override { return audio_.Load(path); }
  void PlaySound(int id, bool restart) override { audio_.Play(id, restart); }
  bool SoundPlaying(int id) const override { return audio_.Playing(id); }
  void FreeSound(int id) override { audio_.Free(id); }

  // How many times 800 x 600 a windowed game opens at: 1 and up, or 0 for the
  // largest whole factor that fits the display's work area. Full screen is
  // not affected.
  void SetWindowScale(int scale) { windowScale_ = scale; }

  // Draws and shows the world now, whatever the pacing says.
  void DrawFrame(const World& world);
  // Frames drawn and shown in the window since the backend was made.
  int framesShown() const { return framesShown_; }

  // The song player the Song* operations should act on.
  MusicMixer& music() { return audio_.music(); }
  int openControllers() const { return input_.openControllers(); }
  // The SDL renderer's name ("opengl", "software", ...), empty while closed.
  std::string RendererName() const;

 private:
  platform::SteadyClock clock_;
  SdlAudio audio_;
  SdlInput input_;
  FramePacer pacer_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::unique_ptr<WorldRenderer> drawer_;
  bool fullScreen_ = false;
  int framesShown_ = 0;
  int windowScale_ = 1;
};

}  // namespace engine
