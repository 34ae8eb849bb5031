// The store on PostgreSQL: a fixed pool of connections, sized apart from the
// HTTP workers, each with every statement of the store prepared once. A
// submission records its token as used and inserts the entry in a single
// statement, so it is atomic without an explicit transaction.
#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <chrono>
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

// bytea in its text form: \x and two hexadecimal digits a byte.
std::string ByteaText(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "\\x";
  text.reserve(2 + 2 * bytes.size());
  for (const std::uint8_t b : bytes) {
    text += kHex[b >> 4];
    text += kHex[b & 15];
  }
  return text;
}

std::vector<std::uint8_t> ByteaBytes(const char* text) {
  const auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::vector<std::uint8_t> bytes;
  if (text[0] != '\\' || text[1] != 'x') throw std::runtime_error("PostgreSQL: bytea not in hex");
  for (const char* p = text + 2; p[0] && p[1]; p += 2) {
    bytes.push_back(static_cast<std::uint8_t>(digit(p[0]) << 4 | digit(p[1])));
  }
  return bytes;
}

// The store's fixed statements, prepared on every connection under their
// names. `repeatable` ones run again on a fresh connection when theirs broke
// under them: running them twice gives the same answer. A submission or a
// recording's attachment that may have been committed before the break is
// not repeated (its second run would answer "used" or "has one already").
enum class Sql : std::size_t {
  Submit,
  Purge,
  Top,
  PageAll,
  PageCountry,
  PageCount,
  Countries,
  Count,
  EntryForToken,
  AttachReplay,
  MarkReplay,
  VerifiedReplay,
  PendingReplays,
  Size
};

struct PreparedSql {
  const char* name;
  const char* text;
  bool repeatable;
};

// In the order of Sql.
constexpr std::array<PreparedSql, static_cast<std::size_t>(Sql::Size)> kStatements = {{
    // The entry's id is drawn first so that the token's row can name it; a
    // token used before inserts no row and so no entry.
    {"submit",
     "WITH next AS (SELECT nextval(pg_get_serial_sequence('scores', 'id')) AS id),"
     " used AS (INSERT INTO used_tokens SELECT $1, $2, $3, id FROM next"
     " ON CONFLICT DO NOTHING RETURNING entry)"
     " INSERT INTO scores (id, name, country, score, created_at, address)"
     " SELECT entry, $4, $5, $6, $7, $8 FROM used",
     false},
    // Rows another instance is purging at the same moment are left to it.
    {"purge",
     "DELETE FROM used_tokens WHERE token IN (SELECT token FROM used_tokens"
     " WHERE expires_at <= $1 LIMIT $2 FOR UPDATE SKIP LOCKED)",
     true},
    {"top",
     "SELECT name, country, score, created_at, id, mark, reason FROM scores"
     " WHERE $2 = 0 OR mark = 2 ORDER BY score DESC, created_at, id LIMIT $1",
     true},
    // Without a country the rank is the place in the order; with one, every
    // entry is numbered first so the ranks shown are world ranks.
    {"page_all",
     "SELECT name, country, score, created_at, id, mark, reason,"
     " $4::BIGINT + ROW_NUMBER() OVER (ORDER BY score DESC, created_at, id)"
     " FROM (SELECT * FROM scores WHERE $1::INT = 0 OR mark = 2"
     " ORDER BY score DESC, created_at, id LIMIT $3::INT OFFSET $4::BIGINT) AS shown"
     " WHERE $2::TEXT = '' ORDER BY score DESC, created_at, id",
     true},
    {"page_country",
     "SELECT name, country, score, created_at, id, mark, reason, place FROM"
     " (SELECT *, ROW_NUMBER() OVER (ORDER BY score DESC, created_at, id) AS place"
     " FROM scores WHERE $1::INT = 0 OR mark = 2) AS ranked WHERE country = $2"
     " ORDER BY place LIMIT $3::INT OFFSET $4::BIGINT",
     true},
    {"page_count",
     "SELECT count(*) FROM scores WHERE ($1::INT = 0 OR mark = 2)"
     " AND ($2::TEXT = '' OR country = $2)",
     true},
    {"countries",
     "SELECT country FROM (SELECT country, count(*) AS n FROM scores"
     " WHERE country <> '' GROUP BY country ORDER BY n DESC, country"
     " LIMIT $1::INT) AS most ORDER BY country",
     true},
    {"count", "SELECT count(*) FROM scores", true},
    {"entry_for_token",
     "SELECT s.id, s.name, s.score, s.replay IS NOT NULL FROM used_tokens u"
     " JOIN scores s ON s.id = u.entry WHERE u.token = $1",
     true},
    {"attach_replay", "UPDATE scores SET replay = $2, mark = 1 WHERE id = $1 AND replay IS NULL",
     false},
    {"mark_replay", "UPDATE scores SET mark = $2, reason = $3 WHERE id = $1", true},
    {"verified_replay",
     "SELECT replay FROM scores WHERE id = $1 AND mark = 2 AND replay IS NOT NULL", true},
    {"pending_replays",
     "SELECT id, score, replay FROM scores WHERE mark = 1"
     " AND replay IS NOT NULL ORDER BY id LIMIT $1",
     true},
}};

