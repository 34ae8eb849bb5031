// The submission worker against real HTTP servers on 127.0.0.1: what each kind
// of version reply leads to, what is sent, failures, time-outs and cancelling.
#include "online/conn_thrd.h"

#include <gtest/gtest.h>

#include <chrono>

#include "protocol/score_record.h"
#include "tests/online/local_servers.h"

namespace {

using online::ConnThrd;
using online::HttpClient;
using online::HttpOptions;
using screens::SubmissionOutcome;
using testing_support::LoopbackSocket;
using testing_support::ScriptedHttpServer;

const screens::SubmissionRecord kRecord{"Zed", 4321, "Mars"};

HttpOptions ShortTimeouts() {
  HttpOptions options;
  options.connectTimeout = std::chrono::milliseconds(500);
  options.requestTimeout = std::chrono::milliseconds(500);
  return options;
}

// The version reply a scripted server gives. Built out of line: GCC 12 at -O3
// otherwise reports the strings of a braced table's exception clean-up as
// possibly uninitialised.
[[gnu::noinline]] ScriptedHttpServer::Script Reply(int status, std::string body,
                                                   int submissionStatus = 200,
                                                   int recordingStatus = 202) {
  return {status, std::move(body), submissionStatus, recordingStatus};
}

TEST(ConnThrd, VersionReplyDecidesWhatHappens) {
  const std::string huge = "OK|1|2|3|tok|" + std::string(65 * 1024, 'x');
  const std::string binaryOk("OK|\0\xff|\x01|\n|t\0k|\xfe", 15);
  const struct {
    const char* what;
    ScriptedHttpServer::Script script;
    SubmissionOutcome outcome;
    bool submitted;
    std::string kept;
  } kCases[] = {
      {"success", Reply(200, "OK|1|2|3|tok|rest"), SubmissionOutcome::kDone, true, "tok"},
      {"just OK", Reply(200, "OK"), SubmissionOutcome::kDone, true, ""},
      {"too few bars", Reply(200, "OK|1|2|3|4"), SubmissionOutcome::kDone, true, ""},
      {"lower-case ok", Reply(200, "ok|1|2|3|tok|"), SubmissionOutcome::kConnectFailed, false, ""},
      {"not OK", Reply(200, "ERROR"), SubmissionOutcome::kConnectFailed, false, ""},
      {"empty", Reply(200, ""), SubmissionOutcome::kConnectFailed, false, ""},
      {"HTTP 500", Reply(500, "OK|1|2|3|tok|"), SubmissionOutcome::kConnectFailed, false, ""},
      {"HTTP 404", Reply(404, "OK|1|2|3|tok|"), SubmissionOutcome::kConnectFailed, false, ""},
      {"huge", Reply(200, huge), SubmissionOutcome::kConnectFailed, false, ""},
      {"binary", Reply(200, std::string("\0\x89PNG\r\n\x1a\n", 9)),
       SubmissionOutcome::kConnectFailed, false, ""},
      {"binary after OK", Reply(200, binaryOk), SubmissionOutcome::kDone, true,
       std::string("t\0k", 3)},
      {"failed submission", Reply(200, "OK|1|2|3|tok|", 500), SubmissionOutcome::kDone, true,
       "tok"},
  };
  HttpClient client;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    ScriptedHttpServer server(c.script);
    ConnThrd worker(client, server.url(), kRecord);
    EXPECT_EQ(worker.Run(), c.outcome);
    EXPECT_EQ(server.versionRequests(), 1);
    const auto sent = server.submissions();
    ASSERT_EQ(sent.size(), c.submitted ? 1u : 0u);
    if (c.submitted) {
      EXPECT_EQ(sent[0],
                protocol::EncodeRecord(protocol::BuildRecord("Zed", 4321, c.kept, "Mars")));
    }
  }
}

