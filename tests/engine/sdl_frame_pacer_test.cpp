#include <gtest/gtest.h>

#include "engine/sdl/frame_pacer.h"

namespace {

using engine::FramePacer;

constexpr std::int64_t kMs = 1'000'000;

// A clock that moves only when the pacer sleeps (with the scheduler's usual
// overshoot), when the test says work was done, and a little at every reading
// (so spinning ends).
class FakeClock final : public platform::Clock {
 public:
  std::int64_t NowNs() const override { return now_ += 1'000; }
  void Advance(std::int64_t ns) { now_ += ns; }

 private:
  mutable std::int64_t now_ = 0;
};

struct PacerFixture {
  FakeClock clock;
  std::int64_t slept = 0;
  int sleeps = 0;
  FramePacer pacer{clock, [this](std::int64_t ns) {
                     slept += ns;
                     ++sleeps;
                     clock.Advance(ns + 60'000);
                   }};
  std::int64_t Deadline(std::int64_t phase, std::int64_t start) const {
    return start + phase * 1'000'000'000 / FramePacer::kPhasesPerSecond;
  }
};

TEST(FramePacer, PhasesKeepAbsoluteDeadlinesWhateverTheWorkBetweenThem) {
  PacerFixture f;
  f.pacer.Restart();
  const std::int64_t start = f.clock.NowNs();
  for (std::int64_t phase = 0; phase < 750; ++phase) {
    f.pacer.TakePhase();
    const std::int64_t taken = f.clock.NowNs();
    ASSERT_GE(taken, f.Deadline(phase, start)) << phase;
    ASSERT_LT(taken, f.Deadline(phase, start) + kMs / 10) << phase;  // no drift
    f.clock.Advance((phase % 10) * kMs);                             // 0..9 ms of work
  }
  EXPECT_EQ(f.pacer.dropped(), 0);
  // Waiting is sleeping, with only the last fraction of a millisecond spun.
  EXPECT_GT(f.slept, 9 * 1000 * kMs - 750 * 5 * kMs);
}

TEST(FramePacer, FramesBeforeTheFirstPhaseAreDrawnAtStartAndAfterARestart) {
  PacerFixture f;
  f.pacer.SetDisplayRate(75);
  EXPECT_TRUE(f.pacer.ShouldDraw()) << "nothing is late before the first phase";
  // Drawing falls behind until frames are skipped, then the run restarts.
  f.pacer.TakePhase();
  f.clock.Advance(40 * kMs);
  EXPECT_FALSE(f.pacer.ShouldDraw());
  EXPECT_FALSE(f.pacer.ShouldDraw());
  f.pacer.Restart();
  f.clock.Advance(5 * kMs);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(f.pacer.ShouldDraw()) << i;
}

TEST(FramePacer, LateDrawingIsCaughtUpBySkippingFrames) {
  PacerFixture f;
  f.pacer.SetDisplayRate(75);
  f.pacer.TakePhase();
  EXPECT_TRUE(f.pacer.ShouldDraw());
  f.clock.Advance(50 * kMs);  // a slow frame: the next three phases are overdue
  int drawn = 0, skippedInARow = 0, longestSkip = 0;
  const int sleepsBefore = f.sleeps;
  for (int i = 0; i < 4; ++i) {
    f.pacer.TakePhase();
    if (f.pacer.ShouldDraw()) {
      ++drawn;
      skippedInARow = 0;
    } else {
      longestSkip = std::max(longestSkip, ++skippedInARow);
    }
  }
  EXPECT_EQ(f.sleeps, sleepsBefore + 1) << "three overdue phases run at once, the fourth waits";
  EXPECT_EQ(drawn, 2);
  EXPECT_LE(longestSkip, FramePacer::kMaxSkippedFrames);
  EXPECT_EQ(f.pacer.dropped(), 0);
}

TEST(FramePacer, DrawingNeverStopsForMoreThanTheSkipLimit) {
  PacerFixture f;
  f.pacer.SetDisplayRate(75);
  int skippedInARow = 0;
  for (int i = 0; i < 100; ++i) {
    f.pacer.TakePhase();
    f.clock.Advance(12 * kMs);  // just below one phase of work, then a slow draw
    if (f.pacer.ShouldDraw()) {
      skippedInARow = 0;
      f.clock.Advance(6 * kMs);
    } else {
      ASSERT_LT(++skippedInARow, FramePacer::kMaxSkippedFrames + 1);
    }
  }
}

TEST(FramePacer, NoMoreFramesAreDrawnThanTheDisplayShows) {
  struct Case {
    int hertz;
    int drawnPerSecond;
  };
  for (const Case c : {Case{60, 60}, Case{0, 60}, Case{75, 75}, Case{144, 75}, Case{30, 30}}) {
    SCOPED_TRACE(c.hertz);
    PacerFixture f;
    f.pacer.SetDisplayRate(c.hertz);
    int drawn = 0, inARow = 0, longestSkip = 0;
    for (int phase = 0; phase < 75; ++phase) {
      f.pacer.TakePhase();
      if (f.pacer.ShouldDraw()) {
        ++drawn;
        inARow = 0;
      } else {
        longestSkip = std::max(longestSkip, ++inARow);
      }
    }
    EXPECT_EQ(drawn, c.drawnPerSecond);
    EXPECT_LE(longestSkip, c.hertz == 30 ? 2 : 1) << "skipped frames are spread out";
  }
}

TEST(FramePacer, AfterAStallMissedPhasesAreDroppedNotRunInABurst) {
  PacerFixture f;
  for (int i = 0; i < 10; ++i) f.pacer.TakePhase();
  f.clock.Advance(1000 * kMs);
  const int sleepsBefore = f.sleeps;
  f.pacer.TakePhase();
  EXPECT_EQ(f.sleeps, sleepsBefore) << "the first phase after the stall runs at once";
  const std::int64_t resumed = f.clock.NowNs();
  f.pacer.TakePhase();
  EXPECT_GE(f.clock.NowNs() - resumed, 1'000'000'000 / FramePacer::kPhasesPerSecond - kMs / 10);
  EXPECT_NEAR(static_cast<double>(f.pacer.dropped()), 75, 2);  // a second of phases
}

}  // namespace