// A pooled connection and whether its statements are prepared on the
// server's session it has now (a reset starts a new one without them).
struct PooledConnection {
  Connection conn;
  bool prepared = false;
};

// Connects again when the connection broke and prepares the statements when
// its session lacks them. Throws when the server cannot be reached.
// The advisory lock that orders changes of the tables against the statements
// prepared on them, across every instance on the database.
#define PG_SCHEMA_LOCK "2043750385"

void MakeReady(PooledConnection& pooled) {
  PGconn* conn = pooled.conn.get();
  if (PQstatus(conn) != CONNECTION_OK) {
    pooled.prepared = false;
    PQreset(conn);
    if (PQstatus(conn) != CONNECTION_OK) {
      throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(conn));
    }
  }
  if (pooled.prepared) return;
  // Statements of a preparation cut short go before the session gets them all.
  Check(conn, PQexec(conn, "DEALLOCATE ALL"));
  // Prepared under the schema lock held shared, so never while another
  // instance changes the tables (which holds it alone): the two would
  // otherwise take the tables' locks in opposite orders and deadlock.
  Check(conn, PQexec(conn, "BEGIN"));
  try {
    Check(conn, PQexec(conn, "SELECT pg_advisory_xact_lock_shared(" PG_SCHEMA_LOCK ")"));
    for (const PreparedSql& statement : kStatements) {
      Check(conn, PQprepare(conn, statement.name, statement.text, 0, nullptr));
    }
    Check(conn, PQexec(conn, "COMMIT"));
  } catch (...) {
    PQclear(PQexec(conn, "ROLLBACK"));
    throw;
  }
  pooled.prepared = true;
}

// An entry from the columns name, country, score, created_at, id, mark,
// reason (in that order) of a result row.
TopEntry RowEntry(const PGresult* r, int row) {
  TopEntry e;
  e.name = PQgetvalue(r, row, 0);
  e.country = PQgetvalue(r, row, 1);
  e.score = static_cast<std::int32_t>(std::stol(PQgetvalue(r, row, 2)));
  e.time = std::stoll(PQgetvalue(r, row, 3));
  e.id = std::stoll(PQgetvalue(r, row, 4));
  e.mark = static_cast<ReplayMark>(std::stoi(PQgetvalue(r, row, 5)));
  e.reason = PQgetvalue(r, row, 6);
  return e;
}

class PostgresStore final : public ScoreStore {
 public:
  PostgresStore(const std::string& url, int connections) : size_(std::max(1, connections)) {
    for (int i = 0; i < size_; ++i) {
      Connection conn(PQconnectdb(url.c_str()));
      if (!conn || PQstatus(conn.get()) != CONNECTION_OK) {
        throw std::runtime_error(std::string("PostgreSQL: ") +
                                 (conn ? PQerrorMessage(conn.get()) : "out of memory"));
      }
      idle_.push_back({std::move(conn), false});
    }
    // The tables come first: statements are prepared against them.
    CreateTables(idle_.front().conn.get());
    for (PooledConnection& pooled : idle_) MakeReady(pooled);
  }

  StoreStats Stats() override {
    std::lock_guard lock(mutex_);
    StoreStats stats;
    stats.connections = size_;
    stats.inUse = size_ - static_cast<int>(idle_.size());
    stats.waits = waits_;
    stats.waitSeconds = std::chrono::duration<double>(waited_).count();
    return stats;
  }

