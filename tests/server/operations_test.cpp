// What operators rely on: the client address behind a proxy, the access-log
// line, /healthz and /metrics of a running service.
#include "server/operations.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdio>

#include "server/client_address.h"
#include "server/service.h"
#include "server/timed_store.h"
#include "tests/support/temp_dir.h"

namespace {

[[gnu::noinline]] scores::HttpRequest FromPeer(const std::string& peer,
                                               const char* forwarded = nullptr) {
  scores::HttpRequest request;
  request.peer = peer;
  if (forwarded) request.headers["x-forwarded-for"] = forwarded;
  return request;
}

TEST(ClientAddress, ForwardingHeaderIsBelievedOnlyFromATrustedProxy) {
  const std::vector<std::string> trusted = {"10.0.0.1", "10.0.0.2"};
  const struct {
    const char* peer;
    const char* forwarded;
    const char* client;
  } kCases[] = {
      {"203.0.113.5", nullptr, "203.0.113.5"},
      {"203.0.113.5", "198.51.100.7", "203.0.113.5"},  // not a proxy: header ignored
      {"10.0.0.1", nullptr, "10.0.0.1"},
      {"10.0.0.1", "198.51.100.7", "198.51.100.7"},
      {"10.0.0.1", "1.2.3.4, 198.51.100.7", "198.51.100.7"},   // the left is the client's say
      {"10.0.0.1", "198.51.100.7, 10.0.0.2", "198.51.100.7"},  // through two proxies
      {"10.0.0.1", "10.0.0.2", "10.0.0.2"},
      {"10.0.0.1", "2001:db8::1", "2001:db8::1"},
      {"10.0.0.1", "not-an-address", "10.0.0.1"},
      {"10.0.0.1", "198.51.100.7, junk", "10.0.0.1"},
      {"10.0.0.1", "", "10.0.0.1"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.peer) + " / " + (c.forwarded ? c.forwarded : "(none)"));
    EXPECT_EQ(scores::ClientAddress(FromPeer(c.peer, c.forwarded), trusted), c.client);
  }
}

TEST(AccessLog, OneLinePerRequest) {
  scores::HttpExchange exchange{"127.0.0.1", "GET", "/api/top", 200,
                                std::chrono::microseconds(812)};
  EXPECT_EQ(scores::AccessLogLine(exchange, 1765442408),
            "2025-12-11T08:40:08Z 127.0.0.1 GET /api/top 200 0.812ms\n");
}

TEST(Operations, HealthMetricsAndTheLogOfARunningService) {
  testing_support::TempDir dir;
  auto store = scores::OpenStore((dir.path() / "scores.db").string());
  const std::string logPath = (dir.path() / "access.log").string();
  std::FILE* log = std::fopen(logPath.c_str(), "w");
  ASSERT_TRUE(log);
  scores::Metrics figures;
  scores::TimedStore timed(*store, figures);
  scores::ScoreService service(timed);
  scores::Operations operations(timed, figures, nullptr, log);
  scores::HttpServer server;
  service.Mount(server);
  operations.Mount(server);
  httplib::Client client("127.0.0.1", server.Start("127.0.0.1", 0));

  const auto health = client.Get("/healthz");
  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 200);
  EXPECT_EQ(health->body, "ok\n");
  ASSERT_TRUE(client.Get("/api/top"));
  ASSERT_TRUE(client.Get("/nowhere"));
  const auto metrics = client.Get("/metrics");
  ASSERT_TRUE(metrics);
  EXPECT_EQ(metrics->get_header_value("Content-Type"), "text/plain; version=0.0.4; charset=utf-8");
  for (const char* line : {"zq_http_requests_total{route=\"/api/top\",status=\"200\"} 1\n",
                           "zq_http_requests_total{route=\"/healthz\",status=\"200\"} 1\n",
                           "zq_http_requests_total{route=\"-\",status=\"404\"} 1\n",
                           "zq_http_request_seconds_count{route=\"/api/top\"} 1\n",
                           "zq_http_connections 1\n", "zq_http_queue_length 0\n",
                           "zq_store_pool_connections 0\n", "zq_store_pool_waits_total 0\n",
                           "zq_store_operation_seconds_count{operation=\"top\"} 2\n"}) {
    EXPECT_NE(metrics->body.find(line), std::string::npos) << line << metrics->body;
  }
  server.Stop();
  std::fclose(log);
  std::FILE* in = std::fopen(logPath.c_str(), "r");
  ASSERT_TRUE(in);
  std::vector<std::string> lines;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, in)) lines.push_back(buffer);
  std::fclose(in);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[1].find(" 127.0.0.1 GET /api/top 200 "), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find(" 127.0.0.1 GET - 404 "), std::string::npos) << lines[2];
}

// A store whose every call fails, as a lost database connection does.
class BrokenStore final : public scores::ScoreStore {
 public:
  bool SubmitWithToken(const std::string&, std::int64_t, std::int64_t,
                       const scores::ScoreEntry&) override {
    Fail();
  }
  int PurgeUsedTokens(std::int64_t, int) override { Fail(); }
  std::vector<scores::TopEntry> Top(int, bool) override { Fail(); }
  std::int64_t CountEntries() override { Fail(); }
  scores::TopPage Page(const scores::TopQuery&) override { Fail(); }
  std::vector<std::string> Countries(int) override { Fail(); }
  std::vector<scores::TopEntry> Recent(int) override { Fail(); }
  bool RemoveEntry(std::int64_t) override { Fail(); }
  void Ban(const std::string&) override { Fail(); }
  bool Unban(const std::string&) override { Fail(); }
  std::vector<std::string> Bans() override { Fail(); }
  std::optional<scores::TokenEntry> EntryForToken(const std::string&) override { Fail(); }
  bool AttachReplay(std::int64_t, const std::vector<std::uint8_t>&) override { Fail(); }
  void MarkReplay(std::int64_t, scores::ReplayMark, const std::string&) override { Fail(); }
  std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t) override { Fail(); }
  std::vector<scores::PendingReplay> PendingReplays(int) override { Fail(); }

 private:
  [[noreturn]] static void Fail() { throw std::runtime_error("connection lost"); }
};

TEST(Operations, StoreCallsAreTimedAndTheirFailuresCounted) {
  testing_support::TempDir dir;
  auto store = scores::OpenStore((dir.path() / "scores.db").string());
  BrokenStore broken;
  scores::Metrics metrics;
  scores::TimedStore good(*store, metrics);
  scores::TimedStore bad(broken, metrics);
  good.Top(1);
  good.CountEntries();
  EXPECT_THROW(bad.CountEntries(), std::runtime_error);
  EXPECT_THROW(bad.Ban("192.0.2.1"), std::runtime_error);

  const std::string text = metrics.Render();
  for (const char* line : {"zq_store_operation_seconds_count{operation=\"top\"} 1\n",
                           "zq_store_operation_seconds_count{operation=\"count_entries\"} 2\n",
                           "zq_store_operation_seconds_bucket{operation=\"ban\",le=\"+Inf\"} 1\n",
                           "zq_store_errors_total{operation=\"count_entries\"} 1\n",
                           "zq_store_errors_total{operation=\"ban\"} 1\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  }
  EXPECT_EQ(text.find("zq_store_errors_total{operation=\"top\"}"), std::string::npos) << text;
}

}  // namespace
