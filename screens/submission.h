// The score submission as the dialogs see it: YES on the send or retry question
// replaces any previous worker by a new one at the lowest priority and starts
// it, once ScreenState is ssSending. The worker itself ends the waiting state.
#pragma once

namespace screens {

class SubmissionWorker {
 public:
  virtual ~SubmissionWorker() = default;
  // Frees the previous worker, if any, and starts a new one.
  virtual void StartNew() = 0;
};

// Until the online worker exists: starts nothing, so ssSending stays up.
class NoSubmissionWorker final : public SubmissionWorker {
 public:
  void StartNew() override { ++started_; }
  int started() const { return started_; }

 private:
  int started_ = 0;
};

}  // namespace screens
