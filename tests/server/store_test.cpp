// The two stores keep the same promises: a token is used once and only before
// it expires, an entry is stored only with its token, and the table comes best
// first. Each test runs on SQLite and on a PostgreSQL cluster of its own.
#include "server/store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
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

TEST(StoreOpen, UnreachablePlacesAreReported) {
  EXPECT_THROW(scores::OpenStore("/nonexistent-dir/x/scores.db"), std::runtime_error);
  EXPECT_THROW(scores::OpenStore("postgresql://nobody@127.0.0.1:1/none?connect_timeout=2"),
               std::runtime_error);
}

}  // namespace
