// The two stores keep the same promises: a token is used once, an entry is
// stored only with its token, used tokens are forgotten after their expiry in
// small batches, a database from the stored-token days opens and works, and
// the table comes best first. Each test runs on SQLite and on a PostgreSQL
// cluster of its own.
#include "server/store.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/server/postgres_cluster.h"
#include "tests/support/temp_dir.h"

namespace {

using scores::ScoreEntry;
using scores::ScoreStore;

// Each backend also runs plain SQL beside the store (the first value of the
// last statement's first row, "" when there is none) and knows its database
// as it was when every version request stored a token.
struct Sqlite {
  testing_support::TempDir dir;
  std::string path() const { return (dir.path() / "s.db").string(); }
  std::unique_ptr<ScoreStore> Open() { return scores::OpenStore(path()); }
  std::string problem() const { return {}; }
  std::string Query(const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
    std::string first;
    const auto keep = [](void* out, int, char** values, char**) {
      if (values[0]) *static_cast<std::string*>(out) = values[0];
      return 0;
    };
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), keep, &first, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(db);
    return first;
  }
  static constexpr const char* kIssuedTokensLayout =
      "CREATE TABLE scores (id INTEGER PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
      " score INTEGER NOT NULL, created_at INTEGER NOT NULL, token TEXT,"
      " mark INTEGER NOT NULL DEFAULT 0, reason TEXT NOT NULL DEFAULT '', replay BLOB);"
      "CREATE INDEX scores_token ON scores (token);"
      "CREATE TABLE tokens (token TEXT PRIMARY KEY, expires_at INTEGER NOT NULL) WITHOUT ROWID;";
  static constexpr const char* kTokensTable =
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'tokens'";
};

struct Postgres {
  testing_support::PostgresCluster cluster;
  std::unique_ptr<ScoreStore> Open() { return scores::OpenStore(cluster.url(), 4); }
  std::string problem() const { return cluster.problem(); }
  std::string Query(const std::string& sql) {
    PGconn* conn = PQconnectdb(cluster.url().c_str());
    std::string first;
    PGresult* r = PQexec(conn, sql.c_str());
    const ExecStatusType status = PQresultStatus(r);
    EXPECT_TRUE(status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) << PQerrorMessage(conn);
    if (status == PGRES_TUPLES_OK && PQntuples(r) > 0) first = PQgetvalue(r, 0, 0);
    PQclear(r);
    PQfinish(conn);
    return first;
  }
  static constexpr const char* kIssuedTokensLayout =
      "CREATE TABLE scores (id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
      " score INTEGER NOT NULL, created_at BIGINT NOT NULL, token TEXT,"
      " mark INTEGER NOT NULL DEFAULT 0, reason TEXT NOT NULL DEFAULT '', replay BYTEA);"
      "CREATE INDEX scores_token ON scores (token);"
      "CREATE TABLE tokens (token TEXT PRIMARY KEY, expires_at BIGINT NOT NULL);";
  static constexpr const char* kTokensTable = "SELECT to_regclass('tokens')";
};

template <typename Backend>
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!backend_.problem().empty()) GTEST_SKIP() << backend_.problem();
    store_ = backend_.Open();
  }
  // The store opened again (as another instance on the same database would).
  void Reopen() {
    store_.reset();
    store_ = backend_.Open();
  }
  Backend backend_;
  std::unique_ptr<ScoreStore> store_;
};

using Backends = ::testing::Types<Sqlite, Postgres>;
TYPED_TEST_SUITE(StoreTest, Backends);

TYPED_TEST(StoreTest, TokenIsUsedOnceAndNamesItsEntry) {
  ScoreStore& store = *this->store_;
  const ScoreEntry entry{"Zed", "Mars", 700, 900};
  EXPECT_TRUE(store.SubmitWithToken("fresh", 900, 1000, entry));
  EXPECT_FALSE(store.SubmitWithToken("fresh", 950, 1000, {"Eve", "X", 5, 950}));  // used
  EXPECT_EQ(store.CountEntries(), 1);
  EXPECT_EQ(store.Top(10)[0].name, "Zed");
  ASSERT_TRUE(store.EntryForToken("fresh"));
  EXPECT_EQ(store.EntryForToken("fresh")->name, "Zed");
  EXPECT_FALSE(store.EntryForToken("other"));
}

