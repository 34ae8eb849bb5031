// What presents the engine world: a real window with sound and input, or the
// headless stand-in used by tests and tools. The engine core (engine/runtime.h)
// owns the world and the phase logic; a backend only presents, paces and listens.
#pragma once

#include <string>

#include "engine/types.h"
#include "engine/world.h"
#include "platform/clock.h"

namespace engine {

class Backend {
 public:
  virtual ~Backend() = default;

  // Starts presenting on `window`; false when that is not possible.
  virtual bool Open(WindowHandle window, bool fullScreen) = 0;
  virtual void Close() = 0;
  // Above 0 while presenting full screen.
  virtual int DisplayMode() const = 0;
  // False while the window is minimised or hidden.
  virtual bool IsActive() const = 0;

  virtual const platform::Clock& clock() const = 0;
  // Asked once per i3ImpactMain after initialisation: true when a run phase is due
  // now (and then counts it as taken). When none is due it may sleep a little and
  // return false.
  virtual bool TakeRunPhase() = 0;

  // Fills the snapshot for the run phase that begins (keys held, keys that went
  // down since the previous call, mouse fraction, clicks).
  virtual void ReadInput(InputSnapshot& input) = 0;
  // Moves the pointer to a window fraction.
  virtual void ResetMouse(float x, float y) = 0;

  // The render phase's frame: drawn and shown unless the pacing skips it.
  virtual void Present(const World& world) = 0;
  // An explicit render (a loading picture between long steps): always drawn
  // and shown at once, whatever the pacing says.
  virtual void PresentNow(const World& world) = 0;
  // Fills the window with one colour at once.
  virtual void Wipe(float r, float g, float b) = 0;

  // Sound effects. LoadSound returns 0 when the file cannot be read.
  virtual int LoadSound(const std::string& path) = 0;
  virtual void PlaySound(int id, bool restart) = 0;
  virtual bool SoundPlaying(int id) const = 0;
  virtual void FreeSound(int id) = 0;
};

}  // namespace engine
