// The two stores keep the same promises: a token is used once and only before
// it expires, an entry is stored only with its token, and the table comes best
// first. Each test runs on SQLite and on a PostgreSQL cluster of its own.
#include "server/store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
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

struct Sqlite {
  testing_support::TempDir dir;
  std::unique_ptr<ScoreStore> Open() { return scores::OpenStore((dir.path() / "s.db").string()); }
  std::string problem() const { return {}; }
};

struct Postgres {
  testing_support::PostgresCluster cluster;
  std::unique_ptr<ScoreStore> Open() { return scores::OpenStore(cluster.url(), 4); }
  std::string problem() const { return cluster.problem(); }
};

template <typename Backend>
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!backend_.problem().empty()) GTEST_SKIP() << backend_.problem();
    store_ = backend_.Open();
  }
  Backend backend_;
  std::unique_ptr<ScoreStore> store_;
};

using Backends = ::testing::Types<Sqlite, Postgres>;
TYPED_TEST_SUITE(StoreTest, Backends);

TYPED_TEST(StoreTest, TokenIsUsedOnceAndOnlyBeforeItExpires) {
  ScoreStore& store = *this->store_;
  store.AddToken("fresh", 1000);
  store.AddToken("old", 500);
  const ScoreEntry entry{"Zed", "Mars", 700, 400};

  EXPECT_FALSE(store.SubmitWithToken("unknown", 400, entry));
  EXPECT_FALSE(store.SubmitWithToken("old", 500, entry));  // expired at 500
  EXPECT_TRUE(store.SubmitWithToken("fresh", 999, entry));
  EXPECT_FALSE(store.SubmitWithToken("fresh", 999, entry));  // used
  EXPECT_EQ(store.CountEntries(), 1);

  store.PurgeTokens(600);
  store.AddToken("old", 2000);  // the purged name can be issued again
  EXPECT_TRUE(store.SubmitWithToken("old", 1500, entry));
  EXPECT_EQ(store.CountEntries(), 2);
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
    store.AddToken(token, 100);
    ASSERT_TRUE(store.SubmitWithToken(token, e.time, e));
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
  store.AddToken("shared", 100);
  std::atomic<int> accepted = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&store, &accepted] {
      if (store.SubmitWithToken("shared", 50, {"Racer", "X", 5, 50})) ++accepted;
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
  store.AddToken("a", 100);
  store.AddToken("b", 100);
  ASSERT_TRUE(store.SubmitWithToken("a", 50, {"Ann", "X", 70, 50}));
  ASSERT_TRUE(store.SubmitWithToken("b", 50, {"Bob", "X", 60, 50}));
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

// A file made before recordings were kept opens with its entries and tokens.
TEST(StoreOpen, SqliteFileFromBeforeRecordingsKeepsItsData) {
  testing_support::TempDir dir;
  const std::string path = (dir.path() / "old.db").string();
  const std::string create =
      "sqlite3 '" + path +
      "' \"CREATE TABLE scores (id INTEGER PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
      " score INTEGER NOT NULL, created_at INTEGER NOT NULL);"
      " CREATE TABLE tokens (token TEXT PRIMARY KEY, expires_at INTEGER NOT NULL) WITHOUT ROWID;"
      " INSERT INTO scores VALUES (1, 'Old', 'X', 500, 10); INSERT INTO tokens VALUES ('t', 99);\"";
  if (std::system(create.c_str()) != 0) GTEST_SKIP() << "no sqlite3 program";
  for (int open = 0; open < 2; ++open) {  // the second opening finds the columns there
    auto store = scores::OpenStore(path);
    const auto top = store->Top(10);
    ASSERT_EQ(top.size(), 1u + open);
    EXPECT_EQ(top[0].name, "Old");
    EXPECT_EQ(top[0].score, 500);
    EXPECT_EQ(top[0].mark, scores::ReplayMark::None);
    if (open == 0) {
      ASSERT_TRUE(store->SubmitWithToken("t", 50, {"New", "Y", 5, 50}));
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
      "psql -q '" + cluster.url() + "' -c 'DROP TABLE scores, tokens' >/dev/null";
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
