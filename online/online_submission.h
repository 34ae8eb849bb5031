// The game's submission worker: one ConnThrd at a time, sending to the world
// high-score service (ScoreServer(), so ZQ_SCORE_SERVER can name our own).
#pragma once

#include <memory>
#include <string>

#include "online/conn_thrd.h"
#include "online/http_client.h"
#include "screens/submission.h"

namespace online {

class OnlineSubmission final : public screens::SubmissionWorker {
 public:
  explicit OnlineSubmission(std::string server, HttpOptions options = {});
  OnlineSubmission();
  // Cancels a worker still running and waits for it: closing the game ends a
  // submission in flight within moments.
  ~OnlineSubmission() override;

  void StartNew(const screens::SubmissionRecord& record) override;
  screens::SubmissionOutcome TakeOutcome() override;

  const std::string& server() const { return server_; }

 private:
  std::string server_;
  HttpClient client_;
  std::unique_ptr<ConnThrd> worker_;
};

}  // namespace online
