// The service over HTTP on 127.0.0.1, on an SQLite store, with its clocks in
// the test's hands: the game's encoder round trip, refusals that store
// nothing, version requests that store nothing, single-use expiring signed
// tokens, the rate limit, the pages.
#include "server/service.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <atomic>
#include <thread>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "server/pages.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char* kVersion = "/cgi/version.pl?version&prg=ZorbellineQuester";
constexpr const char* kSubmit = "/cgi/version.pl?hs&prg=ZorbellineQuester&inf=";
const std::vector<std::uint8_t> kServiceSecret(32, 'k');

// The store, with each purge of used tokens noted: its time, its limit, what
// it removed.
class PurgeLog final : public scores::ScoreStore {
 public:
  struct Purge {
    std::int64_t before;
    int limit;
    int removed;
    bool operator==(const Purge&) const = default;
  };
  explicit PurgeLog(scores::ScoreStore& store) : store_(store) {}
  std::vector<Purge> purges;

  bool SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                       const scores::ScoreEntry& entry) override {
    return store_.SubmitWithToken(token, now, expiresAt, entry);
  }
  int PurgeUsedTokens(std::int64_t now, int limit) override {
    const int removed = store_.PurgeUsedTokens(now, limit);
    purges.push_back({now, limit, removed});
    return removed;
  }
  std::vector<scores::TopEntry> Top(int limit, bool verifiedOnly) override {
    return store_.Top(limit, verifiedOnly);
  }
  std::int64_t CountEntries() override { return store_.CountEntries(); }
  scores::TopPage Page(const scores::TopQuery& query) override { return store_.Page(query); }
  std::vector<std::string> Countries(int limit) override { return store_.Countries(limit); }
  std::vector<scores::TopEntry> Recent(int limit) override { return store_.Recent(limit); }
  bool RemoveEntry(std::int64_t id) override { return store_.RemoveEntry(id); }
  void Ban(const std::string& address) override { store_.Ban(address); }
  bool Unban(const std::string& address) override { return store_.Unban(address); }
  std::vector<std::string> Bans() override { return store_.Bans(); }
  std::optional<scores::TokenEntry> EntryForToken(const std::string& token) override {
    return store_.EntryForToken(token);
  }
  bool AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) override {
    return store_.AttachReplay(id, bytes);
  }
  void MarkReplay(std::int64_t id, scores::ReplayMark mark, const std::string& reason) override {
    store_.MarkReplay(id, mark, reason);
  }
  std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t id) override {
    return store_.VerifiedReplay(id);
  }
  std::vector<scores::PendingReplay> PendingReplays(int limit) override {
    return store_.PendingReplays(limit);
  }

 private:
  scores::ScoreStore& store_;
};

class ServiceTest : public ::testing::Test {
 protected:
  explicit ServiceTest(int perMinute = 1000) {
    scores::ServiceOptions options;
    options.versionRequestsPerMinute = perMinute;
    options.now = [this] { return now_.load(); };
    options.steadyNow = [this] { return static_cast<double>(now_.load()); };
    options.tokenSecret = kServiceSecret;
    service_ = std::make_unique<scores::ScoreService>(purgeLog_, options);
    service_->Mount(server_);
    port_ = server_.Start("127.0.0.1", 0);
  }

  httplib::Result Get(const std::string& path) { return client_->Get(path); }

  // A version request; the kept value as the game cuts it.
  std::string Token() {
    const auto reply = Get(kVersion);
    EXPECT_TRUE(reply && reply->status == 200 && protocol::IsOkReply(reply->body));
    return reply ? protocol::KeptValue(reply->body) : "";
  }

  httplib::Result Submit(const std::string& text) {
    return Get(kSubmit + protocol::EncodeRecord(text));
  }

  testing_support::TempDir dir_;
  std::unique_ptr<scores::ScoreStore> store_ =
      scores::OpenStore((dir_.path() / "scores.db").string());
  PurgeLog purgeLog_{*store_};
  std::atomic<std::int64_t> now_{1700000000};  // 2023-11-14 UTC
  std::unique_ptr<scores::ScoreService> service_;
  scores::HttpServer server_;
  int port_ = 0;
  std::unique_ptr<httplib::Client> client_;

  void SetUp() override { client_ = std::make_unique<httplib::Client>("127.0.0.1", port_); }
};

TEST_F(ServiceTest, GamesRecordIsStoredAsSent) {
  const std::string token = Token();
  EXPECT_EQ(token.size(), scores::kTokenLength);
  const auto reply = Submit(protocol::BuildRecord("Zed", 123456, token, "Mars"));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 200);
  EXPECT_EQ(reply->body, "OK");
  const auto top = store_->Top(10);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Zed");
  EXPECT_EQ(top[0].country, "Mars");
  EXPECT_EQ(top[0].score, 123456);
  EXPECT_EQ(top[0].time, now_.load());
}

