// Run phases at a fixed rate from a steady clock: the deadline of phase n is
// start + n / rate, so rounding never accumulates and a late phase is caught up
// by the next ones. Waiting sleeps until just before the deadline and spins the
// rest, so the game neither drifts nor keeps a core busy. After a stall longer
// than a few phases (a dragged window, a suspended process) the missed phases
// are dropped instead of being run in a burst. While drawing cannot keep up,
// frames are skipped (at most kMaxSkippedFrames in a row) so that the game
// still runs at its rate. No more frames are drawn than the display shows: on
// a 60 Hz display four phases in five are drawn.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace engine {

class FramePacer {
 public:
  using Sleeper = std::function<void(std::int64_t nanoseconds)>;

  static constexpr int kPhasesPerSecond = platform::kRunPhasesPerSecond;
  // Sleeping stops this long before a deadline; the rest is spun.
  static constexpr std::int64_t kSpinNs = 300'000;
  // A phase later than this is a stall: the schedule restarts from now.
  static constexpr std::int64_t kMaxLagNs = 15 * 1'000'000'000LL / kPhasesPerSecond;
  static constexpr int kMaxSkippedFrames = 4;

  FramePacer(const platform::Clock& clock, Sleeper sleep);

  // The first phase is due at once and its frame is drawn.
  void Restart();
  // The display's refresh rate; 0 when unknown, taken as 60 Hz.
  void SetDisplayRate(int hertz);
  // Waits for the next phase's deadline and takes the phase.
  void TakePhase();
  // After a phase: whether to draw its frame. False while the next phase is
  // already due (unless the previous kMaxSkippedFrames frames were skipped),
  // and for the phases a slower display would not show.
  bool ShouldDraw();
  // How many phases the schedule has dropped after stalls.
  std::int64_t dropped() const { return dropped_; }

 private:
  std::int64_t Deadline() const;

  const platform::Clock& clock_;
  Sleeper sleep_;
  std::int64_t startNs_ = 0;
  std::int64_t taken_ = 0;
  std::int64_t dropped_ = 0;
  int skippedInARow_ = 0;
  double framesPerPhase_ = 0.8;  // display rate / phase rate, at most 1
  double frameCredit_ = 0.2;
};

}  // namespace engine