// The recording follows a submission the service took, with its token; what
// becomes of it changes nothing.
TEST(ConnThrd, RecordingIsPostedAfterATakenSubmission) {
  const std::vector<std::uint8_t> bytes = {'Z', 'Q', 'R', 'P', 0, 1, 0xff, '&', '\n'};
  const screens::SubmissionRecord withRecording{"Zed", 4321, "Mars", bytes};
  const struct {
    const char* what;
    ScriptedHttpServer::Script script;
    screens::SubmissionRecord record;
    bool posted;
    std::string token;
  } kCases[] = {
      {"taken", Reply(200, "OK|1|2|3|tok|"), withRecording, true, "tok"},
      {"token to encode", Reply(200, "OK|1|2|3|a&b=c d|"), withRecording, true, "a&b=c d"},
      {"refused recording", Reply(200, "OK|1|2|3|tok|", 200, 400), withRecording, true, "tok"},
      {"recording fails", Reply(200, "OK|1|2|3|tok|", 200, 500), withRecording, true, "tok"},
      {"submission refused", Reply(200, "OK|1|2|3|tok|", 400), withRecording, false, ""},
      {"no recording", Reply(200, "OK|1|2|3|tok|"), kRecord, false, ""},
  };
  HttpClient client;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    ScriptedHttpServer server(c.script);
    ConnThrd worker(client, server.url(), c.record);
    EXPECT_EQ(worker.Run(), SubmissionOutcome::kDone);
    EXPECT_EQ(server.submissions().size(), 1u);
    const auto posted = server.recordings();
    ASSERT_EQ(posted.size(), c.posted ? 1u : 0u);
    if (c.posted) {
      EXPECT_EQ(posted[0].token, c.token);
      EXPECT_EQ(posted[0].body, std::string(bytes.begin(), bytes.end()));
      EXPECT_EQ(posted[0].type, "application/octet-stream");
    }
  }
}

TEST(ConnThrd, ConnectionRefusedAsksToRetry) {
  HttpClient client(ShortTimeouts());
  const std::string url = LoopbackSocket(false).url();  // closed again: nobody listens
  ConnThrd worker(client, url, kRecord);
  EXPECT_EQ(worker.Run(), SubmissionOutcome::kConnectFailed);
}

TEST(ConnThrd, ServerThatNeverAnswersTimesOut) {
  HttpClient client(ShortTimeouts());
  LoopbackSocket silent(true);  // the kernel accepts, nobody answers
  ConnThrd worker(client, silent.url(), kRecord);
  EXPECT_EQ(worker.Run(), SubmissionOutcome::kConnectFailed);
}

TEST(ConnThrd, OnItsThreadTheOutcomeIsHandedOutOnce) {
  HttpClient client;
  ScriptedHttpServer server({});
  ConnThrd worker(client, server.url(), kRecord);
  worker.Start();
  worker.Wait();
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kDone);
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);
  EXPECT_EQ(server.submissions().size(), 1u);
}

// Closing the game while a request hangs: cancelling ends the worker long
// before its 10-second time-out, and it reports nothing.
TEST(ConnThrd, CancelEndsAHangingRequest) {
  HttpClient client;  // the game's own time-outs
  LoopbackSocket silent(true);
  ConnThrd worker(client, silent.url(), kRecord);
  const auto start = std::chrono::steady_clock::now();
  worker.Start();
  ASSERT_TRUE(silent.ClientWaiting(std::chrono::seconds(5))) << "the request never started";
  worker.Cancel();
  worker.Wait();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(worker.TakeOutcome(), SubmissionOutcome::kNone);
}

TEST(HttpClient, BodyAtTheCapPassesOneByteMoreFails) {
  HttpClient client;
  for (const std::size_t size : {std::size_t{64 * 1024}, std::size_t{64 * 1024 + 1}}) {
    ScriptedHttpServer server({200, "OK" + std::string(size - 2, '.')});
    const auto reply = client.Get(server.url() + "/cgi/version.pl?version");
    EXPECT_EQ(reply.ok, size <= 64 * 1024) << size;
  }
}

}  // namespace