TEST_F(ServiceTest, RefusalsStoreNothing) {
  const std::string token = Token();
  const std::string bad[] = {
      kSubmit + protocol::EncodeRecord(protocol::BuildRecord("Zed1", 5, token, "Mars")),
      kSubmit + protocol::EncodeRecord(protocol::BuildRecord("Zed", -5, token, "Mars")),
      kSubmit + protocol::EncodeRecord(protocol::BuildRecord("Zed", 5, token, "Mars!")),
      kSubmit + protocol::EncodeRecord(protocol::BuildRecord("Zed", 5, "0123abcd", "Mars")),
      kSubmit + std::string("NFTGG3D"),
      kSubmit + std::string("nftgg3df"),
      kSubmit + std::string(),
      kSubmit + std::string(2000, 'A'),
      std::string("/cgi/version.pl?hs&prg=Other&inf=") +
          protocol::EncodeRecord(protocol::BuildRecord("Zed", 5, token, "Mars")),
      std::string("/cgi/version.pl?prg=ZorbellineQuester"),
  };
  for (const std::string& path : bad) {
    SCOPED_TRACE(path);
    const auto reply = Get(path);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 400);
    EXPECT_EQ(reply->body.find('\n'), reply->body.size() - 1);  // one line
  }
  // A body is taken only with a recording.
  const auto bodied = client_->Post(
      kSubmit + protocol::EncodeRecord(protocol::BuildRecord("Zed", 5, token, "Mars")),
      std::string(5000, 'x'), "text/plain");
  ASSERT_TRUE(bodied);
  EXPECT_EQ(bodied->status, 413);
  EXPECT_EQ(store_->CountEntries(), 0);
  // The token refused with bad records is still good for a proper one.
  EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 5, token, "Mars"))->status, 200);
}

TEST_F(ServiceTest, TokensAreSingleUseAndExpireAfterTenMinutes) {
  const std::string token = Token();
  EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 5, token, "Mars"))->status, 200);
  EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 5, token, "Mars"))->status, 400);

  const std::string late = Token();
  const std::string inTime = Token();
  now_ += 599;
  EXPECT_EQ(Submit(protocol::BuildRecord("Ann", 7, inTime, "Mars"))->status, 200);
  now_ += 1;
  const auto expired = Submit(protocol::BuildRecord("Bob", 9, late, "Mars"));
  EXPECT_EQ(expired->status, 400);
  EXPECT_EQ(expired->body, "unknown, used or expired token\n");
  EXPECT_EQ(store_->CountEntries(), 2);
}

// Tokens as another instance with the same secret (or another) would issue
// them, at chosen times: each is taken once, within its ten minutes, and not
// from further ahead than the clocks may differ.
TEST_F(ServiceTest, SignedTokensAreTakenOnceWithinTheirTime) {
  const scores::TokenSigner same(kServiceSecret);
  const scores::TokenSigner other(std::vector<std::uint8_t>(32, 'o'));
  const std::int64_t t = now_;
  const std::string fresh = Token();
  std::string altered = same.Issue(t);
  altered[10] = altered[10] == '0' ? '1' : '0';
  const struct {
    const char* what;
    std::string token;
    int status;
  } cases[] = {
      {"this service's", fresh, 200},
      {"the same again", fresh, 400},
      {"another instance's", same.Issue(t), 200},
      {"signed with another secret", other.Issue(t), 400},
      {"one digit altered", altered, 400},
      {"issued 599 s ago", same.Issue(t - 599), 200},
      {"issued 600 s ago", same.Issue(t - 600), 400},
      {"issued 30 s ahead", same.Issue(t + 30), 200},
      {"issued 31 s ahead", same.Issue(t + 31), 400},
  };
  int stored = 0;
  for (const auto& c : cases) {
    const auto reply = Submit(protocol::BuildRecord("Zed", 5, c.token, "Mars"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, c.status) << c.what;
    if (c.status == 200) {
      ++stored;
    } else {
      EXPECT_EQ(reply->body, "unknown, used or expired token\n") << c.what;
    }
  }
  EXPECT_EQ(store_->CountEntries(), stored);
}

// 2,500 used tokens long expired: submissions purge them 1,000 at a time, one
// batch each while batches come back full, then once a minute; a token is kept
// 30 s past its expiry for instances whose clocks are behind.
TEST_F(ServiceTest, SubmissionsPurgeUsedTokensInBatches) {
  for (int i = 0; i < 2500; ++i) {
    ASSERT_TRUE(store_->SubmitWithToken("old" + std::to_string(i), now_ - 700, now_ - 100,
                                        {"Old", "X", 1, now_ - 700}));
  }
  const auto submit = [this] {
    EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 5, Token(), "Mars"))->status, 200);
  };
  for (int i = 0; i < 4; ++i) submit();
  using Purge = PurgeLog::Purge;
  const std::int64_t t = now_;
  EXPECT_EQ(purgeLog_.purges,
            (std::vector<Purge>{{t - 30, 1000, 1000}, {t - 30, 1000, 1000}, {t - 30, 1000, 500}}));
  now_ += 59;
  submit();
  EXPECT_EQ(purgeLog_.purges.size(), 3u);
  now_ += 1;
  submit();
  EXPECT_EQ(purgeLog_.purges.size(), 4u);
  EXPECT_EQ(purgeLog_.purges.back(), (Purge{t + 30, 1000, 0}));
  EXPECT_EQ(store_->CountEntries(), 2500 + 6);
}

