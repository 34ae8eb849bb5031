// The store on PostgreSQL: a small pool of connections, one statement per
// operation. A submission uses up its token and inserts the entry in a single
// statement, so it is atomic without an explicit transaction.
#include <libpq-fe.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "server/store.h"

namespace scores {
namespace {

struct ResultDeleter {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

struct ConnDeleter {
  void operator()(PGconn* c) const { PQfinish(c); }
};
using Connection = std::unique_ptr<PGconn, ConnDeleter>;

Result Check(PGconn* conn, PGresult* raw) {
  Result result(raw);
  const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(conn));
  }
  return result;
}

Result Exec(PGconn* conn, const char* sql, const std::vector<std::string>& params = {}) {
  std::vector<const char*> values;
  values.reserve(params.size());
  for (const std::string& p : params) values.push_back(p.c_str());
  return Check(conn, PQexecParams(conn, sql, static_cast<int>(values.size()), nullptr,
                                  values.data(), nullptr, nullptr, 0));
}

class PostgresStore final : public ScoreStore {
 public:
  PostgresStore(const std::string& url, int connections) {
    for (int i = 0; i < std::max(1, connections); ++i) {
      Connection conn(PQconnectdb(url.c_str()));
      if (!conn || PQstatus(conn.get()) != CONNECTION_OK) {
        throw std::runtime_error(std::string("PostgreSQL: ") +
                                 (conn ? PQerrorMessage(conn.get()) : "out of memory"));
      }
      idle_.push_back(std::move(conn));
    }
    Lease lease(*this);
    Exec(lease.get(), "SET client_min_messages = warning");
    Exec(lease.get(),
         "CREATE TABLE IF NOT EXISTS scores ("
         " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
         " score INTEGER NOT NULL, created_at BIGINT NOT NULL)");
    Exec(lease.get(),
         "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, created_at, id)");
    Exec(lease.get(),
         "CREATE TABLE IF NOT EXISTS tokens (token TEXT PRIMARY KEY, expires_at BIGINT NOT NULL)");
  }

  void AddToken(const std::string& token, std::int64_t expiresAt) override {
    Lease lease(*this);
    Exec(lease.get(), "INSERT INTO tokens VALUES ($1, $2)", {token, std::to_string(expiresAt)});
  }

  bool SubmitWithToken(const std::string& token, std::int64_t now,
                       const ScoreEntry& entry) override {
    Lease lease(*this);
    const Result r = Exec(lease.get(),
                          "WITH used AS (DELETE FROM tokens WHERE token = $1 AND expires_at > $2"
                          " RETURNING token)"
                          " INSERT INTO scores (name, country, score, created_at)"
                          " SELECT $3, $4, $5, $6 FROM used",
                          {token, std::to_string(now), entry.name, entry.country,
                           std::to_string(entry.score), std::to_string(entry.time)});
    return std::string(PQcmdTuples(r.get())) == "1";
  }

  void PurgeTokens(std::int64_t now) override {
    Lease lease(*this);
    Exec(lease.get(), "DELETE FROM tokens WHERE expires_at <= $1", {std::to_string(now)});
  }

  std::vector<ScoreEntry> Top(int limit) override {
    Lease lease(*this);
    const Result r = Exec(lease.get(),
                          "SELECT name, country, score, created_at FROM scores"
                          " ORDER BY score DESC, created_at, id LIMIT $1",
                          {std::to_string(limit)});
    std::vector<ScoreEntry> entries;
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      ScoreEntry e;
      e.name = PQgetvalue(r.get(), row, 0);
      e.country = PQgetvalue(r.get(), row, 1);
      e.score = static_cast<std::int32_t>(std::stol(PQgetvalue(r.get(), row, 2)));
      e.time = std::stoll(PQgetvalue(r.get(), row, 3));
      entries.push_back(std::move(e));
    }
    return entries;
  }

  std::int64_t CountEntries() override {
    Lease lease(*this);
    const Result r = Exec(lease.get(), "SELECT count(*) FROM scores");
    return std::stoll(PQgetvalue(r.get(), 0, 0));
  }

 private:
  // One connection taken from the pool for one operation. A connection that
  // broke is reset before it goes back.
  class Lease {
   public:
    explicit Lease(PostgresStore& store) : store_(store) {
      std::unique_lock lock(store_.mutex_);
      store_.available_.wait(lock, [this] { return !store_.idle_.empty(); });
      conn_ = std::move(store_.idle_.back());
      store_.idle_.pop_back();
    }
    ~Lease() {
      if (PQstatus(conn_.get()) != CONNECTION_OK) PQreset(conn_.get());
      {
        std::lock_guard lock(store_.mutex_);
        store_.idle_.push_back(std::move(conn_));
      }
      store_.available_.notify_one();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    PGconn* get() const { return conn_.get(); }

   private:
    PostgresStore& store_;
    Connection conn_;
  };

  std::mutex mutex_;
  std::condition_variable available_;
  std::vector<Connection> idle_;
};

}  // namespace

std::unique_ptr<ScoreStore> OpenPostgresStore(const std::string& url, int connections) {
  return std::make_unique<PostgresStore>(url, connections);
}

}  // namespace scores
