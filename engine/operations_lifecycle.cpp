// Engine lifecycle: opening on a window, the phase state machine, closing.
#include "engine/engine.h"
#include "engine/runtime.h"

using engine::Installed;

namespace {

engine::Engine::Phase* PhaseOf() {
  engine::Engine* e = Installed();
  return e ? &e->phase() : nullptr;
}

}  // namespace

int i3ImpactOpen(engine::WindowHandle window, int /*flags*/) {
  engine::Engine* e = Installed();
  if (!e || !window) return 0;
  auto& p = e->phase();
  p = engine::Engine::Phase{};
  p.open = true;
  p.window = window;
  return 1;
}

int i3ImpactSettings(const std::int32_t (&record)[6]) {
  engine::Engine* e = Installed();
  if (!e || !e->phase().open) return 0;
  auto& p = e->phase();
  p.fullScreen = record[4] != 0;
  if (!e->backend().Open(p.window, p.fullScreen)) return 0;
  p.rendering = true;
  p.ready = true;
  p.openedAtNs = e->backend().clock().NowNs();
  return 1;
}

void i3ImpactMain() {
  engine::Engine* e = Installed();
  if (!e) return;
  auto& p = e->phase();
  p.executing = false;
  p.skippingRun = true;
  p.skippingRender = true;
  if (!p.rendering) return;
  if (!p.initialised) {
    p.executing = true;
    p.initializing = true;
    return;
  }
  if (e->backend().TakeRunPhase()) {
    p.executing = true;
    p.skippingRun = false;
    p.skippingRender = false;
  }
}

bool i3ImpactIsRendering() {
  auto* p = PhaseOf();
  return p && p->rendering;
}

void i3ImpactIsRenderingSet(int rendering) {
  if (auto* p = PhaseOf()) p->rendering = rendering != 0;
}

bool i3ImpactIsActive() {
  engine::Engine* e = Installed();
  return e && e->phase().open && e->backend().IsActive();
}

bool i3ImpactIsReady() {
  auto* p = PhaseOf();
  return p && p->ready;
}

bool i3ImpactIsExecuting() {
  auto* p = PhaseOf();
  return p && p->executing;
}

bool i3ImpactIsInitializing() {
  auto* p = PhaseOf();
  return p && p->initializing;
}

bool i3ImpactIsSkippingRunPhase() {
  auto* p = PhaseOf();
  return !p || p->skippingRun;
}

bool i3ImpactIsSkippingRenderPhase() {
  auto* p = PhaseOf();
  return !p || p->skippingRender;
}

void i3ImpactInitBegin() {}

void i3ImpactInitEnd() {
  if (auto* p = PhaseOf()) {
    p->initializing = false;
    p->initialised = true;
  }
}

void i3ImpactRunBegin() {
  if (engine::Engine* e = Installed()) e->backend().ReadInput(e->world().input);
}

void i3ImpactRunEnd() {
  if (engine::Engine* e = Installed()) {
    e->StepParticles(1.0f / engine::kRunPhasesPerSecond);
  }
}

void i3ImpactRender() {
  engine::Engine* e = Installed();
  if (e && e->phase().rendering) e->backend().Present(e->world());
}

void i3ImpactExitBegin() {}

void i3ImpactExitEnd() {}

void i3ImpactClose() {
  engine::Engine* e = Installed();
  if (!e) return;
  for (auto& [handle, sound] : e->world().sounds) e->backend().FreeSound(sound.backendId);
  e->world().Clear();
  if (e->phase().open) e->backend().Close();
  e->phase() = engine::Engine::Phase{};
}

void i3ImpactErrorFlagSet(int flag) {
  if (auto* p = PhaseOf()) p->errorFlag = flag != 0;
}

bool i3ImpactErrorFlag() {
  auto* p = PhaseOf();
  return p && p->errorFlag;
}

int iDisplayMode() {
  engine::Engine* e = Installed();
  return e && e->phase().open ? e->backend().DisplayMode() : 0;
}

void iEscEnable(int enable) {
  if (auto* p = PhaseOf()) p->escEnabled = enable != 0;
}

void iExit() {
  if (auto* p = PhaseOf()) p->rendering = false;
}

float iSystemTimer() {
  engine::Engine* e = Installed();
  if (!e) return 0;
  return static_cast<float>(
      static_cast<double>(e->backend().clock().NowNs() - e->phase().openedAtNs) / 1e9);
}

void iScreenWipe(float r, float g, float b) {
  if (engine::Engine* e = Installed()) e->backend().Wipe(r, g, b);
}

// The run-phase rate is fixed at 75 per second (the game's per-frame constants
// assume it); requests for other rates are accepted and ignored.
void iSimulationFrqSet(float /*period*/) {}

void iFrqSet(float /*period*/) {}