  bool SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                       const ScoreEntry& entry) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::Submit, {token, std::to_string(now), std::to_string(expiresAt),
                                             entry.name, entry.country, std::to_string(entry.score),
                                             std::to_string(entry.time), entry.address});
    return std::string(PQcmdTuples(r.get())) == "1";
  }

  int PurgeUsedTokens(std::int64_t now, int limit) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::Purge, {std::to_string(now), std::to_string(limit)});
    return std::stoi(PQcmdTuples(r.get()));
  }

  std::vector<TopEntry> Top(int limit, bool verifiedOnly) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::Top, {std::to_string(limit), verifiedOnly ? "1" : "0"});
    std::vector<TopEntry> entries;
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      TopEntry e = RowEntry(r.get(), row);
      entries.push_back(std::move(e));
    }
    return entries;
  }

  TopPage Page(const TopQuery& query) override {
    Lease lease(*this);
    const std::vector<std::string> params = {query.verifiedOnly ? "1" : "0", query.country,
                                             std::to_string(query.limit),
                                             std::to_string(query.offset)};
    const Result r = lease.Run(query.country.empty() ? Sql::PageAll : Sql::PageCountry, params);
    TopPage page;
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      TopEntry e = RowEntry(r.get(), row);
      e.rank = std::stoll(PQgetvalue(r.get(), row, 7));
      page.entries.push_back(std::move(e));
    }
    const Result count = lease.Run(Sql::PageCount, {params[0], params[1]});
    page.total = std::stoll(PQgetvalue(count.get(), 0, 0));
    return page;
  }

  std::vector<std::string> Countries(int limit) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::Countries, {std::to_string(limit)});
    std::vector<std::string> countries;
    for (int row = 0; row < PQntuples(r.get()); ++row)
      countries.emplace_back(PQgetvalue(r.get(), row, 0));
    return countries;
  }

  std::vector<TopEntry> Recent(int limit) override {
    Lease lease(*this);
    const Result r = Exec(lease.get(),
                          "SELECT name, country, score, created_at, id, mark, reason, address"
                          " FROM scores ORDER BY id DESC LIMIT $1::INT",
                          {std::to_string(limit)});
    std::vector<TopEntry> entries;
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      TopEntry e = RowEntry(r.get(), row);
      e.address = PQgetvalue(r.get(), row, 7);
      entries.push_back(std::move(e));
    }
    return entries;
  }

  bool RemoveEntry(std::int64_t id) override {
    Lease lease(*this);
    const Result r =
        Exec(lease.get(), "DELETE FROM scores WHERE id = $1::BIGINT", {std::to_string(id)});
    return std::string(PQcmdTuples(r.get())) == "1";
  }

  void Ban(const std::string& address) override {
    Lease lease(*this);
    Exec(lease.get(), "INSERT INTO bans VALUES ($1) ON CONFLICT DO NOTHING", {address});
  }

  bool Unban(const std::string& address) override {
    Lease lease(*this);
    const Result r = Exec(lease.get(), "DELETE FROM bans WHERE address = $1", {address});
    return std::string(PQcmdTuples(r.get())) == "1";
  }

  std::vector<std::string> Bans() override {
    Lease lease(*this);
    const Result r = Exec(lease.get(), "SELECT address FROM bans ORDER BY address");
    std::vector<std::string> bans;
    for (int row = 0; row < PQntuples(r.get()); ++row)
      bans.emplace_back(PQgetvalue(r.get(), row, 0));
    return bans;
  }

  std::int64_t CountEntries() override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::Count);
    return std::stoll(PQgetvalue(r.get(), 0, 0));
  }

  std::optional<TokenEntry> EntryForToken(const std::string& token) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::EntryForToken, {token});
    if (PQntuples(r.get()) == 0) return std::nullopt;
    return TokenEntry{std::stoll(PQgetvalue(r.get(), 0, 0)), PQgetvalue(r.get(), 0, 1),
                      static_cast<std::int32_t>(std::stol(PQgetvalue(r.get(), 0, 2))),
                      std::string(PQgetvalue(r.get(), 0, 3)) == "t"};
  }

  bool AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::AttachReplay, {std::to_string(id), ByteaText(bytes)});
    return std::string(PQcmdTuples(r.get())) == "1";
  }

  void MarkReplay(std::int64_t id, ReplayMark mark, const std::string& reason) override {
    Lease lease(*this);
    lease.Run(Sql::MarkReplay,
              {std::to_string(id), std::to_string(static_cast<int>(mark)), reason});
  }

  std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t id) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::VerifiedReplay, {std::to_string(id)});
    if (PQntuples(r.get()) == 0) return std::nullopt;
    return ByteaBytes(PQgetvalue(r.get(), 0, 0));
  }

  std::vector<PendingReplay> PendingReplays(int limit) override {
    Lease lease(*this);
    const Result r = lease.Run(Sql::PendingReplays, {std::to_string(limit)});
    std::vector<PendingReplay> pending;
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      pending.push_back({std::stoll(PQgetvalue(r.get(), row, 0)),
                         static_cast<std::int32_t>(std::stol(PQgetvalue(r.get(), row, 1))),
                         ByteaBytes(PQgetvalue(r.get(), row, 2))});
    }
    return pending;
  }

 private:
  static void CreateTables(PGconn* conn) {
    Exec(conn, "SET client_min_messages = warning");
    // Instances started together on a new database would all make the same
    // tables at once, and all but one fail: one instance at a time, in one
    // transaction under an advisory lock of the database's.
    Exec(conn, "BEGIN");
    Exec(conn, "SELECT pg_advisory_xact_lock(" PG_SCHEMA_LOCK ")");
    Exec(conn,
         "CREATE TABLE IF NOT EXISTS scores ("
         " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
         " score INTEGER NOT NULL, created_at BIGINT NOT NULL)");
    Exec(conn, "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, created_at, id)");
    // A token's row: when it was used, until when it could be used at all
    // (after that the row can go), the entry it made.
    Exec(conn,
         "CREATE TABLE IF NOT EXISTS used_tokens (token TEXT PRIMARY KEY, used_at BIGINT NOT NULL,"
         " expires_at BIGINT NOT NULL, entry BIGINT NOT NULL)");
    Exec(conn, "CREATE INDEX IF NOT EXISTS used_tokens_expiry ON used_tokens (expires_at)");
    // Databases from when every version request stored its token have a
    // table of them; signed tokens need none and the old values can no longer
    // be accepted.
    Exec(conn, "DROP TABLE IF EXISTS tokens");
    // Entries from before recordings were kept get the columns for them.
    Exec(conn,
         "ALTER TABLE scores ADD COLUMN IF NOT EXISTS token TEXT,"
         " ADD COLUMN IF NOT EXISTS mark INTEGER NOT NULL DEFAULT 0,"
         " ADD COLUMN IF NOT EXISTS reason TEXT NOT NULL DEFAULT '',"
         " ADD COLUMN IF NOT EXISTS replay BYTEA");
    // scores.token stays for older entries; new ones are found through
    // used_tokens and need no index there.
    Exec(conn, "DROP INDEX IF EXISTS scores_token");
    Exec(conn, "CREATE INDEX IF NOT EXISTS scores_pending ON scores (mark, id)");
    Exec(conn, "CREATE INDEX IF NOT EXISTS scores_country ON scores (country)");
    Exec(conn, "ALTER TABLE scores ADD COLUMN IF NOT EXISTS address TEXT NOT NULL DEFAULT ''");
    Exec(conn, "CREATE TABLE IF NOT EXISTS bans (address TEXT PRIMARY KEY)");
    Exec(conn, "COMMIT");
  }

  // How long an operation waits for a free connection before it fails (and
  // its request is answered with an error instead of hanging).
  static constexpr std::chrono::seconds kLeaseWait{5};

  // One connection taken from the pool for one operation, waiting while every
  // one is in use. A connection that broke is reset and prepared again before
  // it serves the next operation.
  class Lease {
   public:
    explicit Lease(PostgresStore& store) : store_(store) {
      std::unique_lock lock(store_.mutex_);
      if (store_.idle_.empty()) {
        ++store_.waits_;
        const auto start = std::chrono::steady_clock::now();
        const bool free =
            store_.available_.wait_for(lock, kLeaseWait, [this] { return !store_.idle_.empty(); });
        store_.waited_ += std::chrono::steady_clock::now() - start;
        if (!free) {
          throw std::runtime_error("PostgreSQL: every connection stayed busy for " +
                                   std::to_string(kLeaseWait.count()) + " s");
        }
      }
      pooled_ = std::move(store_.idle_.back());
      store_.idle_.pop_back();
    }
    ~Lease() {
      {
        std::lock_guard lock(store_.mutex_);
        store_.idle_.push_back(std::move(pooled_));
      }
      store_.available_.notify_one();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    // The connection, ready for statements.
    PGconn* get() {
      MakeReady(pooled_);
      return pooled_.conn.get();
    }

    // Runs one of the prepared statements; a repeatable one runs once more
    // when the connection broke under it (a server restart, an ended session).
    Result Run(Sql which, const std::vector<std::string>& params = {}) {
      const PreparedSql& statement = kStatements[static_cast<std::size_t>(which)];
      std::vector<const char*> values;
      values.reserve(params.size());
      for (const std::string& p : params) values.push_back(p.c_str());
      for (int attempt = 0;; ++attempt) {
        PGconn* conn = get();
        Result result(PQexecPrepared(conn, statement.name, static_cast<int>(values.size()),
                                     values.data(), nullptr, nullptr, 0));
        const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
        const bool broke = PQstatus(conn) != CONNECTION_OK;
        if (!broke || !statement.repeatable || attempt > 0) {
          throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(conn));
        }
      }
    }

   private:
    PostgresStore& store_;
    PooledConnection pooled_;
  };

  const int size_;
  std::mutex mutex_;
  std::condition_variable available_;
  std::vector<PooledConnection> idle_;
  std::uint64_t waits_ = 0;
  std::chrono::steady_clock::duration waited_{};
};

}  // namespace

std::unique_ptr<ScoreStore> OpenPostgresStore(const std::string& url, int connections) {
  return std::make_unique<PostgresStore>(url, connections);
}

}  // namespace scores