// Rows in every table of the service's SQLite file.
std::int64_t RowsInFile(const std::string& path) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  std::vector<std::string> tables;
  const auto name = [](void* out, int, char** values, char**) {
    static_cast<std::vector<std::string>*>(out)->push_back(values[0]);
    return 0;
  };
  sqlite3_exec(db, "SELECT name FROM sqlite_master WHERE type = 'table'", name, &tables, nullptr);
  std::int64_t rows = 0;
  const auto add = [](void* out, int, char** values, char**) {
    *static_cast<std::int64_t*>(out) += std::stoll(values[0]);
    return 0;
  };
  for (const std::string& table : tables) {
    sqlite3_exec(db, ("SELECT count(*) FROM \"" + table + "\"").c_str(), add, &rows, nullptr);
  }
  sqlite3_close(db);
  return rows;
}

TEST_F(ServiceTest, VersionRequestsStoreNothing) {
  const std::string path = (dir_.path() / "scores.db").string();
  const std::int64_t before = RowsInFile(path);
  for (int i = 0; i < 300; ++i) Token();
  EXPECT_EQ(RowsInFile(path), before);
}

TEST_F(ServiceTest, TablePageEscapesAndRanksBestFirst) {
  store_->SubmitWithToken("a", now_, now_ + 10, {"<b>Eve</b>", "A&B", 50, now_});
  store_->SubmitWithToken("b", now_, now_ + 10, {"Zed", "Mars", 90, now_});
  const auto page = Get("/cgi/version.pl?prg=ZorbellineQuester&show&type=0");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
  const std::string& html = page->body;
  EXPECT_EQ(html.find("<b>Eve"), std::string::npos);
  const auto first = html.find(
      "<td class=\"n\">1</td><td class=\"name\">Zed</td><td>Mars</td><td class=\"n "
      "s\">90</td><td class=\"d\">2023-11-14</td>");
  const auto second = html.find(
      "<td class=\"n\">2</td><td class=\"name\">&lt;b&gt;Eve&lt;/b&gt;</td><td>A&amp;B</td>");
  EXPECT_NE(first, std::string::npos) << html;
  EXPECT_NE(second, std::string::npos) << html;
  EXPECT_LT(first, second);

  const auto json = Get("/api/top?limit=1");
  ASSERT_TRUE(json);
  EXPECT_EQ(json->body,
            "[{\"rank\":1,\"name\":\"Zed\",\"country\":\"Mars\",\"score\":90,\"date\":\"2023-11-"
            "14\",\"mark\":\"none\"}]\n");
  for (const char* verified : {"2", "yes", ""}) {
    EXPECT_EQ(Get(std::string("/api/top?verified=") + verified)->status, 400) << verified;
  }
  for (const char* limit : {"0", "101", "x", "5x", ""}) {
    EXPECT_EQ(Get(std::string("/api/top?limit=") + limit)->status, 400) << limit;
  }
}

