// The soak's submission workers: a send to a service is waited for, so its
// answer comes in the first frame after YES however long it took (and a
// service that never answers ends the soak); without a service every send
// fails to connect at once.
#include "tools/sim/soak_submission.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

using screens::SubmissionOutcome;
using namespace std::chrono_literals;

// Ends each send on a thread of its own after `delay` (never when it is 0).
class SlowWorker final : public screens::SubmissionWorker {
 public:
  explicit SlowWorker(std::chrono::milliseconds delay) : delay_(delay) {}
  ~SlowWorker() override {
    if (thread_.joinable()) thread_.join();
  }
  void StartNew(const screens::SubmissionRecord&) override {
    if (delay_.count() == 0) return;
    thread_ = std::thread([this] {
      std::this_thread::sleep_for(delay_);
      outcome_.store(SubmissionOutcome::kDone);
    });
  }
  SubmissionOutcome TakeOutcome() override { return outcome_.exchange(SubmissionOutcome::kNone); }

 private:
  std::chrono::milliseconds delay_;
  std::atomic<SubmissionOutcome> outcome_{SubmissionOutcome::kNone};
  std::thread thread_;
};

TEST(SoakSubmissionTest, SendIsAnsweredInTheNextFrame) {
  sim::WaitingSubmission worker(std::make_unique<SlowWorker>(50ms), "http://127.0.0.1:1");
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);  // nothing sent yet
  worker.StartNew({"NAME", 150, "Country"});
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kDone);
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);
}

TEST(SoakSubmissionTest, ServiceThatNeverAnswersEndsTheSoak) {
  sim::WaitingSubmission worker(std::make_unique<SlowWorker>(0ms), "http://127.0.0.1:1", 30ms);
  worker.StartNew({"NAME", 150, "Country"});
  try {
    worker.TakeOutcome();
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "the score service at http://127.0.0.1:1 did not answer within 30 ms");
  }
}

TEST(SoakSubmissionTest, WithoutAServiceEverySendFailsToConnect) {
  sim::NoServiceSubmission worker;
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);
  for (int send = 0; send < 2; ++send) {
    worker.StartNew({"NAME", 150, "Country"});
    EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kConnectFailed);
    EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);
  }
}

}  // namespace
