// The engine backend for tests and tools: no window, no audio device. Time is a
// virtual clock that advances exactly one run phase per i3ImpactMain, input is
// scripted, and any frame can be rendered to an image with the same drawing
// module the window uses.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/backend.h"
#include "engine/input_edges.h"
#include "engine/render/world_renderer.h"
#include "platform/clock.h"

namespace engine {

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  // --- Backend ---
  bool Open(WindowHandle window, bool fullScreen) override;
  void Close() override;
  int DisplayMode() const override { return open_ && fullScreen_ ? 1 : 0; }
  bool IsActive() const override { return active_; }
  const platform::Clock& clock() const override { return clock_; }
  bool TakeRunPhase() override;
  void ReadInput(InputSnapshot& input) override;
  void ResetMouse(float x, float y) override;
  void Present(const World& world) override;
  void PresentNow(const World& world) override;
  void Wipe(float r, float g, float b) override;
  int LoadSound(const std::string& path) override;
  void PlaySound(int id, bool restart) override;
  bool SoundPlaying(int id) const override;
  void FreeSound(int id) override;

  // --- Script ---
  void KeyDown(int code);
  void KeyUp(int code);
  // Pressed and released before the next run phase: clicked once, not held.
  void KeyTap(int code);
  void MouseMove(float fractionX, float fractionY);
  void MouseClick(int button = 0);
  void SetActive(bool active) { active_ = active; }

  // --- Observation ---
  platform::VirtualClock& virtualClock() { return clock_; }
  bool isOpen() const { return open_; }
  // Frames shown: by the render phase, and by explicit renders (every one of
  // which must be shown, however the window backend paces its frames).
  int presentCount() const { return presentCount_; }
  int explicitPresentCount() const { return explicitPresentCount_; }
  // File names of the sounds started since the last call, oldest first.
  std::vector<std::string> TakeStartedSounds();
  // Draws `world` as the window would show it.
  Image RenderFrame(const World& world);

 private:
  struct SoundClip {
    std::string path;
    std::int64_t durationNs = 0;
    std::int64_t startedNs = -1;
  };

  platform::VirtualClock clock_;
  bool open_ = false;
  bool fullScreen_ = false;
  bool active_ = true;
  int presentCount_ = 0;
  int explicitPresentCount_ = 0;
  InputEdges input_;
  std::map<int, SoundClip> sounds_;
  int nextSoundId_ = 1;
  std::vector<std::string> startedSounds_;
  std::unique_ptr<OffscreenRenderer> offscreen_;
};

}  // namespace engine
