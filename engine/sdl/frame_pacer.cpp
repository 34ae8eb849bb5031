#include "engine/sdl/frame_pacer.h"

#include <algorithm>

namespace engine {

FramePacer::FramePacer(const platform::Clock& clock, Sleeper sleep)
    : clock_(clock), sleep_(std::move(sleep)) {
  Restart();
}

void FramePacer::Restart() {
  startNs_ = clock_.NowNs();
  taken_ = 0;
  skippedInARow_ = 0;
  frameCredit_ = 1 - framesPerPhase_;
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

void FramePacer::SetDisplayRate(int hertz) {
  const double rate = hertz > 0 ? hertz : 60;
  framesPerPhase_ = std::min(1.0, rate / kPhasesPerSecond);
  frameCredit_ = 1 - framesPerPhase_;  // the first frame is drawn
}

bool FramePacer::ShouldDraw() {
  frameCredit_ = std::min(frameCredit_ + framesPerPhase_, 1.0 + framesPerPhase_);
  // Before the first phase of a run no phase is due yet, so nothing is late.
  const bool late =
      taken_ > 0 && clock_.NowNs() >= Deadline() && skippedInARow_ < kMaxSkippedFrames;
  // A frame the display cannot show in time is not drawn either (the small
  // allowance keeps rounding from dropping a frame a display of 75 Hz shows).
  if (late || frameCredit_ < 1 - 1e-9) {
    ++skippedInARow_;
    return false;
  }
  frameCredit_ -= 1;
  skippedInARow_ = 0;
  return true;
}

}  // namespace engine
