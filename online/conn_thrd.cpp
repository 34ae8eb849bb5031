#include "online/conn_thrd.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"

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

  const std::string record = protocol::BuildRecord(
      record_.name, record_.score, protocol::KeptValue(version.body), record_.country);
  // The service's answer to the submission changes nothing for the player.
  client_.Get(server_ + std::string(kSubmissionPath) + protocol::EncodeRecord(record), &cancel_);
  return screens::SubmissionOutcome::kDone;
}

}  // namespace online
