// The engine core: one world, one backend and the phase state machine that the
// driver steps through with i3ImpactMain and the Is*/Begin/End operations.
//
//   Open + Settings -> rendering; the first i3ImpactMain executes the
//   initialisation phase (IsInitializing until InitEnd); every later
//   i3ImpactMain executes a run phase when the backend says one is due, and
//   reports the run and render phases as skipped otherwise.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/backend.h"
#include "engine/world.h"

namespace engine {

class Engine {
 public:
  explicit Engine(std::unique_ptr<Backend> backend);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  World& world() { return world_; }
  const World& world() const { return world_; }
  Backend& backend() { return *backend_; }

  iHandle NewHandle() { return nextHandle_++; }
  // Operations called with a non-zero handle that names no living object: a
  // handle from before an engine restart whose owner forgot to make its object
  // again, or one already destroyed. They do nothing; tests expect none.
  std::uint64_t deadHandleCalls() const { return deadHandleCalls_; }
  void CountDeadHandleCall() { ++deadHandleCalls_; }
  std::uint64_t NextOrder() { return world_.nextOrder++; }

  // Unique to this engine's current life of objects (engine/owned.h).
  std::uint64_t generation() const { return world_.generation; }

  // Phase state, as the lifecycle operations report it.
  struct Phase {
    bool open = false;
    bool rendering = false;
    bool ready = false;
    bool executing = false;
    bool initializing = false;
    bool initialised = false;
    bool skippingRun = true;
    bool skippingRender = true;
    bool errorFlag = false;
    bool fullScreen = false;
    bool escEnabled = true;
    std::int64_t openedAtNs = 0;
    WindowHandle window = nullptr;
  };
  Phase& phase() { return phase_; }

  // Advances every particle system by dt seconds.
  void StepParticles(float dt);
  // Uniform in [0, 1), from the engine's own deterministic sequence.
  float NextUnitRandom();

 private:
  World world_;
  std::unique_ptr<Backend> backend_;
  Phase phase_;
  iHandle nextHandle_ = 1;
  std::uint64_t deadHandleCalls_ = 0;
  std::uint64_t randomState_ = 0x9E3779B97F4A7C15ULL;
};

// The engine the i* operations act on; nullptr uninstalls.
void Install(Engine* engine);
Engine* Installed();

// Installs an engine for a scope (tests, tools).
class ScopedInstall {
 public:
  explicit ScopedInstall(Engine& engine) { Install(&engine); }
  ~ScopedInstall() { Install(nullptr); }
  ScopedInstall(const ScopedInstall&) = delete;
  ScopedInstall& operator=(const ScopedInstall&) = delete;
};

}  // namespace engine
