// A piece of work on a thread of its own whose result is handed out once. An
// error thrown by the work is kept and thrown again on the thread that asks for
// the result, so that the program's own boundary reports it instead of the
// process ending in std::terminate.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "screens/submission.h"

namespace online {

class OutcomeThread {
 public:
  using Work = std::function<screens::SubmissionOutcome()>;

  OutcomeThread() = default;
  ~OutcomeThread() { Wait(); }
  OutcomeThread(const OutcomeThread&) = delete;
  OutcomeThread& operator=(const OutcomeThread&) = delete;

  void Start(Work work);
  void Wait();

  // kNone while the work runs, then its result, handed out once. What the work
  // threw is thrown here instead, once.
  screens::SubmissionOutcome Take();

 private:
  std::atomic<screens::SubmissionOutcome> outcome_{screens::SubmissionOutcome::kNone};
  std::exception_ptr error_;  // written by the thread before failed_ is set
  std::atomic<bool> failed_{false};
  std::thread thread_;
};

}  // namespace online
