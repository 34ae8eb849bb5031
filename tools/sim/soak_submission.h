// The score submission in a soak. Sent to a service (ZQ_SCORE_SERVER, our own
// on the loopback), each result is waited for before the next frame, so that
// its answer comes in the frame after YES whatever the time it took: the run
// stays the same for the same seed. Without a service every send fails to
// connect at once, as it would for a player with no network.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "screens/submission.h"

namespace sim {

class WaitingSubmission final : public screens::SubmissionWorker {
 public:
  // Throws std::runtime_error from TakeOutcome when a send has not ended
  // within `patience`.
  WaitingSubmission(std::unique_ptr<screens::SubmissionWorker> worker, std::string server,
                    std::chrono::milliseconds patience = std::chrono::seconds(60));

  void StartNew(const screens::SubmissionRecord& record) override;
  screens::SubmissionOutcome TakeOutcome() override;

 private:
  std::unique_ptr<screens::SubmissionWorker> worker_;
  std::string server_;
  std::chrono::milliseconds patience_;
  bool running_ = false;
};

class NoServiceSubmission final : public screens::SubmissionWorker {
 public:
  void StartNew(const screens::SubmissionRecord&) override { failed_ = true; }
  screens::SubmissionOutcome TakeOutcome() override;

 private:
  bool failed_ = false;
};

// The worker for a soak: to ZQ_SCORE_SERVER when it is set, else none.
std::unique_ptr<screens::SubmissionWorker> MakeSoakSubmission();

}  // namespace sim
