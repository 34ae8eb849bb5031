// zq-scores stopped by SIGTERM while clients keep submitting: it exits
// cleanly, and every submission it answered "OK" is in the store.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "server/store.h"
#include "tests/support/score_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

TEST(ScoreServerProgram, SigtermLosesNoAcknowledgedSubmission) {
  testing_support::TempDir dir;
  const std::string db = (dir.path() / "scores.db").string();
  testing_support::ScoreServerProcess service(db, {"--submissions-per-minute", "0"});
  ASSERT_TRUE(service.ready());

  std::atomic<int> acknowledged = 0;
  std::atomic<bool> stop = false;
  std::vector<std::thread> clients;
  for (int c = 0; c < 4; ++c) {
    clients.emplace_back([&, c] {
      httplib::Client http("127.0.0.1", service.port());
      http.set_connection_timeout(2, 0);
      http.set_read_timeout(5, 0);
      for (int i = 0; !stop.load() && i < 100000; ++i) {
        const auto version = http.Get("/cgi/version.pl?version&prg=ZorbellineQuester");
        if (!version || version->status != 200) return;
        const std::string record = protocol::BuildRecord("Client", c * 100000 + i,
                                                         protocol::KeptValue(version->body), "X");
        const auto sent = http.Get("/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" +
                                   protocol::EncodeRecord(record));
        if (!sent) return;
        if (sent->status == 200 && sent->body == "OK") ++acknowledged;
      }
    });
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (acknowledged.load() < 50 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(service.Stop(), 0);
  stop = true;
  for (std::thread& t : clients) t.join();

  EXPECT_EQ(service.process().ReadLine(), "zq-scores stopped");
  EXPECT_EQ(scores::OpenStore(db)->CountEntries(), acknowledged.load());
}

// A check under way when the service stops is ended with it (not waited for),
// and its recording stays pending for the next start.
TEST(ScoreServerProgram, StopEndsARunningCheckAndKeepsItPending) {
  testing_support::TempDir dir;
  const std::string db = (dir.path() / "scores.db").string();
  const std::string hang = (dir.path() / "hang").string();
  std::ofstream(hang) << "#!/bin/sh\ntouch '" << hang << ".started'\nexec sleep 120\n";
  chmod(hang.c_str(), 0755);
  testing_support::ScoreServerProcess service(
      db, {"--verifier", hang, "--verifier-runtime", dir.path().string()});
  ASSERT_TRUE(service.ready());

  httplib::Client http("127.0.0.1", service.port());
  const auto version = http.Get("/cgi/version.pl?version&prg=ZorbellineQuester");
  ASSERT_TRUE(version);
  const std::string token = protocol::KeptValue(version->body);
  ASSERT_EQ(http.Get("/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" +
                     protocol::EncodeRecord(protocol::BuildRecord("", 50, token, "X")))
                ->status,
            200);
  const auto bytes = testing_support::FileBytes(std::filesystem::path(ZQ_SOURCE_DIR) /
                                                "tests/golden/recordings/level_play.zqr");
  ASSERT_EQ(http.Post("/api/replays?p=" + token, std::string(bytes.begin(), bytes.end()),
                      "application/octet-stream")
                ->status,
            202);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(hang + ".started") &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The check's own limit is 15 s; the stop does not wait for it.
  EXPECT_EQ(service.process().Stop(std::chrono::seconds(10)), 0);
  EXPECT_EQ(scores::OpenStore(db)->Top(1)[0].mark, scores::ReplayMark::Pending);
}

TEST(ScoreServerProgram, RefusesABadCommandLine) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{ZQ_SCORES_BIN, "--port", "70000"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--bogus", "1"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--port"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--verifier", "/bin/true"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--verify-workers", "-1"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--db-connections", "0"},
        std::vector<std::string>{ZQ_SCORES_BIN, "--db-connections", "65"}}) {
    testing_support::ChildProcess program(args);
    EXPECT_EQ(program.Wait(), 2);
  }
}

}  // namespace
