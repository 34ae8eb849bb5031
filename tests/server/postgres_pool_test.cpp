// PostgreSQL's connections are a fixed pool shared by every thread: many
// threads wait their turn on a few connections (and the waits are counted), a
// session the server ended is replaced on the next use, and the service starts
// with far more threads than the server accepts connections.
#include <gtest/gtest.h>
#include <httplib.h>
#include <libpq-fe.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/store.h"
#include "tests/server/postgres_cluster.h"
#include "tests/support/score_server.h"

namespace {

class PostgresPool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!cluster_.problem().empty()) GTEST_SKIP() << cluster_.problem();
  }
  // Ends every other client session (the store's), waiting until they are gone.
  void EndOtherSessions() {
    PGconn* conn = PQconnectdb(cluster_.url().c_str());
    PGresult* r = PQexec(conn,
                         "SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity"
                         " WHERE pid <> pg_backend_pid() AND backend_type = 'client backend'");
    EXPECT_EQ(PQresultStatus(r), PGRES_TUPLES_OK) << PQerrorMessage(conn);
    PQclear(r);
    PQfinish(conn);
  }
  testing_support::PostgresCluster cluster_;
};

TEST_F(PostgresPool, TwoConnectionsServeSixteenThreadsAndCountTheirWaits) {
  auto store = scores::OpenStore(cluster_.url(), 2);
  constexpr int kThreads = 16;
  constexpr int kEach = 40;
  std::atomic<int> stored = 0;
  std::mutex errorMutex;
  std::string firstError;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        try {
          const std::string token = std::to_string(t) + "-" + std::to_string(i);
          if (store->SubmitWithToken(token, 50, 100, {"P", "X", t * kEach + i, 50})) ++stored;
        } catch (const std::exception& error) {
          std::lock_guard lock(errorMutex);
          if (firstError.empty()) firstError = error.what();
        }
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(firstError, "");
  EXPECT_EQ(stored.load(), kThreads * kEach);
  EXPECT_EQ(store->CountEntries(), kThreads * kEach);
  const scores::StoreStats stats = store->Stats();
  EXPECT_EQ(stats.connections, 2);
  EXPECT_EQ(stats.inUse, 0);
  EXPECT_GT(stats.waits, 0u);
  EXPECT_GT(stats.waitSeconds, 0.0);
}

// The only connection is held by a submission waiting on a table lock: the
// next operation gives up after 5 s with an error instead of hanging, and the
// submission completes once the lock goes.
TEST_F(PostgresPool, AnOperationWaitsForAConnectionAtMostFiveSeconds) {
  auto store = scores::OpenStore(cluster_.url(), 1);
  PGconn* locker = PQconnectdb(cluster_.url().c_str());
  PQclear(PQexec(locker, "BEGIN"));
  PQclear(PQexec(locker, "LOCK TABLE scores IN ACCESS EXCLUSIVE MODE"));
  std::atomic<bool> submitted = false;
  std::thread holder([&] { submitted = store->SubmitWithToken("a", 50, 100, {"A", "X", 1, 50}); });
  while (store->Stats().inUse == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_THROW(store->CountEntries(), std::runtime_error);
  PQclear(PQexec(locker, "COMMIT"));
  PQfinish(locker);
  holder.join();
  EXPECT_TRUE(submitted.load());
  EXPECT_EQ(store->CountEntries(), 1);
  EXPECT_EQ(store->Stats().waits, 1u);
  EXPECT_GE(store->Stats().waitSeconds, 4.9);
}

// A reading runs again on the replaced connection and answers; a submission
// is never repeated (it may have been committed), so the one caught by the end
// fails and the next is served.
TEST_F(PostgresPool, SessionEndedByTheServerIsReplacedOnTheNextUse) {
  auto store = scores::OpenStore(cluster_.url(), 1);
  ASSERT_TRUE(store->SubmitWithToken("a", 50, 100, {"Ann", "X", 70, 50}));
  EndOtherSessions();
  EXPECT_EQ(store->CountEntries(), 1);
  EXPECT_EQ(store->Top(10).at(0).name, "Ann");

  EndOtherSessions();
  EXPECT_THROW(store->SubmitWithToken("b", 50, 100, {"Bob", "X", 60, 50}), std::runtime_error);
  EXPECT_TRUE(store->SubmitWithToken("c", 50, 100, {"Cid", "X", 40, 50}));
  EXPECT_EQ(store->CountEntries(), 2);
}

// The server accepts 100 connections; 120 threads share 4 of them.
TEST_F(PostgresPool, ServiceStartsWithMoreThreadsThanTheServerAcceptsConnections) {
  testing_support::ScoreServerProcess service(cluster_.url(),
                                              {"--threads", "120", "--db-connections", "4"});
  ASSERT_TRUE(service.ready());
  EXPECT_EQ(service.Stop(), 0);
}

}  // namespace
