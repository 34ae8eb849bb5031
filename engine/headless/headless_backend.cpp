#include "engine/headless/headless_backend.h"

#include <SDL.h>

#include <filesystem>

namespace engine {
namespace {

// Length of a WAV file in nanoseconds, or -1 when SDL cannot read it.
std::int64_t WavDurationNs(const std::string& path) {
  SDL_AudioSpec wav;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.c_str(), &wav, &buffer, &length)) return -1;
  SDL_FreeWAV(buffer);
  const std::int64_t bytesPerSecond =
      static_cast<std::int64_t>(wav.freq) * wav.channels * (SDL_AUDIO_BITSIZE(wav.format) / 8);
  if (bytesPerSecond <= 0) return -1;
  return static_cast<std::int64_t>(length) * 1'000'000'000 / bytesPerSecond;
}

}  // namespace

HeadlessBackend::HeadlessBackend() = default;
HeadlessBackend::~HeadlessBackend() = default;

bool HeadlessBackend::Open(WindowHandle window, bool fullScreen) {
  if (!window) return false;
  open_ = true;
  fullScreen_ = fullScreen;
  return true;
}

void HeadlessBackend::Close() {
  open_ = false;
  sounds_.clear();
}

bool HeadlessBackend::TakeRunPhase() {
  clock_.AdvancePhase();
  return true;
}

void HeadlessBackend::ReadInput(InputSnapshot& input) {
  input_.TakeSnapshot(input);
}

void HeadlessBackend::ResetMouse(float x, float y) {
  input_.MoveMouse(x, y);
}

void HeadlessBackend::Present(const World&) {
  ++presentCount_;
}

void HeadlessBackend::PresentNow(const World&) {
  ++explicitPresentCount_;
}

void HeadlessBackend::Wipe(float, float, float) {}

int HeadlessBackend::LoadSound(const std::string& path) {
  const std::int64_t duration = WavDurationNs(path);
  if (duration < 0) return 0;
  const int id = nextSoundId_++;
  sounds_[id] = {path, duration, -1};
  return id;
}

void HeadlessBackend::PlaySound(int id, bool restart) {
  auto it = sounds_.find(id);
  if (it == sounds_.end()) return;
  if (!restart && SoundPlaying(id)) return;
  it->second.startedNs = clock_.NowNs();
  startedSounds_.push_back(std::filesystem::path(it->second.path).filename().string());
}

bool HeadlessBackend::SoundPlaying(int id) const {
  auto it = sounds_.find(id);
  if (it == sounds_.end() || it->second.startedNs < 0) return false;
  return clock_.NowNs() < it->second.startedNs + it->second.durationNs;
}

void HeadlessBackend::FreeSound(int id) {
  sounds_.erase(id);
}

void HeadlessBackend::KeyDown(int code) {
  if (code < 0 || code >= 256) return;
  std::bitset<256> held = input_.held();
  held[code] = true;
  input_.SetHeld(held);
}

void HeadlessBackend::KeyUp(int code) {
  if (code < 0 || code >= 256) return;
  std::bitset<256> held = input_.held();
  held[code] = false;
  input_.SetHeld(held);
}

void HeadlessBackend::KeyTap(int code) {
  KeyDown(code);
  KeyUp(code);
}

void HeadlessBackend::MouseMove(float fractionX, float fractionY) {
  input_.MoveMouse(fractionX, fractionY);
}

void HeadlessBackend::MouseClick(int button) {
  input_.PressButton(button);
}

std::vector<std::string> HeadlessBackend::TakeStartedSounds() {
  std::vector<std::string> out;
  out.swap(startedSounds_);
  return out;
}

Image HeadlessBackend::RenderFrame(const World& world) {
  if (!offscreen_) offscreen_ = std::make_unique<OffscreenRenderer>();
  return offscreen_->Render(world);
}

}  // namespace engine
