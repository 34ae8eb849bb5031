#include "tools/sim/soak_submission.h"

#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "online/online_submission.h"
#include "screens/publisher.h"

namespace sim {

WaitingSubmission::WaitingSubmission(std::unique_ptr<screens::SubmissionWorker> worker,
                                     std::string server, std::chrono::milliseconds patience)
    : worker_(std::move(worker)), server_(std::move(server)), patience_(patience) {}

void WaitingSubmission::StartNew(const screens::SubmissionRecord& record) {
  worker_->StartNew(record);
  running_ = true;
}

screens::SubmissionOutcome WaitingSubmission::TakeOutcome() {
  if (!running_) return worker_->TakeOutcome();
  const auto deadline = std::chrono::steady_clock::now() + patience_;
  for (;;) {
    const screens::SubmissionOutcome outcome = worker_->TakeOutcome();
    if (outcome != screens::SubmissionOutcome::kNone) {
      running_ = false;
      return outcome;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      throw std::runtime_error("the score service at " + server_ + " did not answer within " +
                               std::to_string(patience_.count()) + " ms");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

screens::SubmissionOutcome NoServiceSubmission::TakeOutcome() {
  if (!failed_) return screens::SubmissionOutcome::kNone;
  failed_ = false;
  return screens::SubmissionOutcome::kConnectFailed;
}

std::unique_ptr<screens::SubmissionWorker> MakeSoakSubmission() {
  const char* server = std::getenv("ZQ_SCORE_SERVER");
  if (!server || !*server) return std::make_unique<NoServiceSubmission>();
  const std::string root = screens::ScoreServer();
  return std::make_unique<WaitingSubmission>(std::make_unique<online::OnlineSubmission>(root),
                                             root);
}

}  // namespace sim
