#include "online/conn_thrd.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "screens/links.h"

namespace online {
namespace {

// The calling thread runs only when nothing else wants the processor; where
// the idle class is refused, it gets the weakest nice value instead.
void LowerThisThreadsPriority() {
  sched_param param{};
  param.sched_priority = 0;
  if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &param) != 0) {
    setpriority(PRIO_PROCESS, 0, 19);  // on Linux this names the calling thread
  }
}

}  // namespace

ConnThrd::ConnThrd(const HttpClient& client, std::string server, screens::SubmissionRecord record)
    : client_(client), server_(std::move(server)), record_(std::move(record)) {}

ConnThrd::~ConnThrd() {
  Wait();
}

void ConnThrd::Start() {
  thread_.Start([this] {
    LowerThisThreadsPriority();
    const screens::SubmissionOutcome outcome = Run();
    return cancel_.load() ? screens::SubmissionOutcome::kNone : outcome;
  });
}

void ConnThrd::Wait() {
  thread_.Wait();
}

screens::SubmissionOutcome ConnThrd::Run() {
  const HttpReply version = client_.Get(server_ + std::string(kVersionPath), &cancel_);
  if (!version.ok || !protocol::IsOkReply(version.body))
    return screens::SubmissionOutcome::kConnectFailed;
  if (cancel_.load()) return screens::SubmissionOutcome::kNone;

  const std::string kept = protocol::KeptValue(version.body);
  const std::string record =
      protocol::BuildRecord(record_.name, record_.score, kept, record_.country);
  // The service's answers to the submission and the recording change nothing
  // for the player.
  const HttpReply submitted = client_.Get(
      server_ + std::string(kSubmissionPath) + protocol::EncodeRecord(record), &cancel_);
  if (submitted.ok && !record_.recording.empty() && !cancel_.load()) {
    client_.Post(server_ + std::string(kRecordingPath) + screens::PercentEncode(kept),
                 record_.recording, &cancel_);
  }
  return screens::SubmissionOutcome::kDone;
}

}  // namespace online
