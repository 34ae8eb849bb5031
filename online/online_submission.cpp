#include "online/online_submission.h"

#include "screens/publisher.h"

namespace online {

OnlineSubmission::OnlineSubmission(std::string server, HttpOptions options)
    : server_(std::move(server)), client_(options) {}

OnlineSubmission::OnlineSubmission() : OnlineSubmission(screens::ScoreServer()) {}

OnlineSubmission::~OnlineSubmission() {
  if (worker_) worker_->Cancel();
  worker_.reset();
}

// The previous worker is waited for (not cancelled) before the new one starts,
// so two submissions never overlap.
void OnlineSubmission::StartNew(const screens::SubmissionRecord& record) {
  worker_.reset();
  worker_ = std::make_unique<ConnThrd>(client_, server_, record);
  worker_->Start();
}

screens::SubmissionOutcome OnlineSubmission::TakeOutcome() {
  return worker_ ? worker_->TakeOutcome() : screens::SubmissionOutcome::kNone;
}

}  // namespace online
