// As a player would: a qualifying score, a name typed on the name entry, YES
// to sending, "Please wait..." and the main menu, with the game's own worker
// and zq-scores on 127.0.0.1; then the entry on the world page. Without the
// service: the retry question, a fresh version request on YES, the table on NO.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "online/online_submission.h"
#include "protocol/replay.h"
#include "screens/keys.h"
#include "screens/publisher.h"
#include "screens/records_menu.h"
#include "tests/online/local_servers.h"
#include "tests/screens/menu_screen_fixture.h"
#include "tests/support/score_server.h"

namespace {

using namespace platform::keys;

class SubmissionEndToEnd : public testing_support::MenuScreenTest {
 protected:
  // Game over with `score`: the name entry, "zed" typed, OK, and the question.
  void EnterScore(std::int32_t score) {
    program_.persistent.settings.Country.SetText("Mars");
    scene_.game().SetScore(score);
    ASSERT_TRUE(scene_.recordInputMenu().OpenForScore(score));
    Frame();
    TypeZedAndAsk();
  }

  // On the name entry: "zed" typed, OK, and the question.
  void TypeZedAndAsk() {
    ASSERT_EQ(state(), core::ssRecordEntryName);
    for (const int key : {kKeyZ, kKeyE, kKeyD}) Tap(key);
    Tap(screens::kKeyEnter);  // done typing: choose
    Tap(screens::kKeyDown);   // country
    Tap(screens::kKeyDown);   // OK
    Tap(screens::kKeyEnter);
    ASSERT_EQ(state(), core::ssConfirmSendResult);
  }

  // Frames until the worker has ended "Please wait..." (bounded by the
  // client's time-outs, with room to spare on a loaded machine).
  void FramesWhileSending() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (state() == core::ssSending && std::chrono::steady_clock::now() < deadline) {
      Frame();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  testing_support::TempDir* dir() { return &dir_; }
};

TEST_F(SubmissionEndToEnd, SentScoreReachesTheWorldPage) {
  testing_support::ScoreServerProcess service((dir()->path() / "scores.db").string());
  ASSERT_TRUE(service.ready());
  online::OnlineSubmission worker(service.url());
  submission_.Use(worker);

  EnterScore(5000);
  Tap(screens::kKeyEnter);  // YES
  EXPECT_EQ(state(), core::ssSending);
  EXPECT_NE(FindText("Please wait..."), nullptr);
  FramesWhileSending();
  EXPECT_EQ(state(), core::ssMainMenu);
  EXPECT_TRUE(program_.MenuSceneActive);
  EXPECT_EQ(FindText("Please wait..."), nullptr);

  httplib::Client http("127.0.0.1", service.port());
  const auto top = http.Get("/api/top?limit=1");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->status, 200);
  EXPECT_NE(top->body.find("\"name\":\"zed\",\"country\":\"Mars\",\"score\":5000"),
            std::string::npos)
      << top->body;
  const auto page = http.Get("/cgi/version.pl?prg=ZorbellineQuester&show&type=0");
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find("<td class=\"name\">zed</td><td>Mars</td>"), std::string::npos);
  EXPECT_EQ(service.Stop(), 0);
}

// A recorded game: after the two requests its recording (named as entered) is
// posted with the same token; a refused recording still ends at the main menu.
class RecordedGameUpload : public SubmissionEndToEnd, public ::testing::WithParamInterface<int> {};

TEST_P(RecordedGameUpload, FollowsTheSubmission) {
  testing_support::ScriptedHttpServer service({200, "OK|1|2|3|tok|", 200, GetParam()});
  online::OnlineSubmission worker(service.url());
  submission_.Use(worker);

  program_.persistent.settings.Country.SetText("Mars");
  scene_.mainMenu().Activate(screens::TMainMenu::kNewGame);
  Frame();
  ASSERT_EQ(state(), core::ssPlaying);
  scene_.game().SetScore(5000);
  Tap(screens::kKeyEsc);  // leave the game: YES
  if (scene_.exitMenu().selection() != screens::TExitMenu::kYes) Tap(screens::kKeyLeft);
  Tap(screens::kKeyEnter);
  TypeZedAndAsk();
  ASSERT_TRUE(scene_.recorder().last());
  EXPECT_EQ(scene_.recorder().last()->name, "zed");
  const std::vector<std::uint8_t> recording = protocol::EncodeReplay(*scene_.recorder().last());

  Tap(screens::kKeyEnter);  // YES
  FramesWhileSending();
  EXPECT_EQ(state(), core::ssMainMenu);
  ASSERT_EQ(service.submissions().size(), 1u);
  const auto posted = service.recordings();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].token, "tok");
  EXPECT_EQ(posted[0].body, std::string(recording.begin(), recording.end()));
  submission_.Use(worker_);  // the worker goes first
}

INSTANTIATE_TEST_SUITE_P(Taken, RecordedGameUpload, ::testing::Values(202));
INSTANTIATE_TEST_SUITE_P(Refused, RecordedGameUpload, ::testing::Values(400, 500));

TEST_F(SubmissionEndToEnd, StoppedServiceAsksToRetry) {
  testing_support::ScoreServerProcess service((dir()->path() / "scores.db").string());
  ASSERT_TRUE(service.ready());
  online::OnlineSubmission worker(service.url());
  submission_.Use(worker);
  ASSERT_EQ(service.Stop(), 0);

  EnterScore(5000);
  Tap(screens::kKeyEnter);  // YES
  FramesWhileSending();
  EXPECT_EQ(state(), core::ssConnectFailed);
  EXPECT_NE(FindText("to server! Repeat?"), nullptr);
  Tap(screens::kKeyEsc);  // NO: back to the table
  EXPECT_EQ(state(), core::ssRecords);
}

TEST_F(SubmissionEndToEnd, RetryAsksForAFreshVersionReply) {
  testing_support::ScriptedHttpServer failing({500, "OK|1|2|3|tok|"});
  online::OnlineSubmission worker(failing.url());
  submission_.Use(worker);

  EnterScore(5000);
  Tap(screens::kKeyEnter);  // YES
  FramesWhileSending();
  ASSERT_EQ(state(), core::ssConnectFailed);
  Tap(screens::kKeyEnter);  // YES: again
  FramesWhileSending();
  EXPECT_EQ(state(), core::ssConnectFailed);
  EXPECT_EQ(failing.versionRequests(), 2);
  EXPECT_TRUE(failing.submissions().empty());
}

TEST(ScoreServerAddress, EnvironmentOverridesThePublisher) {
  const char* saved = std::getenv("ZQ_SCORE_SERVER");
  const std::string previous = saved ? saved : "";
  unsetenv("ZQ_SCORE_SERVER");
  EXPECT_EQ(screens::ScoreServer(), screens::kPublisherSite);
  setenv("ZQ_SCORE_SERVER", "http://127.0.0.1:8088/", 1);
  EXPECT_EQ(screens::ScoreServer(), "http://127.0.0.1:8088");
  EXPECT_EQ(screens::WorldHighScoresLink(),
            "http://127.0.0.1:8088/cgi/version.pl?prg=ZorbellineQuester&show&type=0");
  EXPECT_EQ(online::OnlineSubmission().server(), "http://127.0.0.1:8088");
  if (saved) {
    setenv("ZQ_SCORE_SERVER", previous.c_str(), 1);
  } else {
    unsetenv("ZQ_SCORE_SERVER");
  }
}

}  // namespace
