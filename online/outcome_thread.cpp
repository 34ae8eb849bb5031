#include "online/outcome_thread.h"

#include <utility>

namespace online {

void OutcomeThread::Start(Work work) {
  thread_ = std::thread([this, work = std::move(work)] {
    try {
      outcome_.store(work());
    } catch (...) {
      error_ = std::current_exception();
      failed_.store(true);
    }
  });
}

void OutcomeThread::Wait() {
  if (thread_.joinable()) thread_.join();
}

screens::SubmissionOutcome OutcomeThread::Take() {
  if (failed_.exchange(false)) std::rethrow_exception(std::exchange(error_, nullptr));
  return outcome_.exchange(screens::SubmissionOutcome::kNone);
}

}  // namespace online
