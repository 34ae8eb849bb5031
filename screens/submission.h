// The score submission as the dialogs and the frame loop see it: YES on the
// send or retry question replaces any previous worker by a new one and starts
// it, once ScreenState is ssSending. The worker never touches screen objects:
// how it ended is taken by the frame loop at the start of a frame, which then
// shows the retry question or returns to the main menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace screens {

// What is sent: the name and country typed on the name entry, the game's score,
// and the game's encoded recording (sent after the score; empty: none).
struct SubmissionRecord {
  std::string name;
  std::int32_t score = 0;
  std::string country;
  std::vector<std::uint8_t> recording = {};
};

enum class SubmissionOutcome : std::uint8_t {
  kNone,           // nothing new (still running, or nothing started)
  kConnectFailed,  // the version request failed: ask whether to retry
  kDone,           // finished, whatever became of the submission itself
};

class SubmissionWorker {
 public:
  virtual ~SubmissionWorker() = default;
  // Frees the previous worker, if any (waiting for one still running), and
  // starts a new one sending `record`.
  virtual void StartNew(const SubmissionRecord& record) = 0;
  // How the last worker ended, handed out once; kNone until then.
  virtual SubmissionOutcome TakeOutcome() = 0;
};

// A worker that sends nothing: it remembers what it was asked to send and ends
// only when told to (tests, and the simulator without a score server).
class NoSubmissionWorker final : public SubmissionWorker {
 public:
  void StartNew(const SubmissionRecord& record) override {
    ++started_;
    record_ = record;
  }
  SubmissionOutcome TakeOutcome() override {
    const SubmissionOutcome outcome = outcome_;
    outcome_ = SubmissionOutcome::kNone;
    return outcome;
  }
  // The running "worker" ends with `outcome`; the next frame takes it.
  void End(SubmissionOutcome outcome) { outcome_ = outcome; }

  int started() const { return started_; }
  const SubmissionRecord& record() const { return record_; }

 private:
  int started_ = 0;
  SubmissionRecord record_;
  SubmissionOutcome outcome_ = SubmissionOutcome::kNone;
};

}  // namespace screens
