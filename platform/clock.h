// The one time source of a program run: the engine's run phases, iSystemTimer and
// the platform tick count all read it. Real runs use a steady clock; headless runs
// use a virtual clock that advances exactly one run phase at a time.
#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Nanoseconds since the clock was made; never goes backwards.
  virtual std::int64_t NowNs() const = 0;
};

class SteadyClock final : public Clock {
 public:
  SteadyClock() : start_(std::chrono::steady_clock::now()) {}
  std::int64_t NowNs() const override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start_)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// The engine runs the game at this many run phases a second; every per-frame
// constant of the game assumes it.
inline constexpr int kRunPhasesPerSecond = 75;

// Advances in whole run phases of 1/75 s, computed from the phase count so that
// no rounding error accumulates (phase 75 is exactly one second).
class VirtualClock final : public Clock {
 public:
  static constexpr std::int64_t kPhasesPerSecond = kRunPhasesPerSecond;
  std::int64_t NowNs() const override { return phases_ * 1'000'000'000 / kPhasesPerSecond; }
  void AdvancePhase() { ++phases_; }
  std::int64_t Phases() const { return phases_; }

 private:
  std::int64_t phases_ = 0;
};

}  // namespace platform