// 250 entries: 150 from Mars, 100 from Venus, scores 250 down to 1.
TEST_F(ServiceTest, WorldPageHasPagesACountryFilterAndCachingHeaders) {
  for (int i = 0; i < 250; ++i) {
    ASSERT_TRUE(store_->SubmitWithToken(
        "t" + std::to_string(i), now_, now_ + 10,
        {"P" + std::to_string(i), i % 5 < 3 ? "Mars" : "Venus", 250 - i, now_}));
  }
  const auto rankRow = [](int rank, int i) {
    return "<td class=\"n\">" + std::to_string(rank) + "</td><td class=\"name\">P" +
           std::to_string(i) + "</td>";
  };
  const struct {
    const char* path;
    int firstRank, firstEntry, lastRank, lastEntry;
    const char* pager;
  } kCases[] = {
      {"/", 1, 0, 100, 99, "Page 1 of 3"},
      {"/?page=3", 201, 200, 250, 249, "Page 3 of 3"},
      {"/cgi/version.pl?prg=ZorbellineQuester&show&type=0&page=2", 101, 100, 200, 199,
       "Page 2 of 3"},
      // Venus holds entries 3, 4, 8, 9, ...: their world ranks stay.
      {"/?country=Venus", 4, 3, 250, 249, ""},  // one page: no pager
      {"/?country=Mars&page=2", 168, 167, 248, 247, "Page 2 of 2"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.path);
    const auto page = Get(c.path);
    ASSERT_TRUE(page);
    ASSERT_EQ(page->status, 200);
    const std::string& html = page->body;
    EXPECT_NE(html.find(rankRow(c.firstRank, c.firstEntry)), std::string::npos);
    EXPECT_NE(html.find(rankRow(c.lastRank, c.lastEntry)), std::string::npos);
    EXPECT_EQ(html.find("Page ") != std::string::npos, *c.pager != '\0');
    EXPECT_NE(html.find(c.pager), std::string::npos);
    // The filter shows its choice.
    EXPECT_EQ(html.find("<option selected>") != std::string::npos,
              std::string(c.path).find("country=") != std::string::npos);
  }
  const auto second = Get("/?country=Mars");
  EXPECT_NE(second->body.find("href=\"/?page=2&amp;country=Mars\""), std::string::npos);
  EXPECT_NE(Get("/?country=Pluto")->body.find("No scores from Pluto yet."), std::string::npos);
  for (const char* bad : {"/?page=0", "/?page=x", "/?page=9999999", "/?page="}) {
    EXPECT_EQ(Get(bad)->status, 400) << bad;
  }

  // The page caches by its ETag and allows no script.
  const auto page = Get("/");
  const std::string tag = page->get_header_value("ETag");
  EXPECT_FALSE(tag.empty());
  EXPECT_EQ(page->get_header_value("Cache-Control"), "public, max-age=30");
  EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
  const std::string policy = page->get_header_value("Content-Security-Policy");
  EXPECT_NE(policy.find("default-src 'none'"), std::string::npos) << policy;
  EXPECT_EQ(policy.find("script-src"), std::string::npos) << policy;
  const auto again = client_->Get("/", {{"If-None-Match", tag}});
  ASSERT_TRUE(again);
  EXPECT_EQ(again->status, 304);
  EXPECT_TRUE(again->body.empty());
  const auto style = Get("/world.css");
  EXPECT_EQ(style->status, 200);
  EXPECT_EQ(style->get_header_value("Content-Type"), "text/css; charset=utf-8");
}

// A banned address gets neither a token nor a place in the table; the others
// are kept with the address they came from.
TEST_F(ServiceTest, BannedAddressesAreRefusedAndEntriesKeepTheirAddress) {
  const std::string token = Token();
  ASSERT_EQ(Submit(protocol::BuildRecord("Zed", 5, token, "Mars"))->status, 200);
  EXPECT_EQ(store_->Recent(1)[0].address, "127.0.0.1");
  const std::string later = Token();
  store_->Ban("127.0.0.1");
  now_ += 31;  // the service reads the bans again
  const auto version = Get(kVersion);
  EXPECT_EQ(version->status, 403);
  EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 6, later, "Mars"))->status, 403);
  store_->Unban("127.0.0.1");
  now_ += 31;
  EXPECT_EQ(Submit(protocol::BuildRecord("Zed", 6, later, "Mars"))->status, 200);
}

class RateLimitedServiceTest : public ServiceTest {
 protected:
  RateLimitedServiceTest() : ServiceTest(30) {}
};

// The limit is on version requests, where the game shows its retry question;
// a submission with a token already given is never refused by it.
TEST_F(RateLimitedServiceTest, ThirtyVersionRequestsAMinutePerClient) {
  std::vector<std::string> tokens;
  for (int i = 0; i < 30; ++i) tokens.push_back(Token());
  const auto refused = Get(kVersion);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 429);
  EXPECT_FALSE(protocol::IsOkReply(refused->body));
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    EXPECT_EQ(Submit(protocol::BuildRecord("Zed", static_cast<int>(i), tokens[i], "Mars"))->status,
              200)
        << i;
  }
  now_ += 2;  // one more 2 s later
  EXPECT_EQ(Get(kVersion)->status, 200);
  EXPECT_EQ(Get(kVersion)->status, 429);
  EXPECT_EQ(store_->CountEntries(), 30);
}

TEST(RateLimiter, ClientsHaveBucketsOfTheirOwn) {
  scores::RateLimiter limiter(2, 2);
  EXPECT_TRUE(limiter.Allow("a", 0));
  EXPECT_TRUE(limiter.Allow("a", 0));
  EXPECT_FALSE(limiter.Allow("a", 0));
  EXPECT_TRUE(limiter.Allow("b", 0));
  EXPECT_TRUE(limiter.Allow("c", 0));  // past the client cap: full buckets are forgotten
  EXPECT_FALSE(limiter.Allow("a", 10));
  EXPECT_TRUE(limiter.Allow("a", 40));
}

}  // namespace
