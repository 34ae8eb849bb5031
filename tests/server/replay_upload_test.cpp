// Recorded games sent after a submission: the service keeps one per entry
// only when it is the entry's game, answers at once, and a bounded pool of
// zq-sim runs (or small scripts standing in for it) marks each entry verified
// or rejected with the reason.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "protocol/replay.h"
#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "server/child_run.h"
#include "server/pages.h"
#include "server/replay_verifier.h"
#include "server/service.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kZqSim = ZQ_BINARY_DIR "/tools/sim/zq-sim";

// The golden recording of level play: score 50, level 1, no name.
protocol::Replay LevelPlay() {
  return protocol::DecodeReplay(testing_support::FileBytes(
      fs::path(ZQ_SOURCE_DIR) / "tests/golden/recordings/level_play.zqr"));
}

// A stand-in for zq-sim: a shell script with this body.
std::string Script(const fs::path& dir, const std::string& name, const std::string& body) {
  const fs::path file = dir / name;
  std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
  chmod(file.c_str(), 0755);
  return file.string();
}

std::string Verdict(bool verified, int score, const char* departs = "null") {
  return std::string("echo '{\"verified\": ") + (verified ? "true" : "false") +
         ", \"score\": " + std::to_string(score) + ", \"level\": 1, \"phases\": 860," +
         " \"firstDifferentPhase\": " + departs +
         ", \"recordedScore\": 50, \"recordedLevel\": 1, \"recordedPhases\": 860}'";
}

// A copy of the generated runtime tree without the saved settings and tables.
std::optional<fs::path> RuntimeCopy(const fs::path& to) {
  const char* env = std::getenv("ZQ_RUNTIME_DIR");
  const fs::path tree = env && *env ? fs::path(env) : fs::path(ZQ_BINARY_DIR) / "runtime";
  if (!fs::exists(tree / "data") || !fs::exists(kZqSim)) return std::nullopt;
  fs::create_directories(to);
  for (const char* folder : {"data", "sound"}) {
    if (fs::exists(tree / folder))
      fs::copy(tree / folder, to / folder, fs::copy_options::recursive);
  }
  for (const char* saved : {"settings.dat", "records.dat", "boss.dat"}) {
    fs::remove(to / "data" / saved);
  }
  return to;
}

class ReplayUploadTest : public ::testing::Test {
 protected:
  ~ReplayUploadTest() override { Stop(); }

  // The service with a pool that runs `program`; none: recordings are off.
  void Start(const std::string& program, int workers = 1, std::size_t queue = 64,
             std::function<void(scores::VerifierOptions&)> tune = {}) {
    if (!program.empty()) {
      scores::VerifierOptions options;
      options.program = program;
      options.runtime = runtime_.string();
      options.workers = workers;
      options.queueLimit = queue;
      if (tune) tune(options);
      verifier_ = std::make_unique<scores::ReplayVerifier>(*store_, options);
    }
    scores::ServiceOptions options;
    options.versionRequestsPerMinute = 0;
    options.verifier = verifier_.get();
    service_ = std::make_unique<scores::ScoreService>(*store_, options);
    server_ = std::make_unique<scores::HttpServer>();
    service_->Mount(*server_);
    const int port = server_->Start("127.0.0.1", 0);
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port);
    client_->set_read_timeout(20, 0);
  }

  void Stop() {
    if (server_) server_->Stop();
    verifier_.reset();
  }

  // A stored entry: its token.
  std::string Submit(const std::string& name, int score) {
    const auto version = client_->Get("/cgi/version.pl?version&prg=ZorbellineQuester");
    EXPECT_TRUE(version && version->status == 200);
    const std::string token = protocol::KeptValue(version->body);
    const auto sent =
        client_->Get("/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" +
                     protocol::EncodeRecord(protocol::BuildRecord(name, score, token, "Mars")));
    EXPECT_TRUE(sent && sent->status == 200);
    return token;
  }

  httplib::Result Post(const std::string& token, const Bytes& bytes) {
    return client_->Post("/api/replays?p=" + token, std::string(bytes.begin(), bytes.end()),
                         "application/octet-stream");
  }

  // The table's one entry once its mark is no longer `from` (bounded wait).
  scores::TopEntry Settled(scores::ReplayMark from = scores::ReplayMark::Pending) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (;;) {
      const auto top = store_->Top(100);
      EXPECT_EQ(top.size(), 1u);
      if (top.empty() || top[0].mark != from || std::chrono::steady_clock::now() > deadline) {
        return top.empty() ? scores::TopEntry{} : top[0];
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  testing_support::TempDir dir_;
  fs::path runtime_ = dir_.path() / "runtime";
  std::unique_ptr<scores::ScoreStore> store_ =
      scores::OpenStore((dir_.path() / "scores.db").string());
  std::unique_ptr<scores::ReplayVerifier> verifier_;
  std::unique_ptr<scores::ScoreService> service_;
  std::unique_ptr<scores::HttpServer> server_;
  std::unique_ptr<httplib::Client> client_;
};

TEST_F(ReplayUploadTest, GoodRecordingIsVerifiedListedAndDownloadable) {
  if (!RuntimeCopy(runtime_)) GTEST_SKIP() << "no runtime tree or zq-sim";
  Start(kZqSim);
  const std::string token = Submit("", 50);
  const Bytes bytes = protocol::EncodeReplay(LevelPlay());
  const auto posted = Post(token, bytes);
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 202) << posted->body;

  const scores::TopEntry entry = Settled();
  EXPECT_EQ(entry.mark, scores::ReplayMark::Verified) << entry.reason;
  EXPECT_EQ(client_->Get("/api/top?verified=1")->body,
            "[{\"rank\":1,\"name\":\"\",\"country\":\"Mars\",\"score\":50,\"date\":\"" +
                scores::FormatDate(entry.time) + "\",\"mark\":\"verified\",\"replay\":\"" +
                "/api/replays/" + std::to_string(entry.id) + "\"}]\n");
  const auto file = client_->Get("/api/replays/" + std::to_string(entry.id));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->status, 200);
  EXPECT_EQ(file->get_header_value("Content-Type"), "application/octet-stream");
  EXPECT_EQ(file->get_header_value("Content-Disposition").rfind("attachment", 0), 0u);
  EXPECT_EQ(Bytes(file->body.begin(), file->body.end()), bytes);
  const auto page = client_->Get("/cgi/version.pl?prg=ZorbellineQuester&show&type=0");
  EXPECT_NE(page->body.find("href=\"/api/replays/" + std::to_string(entry.id) + "\""),
            std::string::npos);
}