// 2,500 used tokens expired by 600 and three still good: batches of 1,000
// forget the expired ones only (their entries stay) and never more at once.
TYPED_TEST(StoreTest, PurgeForgetsOnlyExpiredUsedTokensInBatches) {
  ScoreStore& store = *this->store_;
  constexpr int kExpired = 2500;
  for (int i = 0; i < kExpired; ++i) {
    const std::int64_t expiresAt = i == 0 ? 600 : 500;  // "at" 600 counts as expired
    ASSERT_TRUE(
        store.SubmitWithToken("old" + std::to_string(i), 400, expiresAt, {"A", "X", i, 400}));
  }
  for (const char* live : {"live0", "live1", "live2"}) {
    ASSERT_TRUE(store.SubmitWithToken(live, 590, 601, {"Live", "X", 1, 590}));
  }
  std::vector<int> removed;
  for (int n = -1; n != 0;) removed.push_back(n = store.PurgeUsedTokens(600, 1000));
  EXPECT_EQ(removed, (std::vector<int>{1000, 1000, 500, 0}));
  EXPECT_FALSE(store.EntryForToken("old0"));
  EXPECT_FALSE(store.EntryForToken("old2499"));
  ASSERT_TRUE(store.EntryForToken("live2"));
  EXPECT_EQ(store.EntryForToken("live2")->name, "Live");
  EXPECT_EQ(store.CountEntries(), kExpired + 3);
}

// A database from when every version request stored its token: its entries
// stay, the table of issued tokens goes, and it takes submissions and
// recordings; opened a second time it changes nothing more.
TYPED_TEST(StoreTest, DatabaseFromIssuedTokensOpensAndWorks) {
  this->store_.reset();
  auto& backend = this->backend_;
  backend.Query("DROP TABLE IF EXISTS scores; DROP TABLE IF EXISTS used_tokens;");
  backend.Query(TypeParam::kIssuedTokensLayout);
  backend.Query(
      "INSERT INTO scores (name, country, score, created_at, token) VALUES ('Old', 'X', 500, 10, "
      "'t');"
      "INSERT INTO tokens VALUES ('t', 99), ('u', 99);");
  for (int open = 0; open < 2; ++open) {
    this->Reopen();
    ScoreStore& store = *this->store_;
    EXPECT_EQ(backend.Query("SELECT count(*) FROM scores"), std::to_string(1 + open));
    EXPECT_EQ(store.Top(10)[0].name, "Old");
    EXPECT_EQ(backend.Query(TypeParam::kTokensTable), "");
    if (open == 0) {
      ASSERT_TRUE(store.SubmitWithToken("u", 50, 100, {"New", "Y", 5, 50}));
      ASSERT_TRUE(store.EntryForToken("u"));
      EXPECT_TRUE(store.AttachReplay(store.EntryForToken("u")->id, {1, 2, 3}));
    }
  }
}

TYPED_TEST(StoreTest, TableIsBestFirstEarlierBeforeLaterAndLimited) {
  ScoreStore& store = *this->store_;
  const ScoreEntry entries[] = {{"Low", "A", 100, 10},
                                {"Late", "B", 900, 30},
                                {"Early", "C", 900, 20},
                                {"Top", "D", 2147483647, 40}};
  int n = 0;
  for (const ScoreEntry& e : entries) {
    const std::string token = "t" + std::to_string(n++);
    ASSERT_TRUE(store.SubmitWithToken(token, e.time, 100, e));
  }
  const auto top = store.Top(3);
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0].name, "Top");
  EXPECT_EQ(top[0].score, 2147483647);
  EXPECT_EQ(top[1].name, "Early");
  EXPECT_EQ(top[1].country, "C");
  EXPECT_EQ(top[1].time, 20);
  EXPECT_EQ(top[2].name, "Late");
  EXPECT_EQ(store.Top(100).size(), 4u);
}

// Many clients racing with one token: exactly one entry.
TYPED_TEST(StoreTest, RacingSubmissionsOfOneTokenStoreOne) {
  ScoreStore& store = *this->store_;
  std::atomic<int> accepted = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&store, &accepted] {
      if (store.SubmitWithToken("shared", 50, 100, {"Racer", "X", 5, 50})) ++accepted;
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(accepted.load(), 1);
  EXPECT_EQ(store.CountEntries(), 1);
}

