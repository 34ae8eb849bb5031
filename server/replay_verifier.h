// Checks stored recordings by playing them back with zq-sim --verify, in a
// fixed number of worker threads fed from a bounded queue; each check ends
// with the entry marked verified or rejected (with the reason).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "server/child_run.h"
#include "server/store.h"

namespace scores {

struct VerifierOptions {
  std::string program;  // zq-sim
  std::string runtime;  // the runtime directory it plays in
  int workers = 1;
  std::size_t queueLimit = 64;  // recordings waiting, not counting those being checked
  // CPU seconds for each started 5 minutes of recorded play, and the most a
  // check gets; the wall-clock time-out is twice the CPU limit and a slack.
  int cpuSecondsPerFiveMinutes = 5;
  int cpuSecondsCap = 60;
  double wallSlackSeconds = 5;
};

struct Verdict {
  bool verified = false;
  std::string reason;  // why not
};

// What a finished zq-sim --verify run says of a recording stored with `score`.
Verdict JudgeCheck(const ChildResult& run, std::int32_t score);

// The limits of the check of a recording with `frames` play phases (75 a second).
ChildLimits CheckLimits(const VerifierOptions& options, std::uint32_t frames);

class ReplayVerifier {
 public:
  // Queues the pending recordings a previous run left, as many as fit.
  ReplayVerifier(ScoreStore& store, VerifierOptions options);
  // Stops the checks being run; they and the queued ones stay pending for
  // the next start.
  ~ReplayVerifier();
  ReplayVerifier(const ReplayVerifier&) = delete;
  ReplayVerifier& operator=(const ReplayVerifier&) = delete;

  // A place in the queue, held until Queue or Release; false when it is full.
  bool Reserve();
  void Release();
  // Uses a reserved place for the check of entry `id`'s recording.
  void Queue(std::int64_t id, std::int32_t score, std::vector<std::uint8_t> bytes);

  // For the metrics: recordings waiting, and checks ended each way.
  std::size_t Waiting();
  std::uint64_t verified() const { return verified_.load(); }
  std::uint64_t rejected() const { return rejected_.load(); }

 private:
  struct Job {
    std::int64_t id;
    std::int32_t score;
    std::vector<std::uint8_t> bytes;
  };
  void Work();
  // Nothing when the check was stopped.
  std::optional<Verdict> Check(const Job& job) const;

  ScoreStore& store_;
  VerifierOptions options_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> queue_;
  std::size_t reserved_ = 0;
  bool stopping_ = false;
  int stopPipe_[2] = {-1, -1};  // closing the write end stops the running checks
  std::vector<std::thread> workers_;
  std::atomic<std::uint64_t> verified_{0}, rejected_{0};
};

}  // namespace scores
