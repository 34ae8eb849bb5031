#include "engine/sdl/frame_pacer.h"

namespace engine {

FramePacer::FramePacer(const platform::Clock& clock, Sleeper sleep)
    : clock_(clock), sleep_(std::move(sleep)) {
  Restart();
}

void FramePacer::Restart() {
  startNs_ = clock_.NowNs();
  taken_ = 0;
}

std::int64_t FramePacer::Deadline() const {
  return startNs_ + taken_ * 1'000'000'000LL / kPhasesPerSecond;
}

void FramePacer::TakePhase() {
  std::int64_t now = clock_.NowNs();
  const std::int64_t deadline = Deadline();
  if (now - deadline > kMaxLagNs) {
    dropped_ += (now - deadline) * kPhasesPerSecond / 1'000'000'000LL;
    Restart();
  } else if (now < deadline) {
    if (deadline - now > kSpinNs) sleep_(deadline - now - kSpinNs);
    while (clock_.NowNs() < deadline) {
    }
  }
  ++taken_;
}

bool FramePacer::ShouldDraw() {
  if (clock_.NowNs() >= Deadline() && skippedInARow_ < kMaxSkippedFrames) {
    ++skippedInARow_;
    return false;
  }
  skippedInARow_ = 0;
  return true;
}

}  // namespace engine