// A recording is kept once per entry, found by the entry's token; its mark
// filters the table, and only a verified one is handed out.
TYPED_TEST(StoreTest, RecordingIsKeptOncePerEntryAndMarked) {
  ScoreStore& store = *this->store_;
  ASSERT_TRUE(store.SubmitWithToken("a", 50, 100, {"Ann", "X", 70, 50}));
  ASSERT_TRUE(store.SubmitWithToken("b", 50, 100, {"Bob", "X", 60, 50}));
  EXPECT_FALSE(store.EntryForToken("c"));
  const auto ann = store.EntryForToken("a");
  ASSERT_TRUE(ann);
  EXPECT_EQ(ann->name, "Ann");
  EXPECT_EQ(ann->score, 70);
  EXPECT_FALSE(ann->hasReplay);

  const std::vector<std::uint8_t> bytes = {0, 1, 2, 255, 0x5c, 'x'};
  EXPECT_TRUE(store.AttachReplay(ann->id, bytes));
  EXPECT_FALSE(store.AttachReplay(ann->id, {9}));
  EXPECT_TRUE(store.EntryForToken("a")->hasReplay);
  EXPECT_EQ(store.Top(10)[0].mark, scores::ReplayMark::Pending);
  EXPECT_EQ(store.Top(10)[1].mark, scores::ReplayMark::None);
  ASSERT_EQ(store.PendingReplays(10).size(), 1u);
  EXPECT_EQ(store.PendingReplays(10)[0].bytes, bytes);
  EXPECT_FALSE(store.VerifiedReplay(ann->id));

  store.MarkReplay(ann->id, scores::ReplayMark::Verified, "");
  EXPECT_EQ(store.VerifiedReplay(ann->id), bytes);
  EXPECT_TRUE(store.PendingReplays(10).empty());
  const auto bob = store.EntryForToken("b");
  ASSERT_TRUE(store.AttachReplay(bob->id, bytes));
  store.MarkReplay(bob->id, scores::ReplayMark::Rejected, "departs at phase 3");
  EXPECT_FALSE(store.VerifiedReplay(bob->id));
  const auto verified = store.Top(10, true);
  ASSERT_EQ(verified.size(), 1u);
  EXPECT_EQ(verified[0].name, "Ann");
  EXPECT_EQ(store.Top(10)[1].reason, "departs at phase 3");
}

// A file made before recordings were kept opens with its entries; its 20,000
// issued tokens go and the file gives their room back.
TEST(StoreOpen, SqliteFileFromBeforeRecordingsKeepsItsData) {
  testing_support::TempDir dir;
  const std::string path = (dir.path() / "old.db").string();
  const std::string create =
      "sqlite3 '" + path +
      "' \"CREATE TABLE scores (id INTEGER PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
      " score INTEGER NOT NULL, created_at INTEGER NOT NULL);"
      " CREATE TABLE tokens (token TEXT PRIMARY KEY, expires_at INTEGER NOT NULL) WITHOUT ROWID;"
      " INSERT INTO scores VALUES (1, 'Old', 'X', 500, 10);"
      " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)"
      " INSERT INTO tokens SELECT printf('%032x', i), 99 FROM n;\"";
  if (std::system(create.c_str()) != 0) GTEST_SKIP() << "no sqlite3 program";
  const auto before = std::filesystem::file_size(path);
  for (int open = 0; open < 2; ++open) {  // the second opening finds the columns there
    auto store = scores::OpenStore(path);
    const auto top = store->Top(10);
    ASSERT_EQ(top.size(), 1u + open);
    EXPECT_EQ(top[0].name, "Old");
    EXPECT_EQ(top[0].score, 500);
    EXPECT_EQ(top[0].mark, scores::ReplayMark::None);
    if (open == 0) {
      EXPECT_LT(std::filesystem::file_size(path), before / 4);
      ASSERT_TRUE(store->SubmitWithToken("t", 50, 100, {"New", "Y", 5, 50}));
      EXPECT_TRUE(store->AttachReplay(store->EntryForToken("t")->id, {1, 2, 3}));
    }
  }
}

// Instances started together on a new PostgreSQL database all make its tables
// at once: every one of them opens.
TEST(StoreOpen, PostgresStoresOpenedTogetherOnANewDatabaseAllOpen) {
  testing_support::PostgresCluster cluster;
  if (!cluster.problem().empty()) GTEST_SKIP() << cluster.problem();
  const std::string dropTables =
      "psql -q '" + cluster.url() + "' -c 'DROP TABLE scores, used_tokens, bans' >/dev/null";
  for (int round = 0; round < 5; ++round) {
    if (round > 0) {
      ASSERT_EQ(std::system(dropTables.c_str()), 0);
    }
    std::atomic<int> failed{0};
    std::vector<std::thread> instances;
    for (int i = 0; i < 6; ++i) {
      instances.emplace_back([&cluster, &failed] {
        try {
          scores::OpenStore(cluster.url(), 1);
        } catch (const std::runtime_error& error) {
          ++failed;
          ADD_FAILURE() << error.what();
        }
      });
    }
    for (std::thread& instance : instances) instance.join();
    ASSERT_EQ(failed.load(), 0) << "round " << round;
  }
}

TEST(StoreOpen, UnreachablePlacesAreReported) {
  EXPECT_THROW(scores::OpenStore("/nonexistent-dir/x/scores.db"), std::runtime_error);
  EXPECT_THROW(scores::OpenStore("postgresql://nobody@127.0.0.1:1/none?connect_timeout=2"),
               std::runtime_error);
}

}  // namespace
