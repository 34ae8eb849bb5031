// ConnThrd: one score submission on a thread of its own at the lowest
// priority. It asks the service for its version reply, which must begin with
// "OK", keeps the value that the submission echoes, sends the encoded record
// (whatever becomes of that request) and records how it ended. When the
// submission was taken and there is a recording of the game, it is posted with
// the same token; its fate changes nothing. It reads nothing of the screens:
// the record is handed over when it is made.
#pragma once

#include <atomic>
#include <string>

#include "online/http_client.h"
#include "online/outcome_thread.h"
#include "screens/submission.h"

namespace online {

// The two requests, relative to the service's root.
inline constexpr std::string_view kVersionPath = "/cgi/version.pl?version&prg=ZorbellineQuester";
inline constexpr std::string_view kSubmissionPath = "/cgi/version.pl?hs&prg=ZorbellineQuester&inf=";
// The recording's request, followed by the token (percent-encoded).
inline constexpr std::string_view kRecordingPath = "/api/replays?p=";

class ConnThrd {
 public:
  ConnThrd(const HttpClient& client, std::string server, screens::SubmissionRecord record);
  // Waits for the thread; cancel first to make that prompt.
  ~ConnThrd();
  ConnThrd(const ConnThrd&) = delete;
  ConnThrd& operator=(const ConnThrd&) = delete;

  // Runs the submission on a new thread of the lowest priority.
  void Start();
  // Ends a request in flight soon and skips the rest; no outcome is recorded.
  void Cancel() { cancel_.store(true); }
  void Wait();

  // kNone while running (or when cancelled), then how it ended, handed out once.
  // An error thrown on the thread is thrown here, on the caller's thread.
  screens::SubmissionOutcome TakeOutcome() { return thread_.Take(); }

  // The whole submission on the calling thread.
  screens::SubmissionOutcome Run();

 private:
  const HttpClient& client_;
  std::string server_;
  screens::SubmissionRecord record_;
  std::atomic<bool> cancel_{false};
  OutcomeThread thread_;  // last: its thread ends before the fields it reads go
};

}  // namespace online