// Whatever the check finds, the entry ends rejected with a reason that says it.
TEST_F(ReplayUploadTest, ChecksThatFailRejectWithTheReason) {
  const bool haveSim = RuntimeCopy(runtime_).has_value();
  protocol::Replay changedSteps = LevelPlay();
  for (std::size_t i = 1; i < changedSteps.steps.size(); i += 3) changedSteps.steps[i].keys ^= 1;
  const struct {
    const char* name;
    std::string program;
    protocol::Replay replay;
    std::string reason;
    int cpuCap = 1;
  } cases[] = {
      {"short of the score", Script(dir_.path(), "short", Verdict(false, 30) + "; exit 1"),
       LevelPlay(), "score not reached: 30 instead of 50"},
      {"departs", Script(dir_.path(), "departs", Verdict(false, 50, "512") + "; exit 1"),
       LevelPlay(), "departs at phase 512"},
      {"says verified for another score", Script(dir_.path(), "other", Verdict(true, 40)),
       LevelPlay(), "score not reached: 40 instead of 50"},
      {"refuses the file", Script(dir_.path(), "refuses", "echo 'zq-sim: bad file' >&2; exit 2"),
       LevelPlay(), "the recording does not play: bad file"},
      {"prints nothing", Script(dir_.path(), "silent", "exit 0"), LevelPlay(),
       "the check failed (exit 0)"},
      {"sleeps past the time-out",
       Script(dir_.path(), "sleeps", "mkdir \"$TMPDIR/left-by-a-killed-check\"; exec sleep 60"),
       LevelPlay(), "the check ran out of time"},
      {"spins past its CPU time", Script(dir_.path(), "spins", "while :; do :; done"), LevelPlay(),
       "the check ran out of time"},
      {"changed steps under zq-sim", haveSim ? kZqSim : "", changedSteps, "departs at phase", 60},
  };
  // The checks' temporary files go here, and nothing of them may stay, even
  // from a check killed at its time-out.
  const fs::path tmp = dir_.path() / "tmp";
  fs::create_directory(tmp);
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keptTmp = oldTmp ? oldTmp : "";
  setenv("TMPDIR", tmp.c_str(), 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.program.empty()) continue;  // no runtime tree for zq-sim
    store_ = scores::OpenStore((dir_.path() / (std::string(c.name) + ".db")).string());
    Start(c.program, 1, 64, [&c](scores::VerifierOptions& o) {
      o.cpuSecondsCap = c.cpuCap;
      o.wallSlackSeconds = 1;
    });
    ASSERT_EQ(Post(Submit("", 50), protocol::EncodeReplay(c.replay))->status, 202);
    const scores::TopEntry entry = Settled();
    EXPECT_EQ(entry.mark, scores::ReplayMark::Rejected);
    EXPECT_EQ(entry.reason.rfind(c.reason, 0), 0u) << entry.reason;
    EXPECT_EQ(client_->Get("/api/top?verified=1")->body, "[]\n");
    EXPECT_EQ(client_->Get("/api/replays/" + std::to_string(entry.id))->status, 404);
    Stop();
    EXPECT_TRUE(fs::is_empty(tmp)) << fs::directory_iterator(tmp)->path();
  }
  if (oldTmp) {
    setenv("TMPDIR", keptTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

// Each refusal is a 400 (413 for a body over the limit) with a one-line reason,
// and the entry keeps no recording.
TEST_F(ReplayUploadTest, RecordingsThatAreNotTheEntrysGameAreRefused) {
  Start(Script(dir_.path(), "accept", Verdict(true, 50)));
  const Bytes good = protocol::EncodeReplay(LevelPlay());
  protocol::Replay edited = LevelPlay();
  edited.score = 150;
  Bytes changedByte = good;
  changedByte[changedByte.size() / 2] ^= 0x10;
  protocol::Replay named = LevelPlay();
  named.name = "Zed";

  const struct {
    const char* name;
    std::string entryName;  // the entry the token was used for
    int entryScore;
    std::function<std::string(const std::string&)> token;
    Bytes bytes;
    int status;
  } cases[] = {
      {"edited score", "", 50, [](auto& t) { return t; }, protocol::EncodeReplay(edited), 400},
      {"entry of another score", "", 150, [](auto& t) { return t; }, good, 400},
      {"one changed byte", "", 50, [](auto& t) { return t; }, changedByte, 400},
      {"another name", "Ann", 50, [](auto& t) { return t; }, protocol::EncodeReplay(named), 400},
      {"no name for a named entry", "Zed", 50, [](auto& t) { return t; }, good, 400},
      {"unknown token", "", 50, [](auto&) { return std::string("0123abcd"); }, good, 400},
      {"no token", "", 50, [](auto&) { return std::string(); }, good, 400},
      {"not a recording", "", 50, [](auto& t) { return t; }, Bytes(100, 'x'), 400},
      {"empty", "", 50, [](auto& t) { return t; }, Bytes(), 400},
      {"oversized", "", 50, [](auto& t) { return t; },
       Bytes(protocol::kReplayMaxFileBytes + 1, 'x'), 413},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string token = Submit(c.entryName, c.entryScore);
    const auto reply = Post(c.token(token), c.bytes);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, c.status);
    EXPECT_EQ(reply->body.find('\n'), reply->body.size() - 1) << reply->body;  // one line
  }
  for (const scores::TopEntry& entry : store_->Top(100)) {
    EXPECT_EQ(entry.mark, scores::ReplayMark::None) << entry.name << " " << entry.score;
  }

  // The named recording is taken for its own entry, and only once.
  const std::string token = Submit("Zed", 50);
  EXPECT_EQ(Post(token, protocol::EncodeReplay(named))->status, 202);
  const auto twice = Post(token, protocol::EncodeReplay(named));
  EXPECT_EQ(twice->status, 400);
  EXPECT_EQ(twice->body, "the entry has a recording already\n");
}

TEST_F(ReplayUploadTest, FullQueueRefusesAndStoresNothing) {
  // The check of the first recording holds its worker until "go" exists.
  const std::string hold =
      Script(dir_.path(), "hold",
             "touch '" + (dir_.path() / "started").string() + "'\nwhile [ ! -e '" +
                 (dir_.path() / "go").string() + "' ]; do sleep 0.05; done\n" + Verdict(true, 50));
  Start(hold, 1, 1);
  const Bytes bytes = protocol::EncodeReplay(LevelPlay());
  ASSERT_EQ(Post(Submit("", 50), bytes)->status, 202);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(dir_.path() / "started") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(Post(Submit("", 50), bytes)->status, 202);  // waits in the queue
  const std::string third = Submit("", 50);
  const auto full = Post(third, bytes);
  EXPECT_EQ(full->status, 503);
  EXPECT_FALSE(store_->EntryForToken(third)->hasReplay);

  std::ofstream(dir_.path() / "go").put('\n');
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  auto verified = store_->Top(100, true);
  while (verified.size() < 2 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    verified = store_->Top(100, true);
  }
  EXPECT_EQ(verified.size(), 2u);
  EXPECT_EQ(Post(third, bytes)->status, 202);  // room again: the refused one can be sent again
}

TEST_F(ReplayUploadTest, WithoutAVerifierRecordingsAreNotTaken) {
  Start("");
  EXPECT_EQ(Post(Submit("", 50), protocol::EncodeReplay(LevelPlay()))->status, 404);
}

// Recordings still pending when the service stopped are checked at its next start.
TEST_F(ReplayUploadTest, PendingRecordingsAreCheckedAfterARestart) {
  ASSERT_TRUE(
      store_->SubmitWithToken("left", 1700000000, 2000000000, {"", "Mars", 50, 1700000000}));
  const auto entry = store_->EntryForToken("left");
  ASSERT_TRUE(store_->AttachReplay(entry->id, protocol::EncodeReplay(LevelPlay())));
  Start(Script(dir_.path(), "accept", Verdict(true, 50)));
  EXPECT_EQ(Settled().mark, scores::ReplayMark::Verified);
}

TEST(ChildRun, OutputIsCappedAndAMissingProgramIsReported) {
  scores::ChildLimits limits;
  limits.outputCap = 10;
  const auto run = scores::RunChild({"/bin/sh", "-c", "yes | head -c 100000; exit 3"}, limits);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "y\ny\ny\ny\ny\n");
  EXPECT_EQ(scores::RunChild({"/nonexistent/zq-sim"}, limits).exitCode, 127);
}

}  // namespace
