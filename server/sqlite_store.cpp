// The default store: one SQLite file in WAL mode, one connection behind a lock
// (SQLite writes one transaction at a time anyway). Every accepted entry is
// committed before the service answers, so nothing acknowledged is lost.
#include <sqlite3.h>

#include <cstdio>
#include <mutex>
#include <stdexcept>
#include <string_view>

#include "server/store.h"

namespace scores {
namespace {

// The table's pages. Without a country the rank is the place in the order
// (the index gives it); with one, every entry is numbered first so the ranks
// shown are world ranks.
constexpr const char* kPageOfEveryCountry =
    "SELECT name, country, score, created_at, id, mark, reason,"
    " ?4 + ROW_NUMBER() OVER (ORDER BY score DESC, created_at, id)"
    " FROM (SELECT * FROM scores WHERE ?1 = 0 OR mark = 2"
    " ORDER BY score DESC, created_at, id LIMIT ?3 OFFSET ?4) WHERE ?2 = ''"
    " ORDER BY score DESC, created_at, id";
constexpr const char* kPageOfOneCountry =
    "SELECT name, country, score, created_at, id, mark, reason, place FROM"
    " (SELECT *, ROW_NUMBER() OVER (ORDER BY score DESC, created_at, id) AS place"
    " FROM scores WHERE ?1 = 0 OR mark = 2) WHERE country = ?2 ORDER BY place LIMIT ?3 OFFSET ?4";
constexpr const char* kPageCount =
    "SELECT count(*) FROM scores WHERE (?1 = 0 OR mark = 2) AND (?2 = '' OR country = ?2)";
constexpr const char* kCountries =
    "SELECT country FROM (SELECT country, count(*) AS n FROM scores WHERE country <> ''"
    " GROUP BY country ORDER BY n DESC, country LIMIT ?1) ORDER BY country";

// An entry from the columns name, country, score, created_at, id, mark,
// reason (in that order) of the statement's current row.
TopEntry StatementEntry(sqlite3_stmt* s) {
  TopEntry e;
  e.name = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
  e.country = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
  e.score = static_cast<std::int32_t>(sqlite3_column_int64(s, 2));
  e.time = sqlite3_column_int64(s, 3);
  e.id = sqlite3_column_int64(s, 4);
  e.mark = static_cast<ReplayMark>(sqlite3_column_int(s, 5));
  e.reason = reinterpret_cast<const char*>(sqlite3_column_text(s, 6));
  return e;
}

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
      throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
    }
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* Get() const { return stmt_; }

  // Ready for a new run, with nothing bound.
  sqlite3_stmt* Fresh() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return stmt_;
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

void SqliteExec(sqlite3* db, const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw std::runtime_error("SQLite: " + message);
  }
}

bool ScoresHaveColumn(sqlite3* db, std::string_view name) {
  sqlite3_stmt* info = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA table_info(scores)", -1, &info, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
  }
  bool has = false;
  while (sqlite3_step(info) == SQLITE_ROW) {
    const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(info, 1));
    if (column && std::string_view(column) == name) has = true;
  }
  sqlite3_finalize(info);
  return has;
}

// Entries from before recordings (or addresses) were kept get the columns for
// them; their data stays as it is.
void AddReplayColumns(sqlite3* db) {
  if (!ScoresHaveColumn(db, "token")) {
    SqliteExec(db,
               "BEGIN IMMEDIATE;"
               "ALTER TABLE scores ADD COLUMN token TEXT;"
               "ALTER TABLE scores ADD COLUMN mark INTEGER NOT NULL DEFAULT 0;"
               "ALTER TABLE scores ADD COLUMN reason TEXT NOT NULL DEFAULT '';"
               "ALTER TABLE scores ADD COLUMN replay BLOB;"
               "COMMIT;");
  }
}

void AddAddressColumn(sqlite3* db) {
  if (!ScoresHaveColumn(db, "address")) {
    SqliteExec(db, "ALTER TABLE scores ADD COLUMN address TEXT NOT NULL DEFAULT ''");
  }
}

bool HasTable(sqlite3* db, const char* name) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", -1,
                         &s, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
  }
  sqlite3_bind_text(s, 1, name, -1, SQLITE_STATIC);
  const bool found = sqlite3_step(s) == SQLITE_ROW;
  sqlite3_finalize(s);
  return found;
}

// Files from when every version request stored its token have a table of
// them, often large and nearly all never used. Signed tokens are checked
// without it and the old values can no longer be accepted, so it goes, and
// the file is rewritten once to give its pages back.
void DropIssuedTokens(sqlite3* db) {
  if (!HasTable(db, "tokens")) return;
  SqliteExec(db, "DROP TABLE tokens");
  SqliteExec(db, "VACUUM");
  // The rewritten file went through the log; it is copied back now and the
  // log cut to nothing, instead of both staying at the old size until close.
  SqliteExec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
}

std::vector<std::uint8_t> Blob(sqlite3_stmt* s, int column) {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(s, column));
  return std::vector<std::uint8_t>(data, data + sqlite3_column_bytes(s, column));
}

sqlite3* Open(const std::string& path) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw std::runtime_error("SQLite: " + path + ": " + message);
  }
  return db;
}

class SqliteStore final : public ScoreStore {
 public:
  explicit SqliteStore(const std::string& path) : db_(Open(path)) {
    try {
      sqlite3_busy_timeout(db_, 5000);
      SqliteExec(db_, "PRAGMA journal_mode=WAL");
      // In WAL mode NORMAL keeps the file consistent after a crash of the
      // machine and loses no commit after a crash of the program.
      SqliteExec(db_, "PRAGMA synchronous=NORMAL");
      SqliteExec(db_,
                 "CREATE TABLE IF NOT EXISTS scores ("
                 " id INTEGER PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
                 " score INTEGER NOT NULL, created_at INTEGER NOT NULL);"
                 "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, created_at, id);"
                 // A token's row: when it was used, until when it could be
                 // used at all (after that the row can go), the entry it made.
                 "CREATE TABLE IF NOT EXISTS used_tokens ("
                 " token TEXT PRIMARY KEY, used_at INTEGER NOT NULL,"
                 " expires_at INTEGER NOT NULL, entry INTEGER NOT NULL) WITHOUT ROWID;"
                 "CREATE INDEX IF NOT EXISTS used_tokens_expiry ON used_tokens (expires_at);");
      AddReplayColumns(db_);
      AddAddressColumn(db_);
      SqliteExec(db_, "CREATE TABLE IF NOT EXISTS bans (address TEXT PRIMARY KEY) WITHOUT ROWID");
      // scores.token stays for the entries of older files; new entries are
      // found through used_tokens and need no index there.
      SqliteExec(db_,
                 "DROP INDEX IF EXISTS scores_token;"
                 "CREATE INDEX IF NOT EXISTS scores_pending ON scores (mark, id);"
                 "CREATE INDEX IF NOT EXISTS scores_country ON scores (country);");
      DropIssuedTokens(db_);
      useToken_ = std::make_unique<Statement>(
          db_, "INSERT OR IGNORE INTO used_tokens VALUES (?1, ?2, ?3, ?4)");
      insert_ = std::make_unique<Statement>(
          db_,
          "INSERT INTO scores (name, country, score, created_at, address)"
          " VALUES (?1, ?2, ?3, ?4, ?5)");
      purge_ = std::make_unique<Statement>(
          db_,
          "DELETE FROM used_tokens WHERE token IN"
          " (SELECT token FROM used_tokens WHERE expires_at <= ?1 LIMIT ?2)");
      top_ = std::make_unique<Statement>(
          db_,
          "SELECT name, country, score, created_at, id, mark, reason FROM scores"
          " WHERE ?2 = 0 OR mark = 2 ORDER BY score DESC, created_at, id LIMIT ?1");
      count_ = std::make_unique<Statement>(db_, "SELECT count(*) FROM scores");
      forToken_ = std::make_unique<Statement>(
          db_,
          "SELECT s.id, s.name, s.score, s.replay IS NOT NULL FROM used_tokens u"
          " JOIN scores s ON s.id = u.entry WHERE u.token = ?1");
      attach_ = std::make_unique<Statement>(
          db_, "UPDATE scores SET replay = ?2, mark = 1 WHERE id = ?1 AND replay IS NULL");
      mark_ = std::make_unique<Statement>(db_,
                                          "UPDATE scores SET mark = ?2, reason = ?3 WHERE id = ?1");
      verified_ = std::make_unique<Statement>(
          db_, "SELECT replay FROM scores WHERE id = ?1 AND mark = 2 AND replay IS NOT NULL");
      pending_ = std::make_unique<Statement>(
          db_,
          "SELECT id, score, replay FROM scores WHERE mark = 1 AND replay IS NOT NULL"
          " ORDER BY id LIMIT ?1");
      pageAll_ = std::make_unique<Statement>(db_, kPageOfEveryCountry);
      pageCountry_ = std::make_unique<Statement>(db_, kPageOfOneCountry);
      pageCount_ = std::make_unique<Statement>(db_, kPageCount);
      countries_ = std::make_unique<Statement>(db_, kCountries);
    } catch (...) {
      Close();
      throw;
    }
  }

  ~SqliteStore() override { Close(); }

  bool SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                       const ScoreEntry& entry) override {
    std::lock_guard lock(mutex_);
    SqliteExec(db_, "BEGIN IMMEDIATE");
    try {
      sqlite3_stmt* ins = insert_->Fresh();
      sqlite3_bind_text(ins, 1, entry.name.data(), static_cast<int>(entry.name.size()),
                        SQLITE_TRANSIENT);
      sqlite3_bind_text(ins, 2, entry.country.data(), static_cast<int>(entry.country.size()),
                        SQLITE_TRANSIENT);
      sqlite3_bind_int64(ins, 3, entry.score);
      sqlite3_bind_int64(ins, 4, entry.time);
      sqlite3_bind_text(ins, 5, entry.address.data(), static_cast<int>(entry.address.size()),
                        SQLITE_TRANSIENT);
      Step(ins);
      sqlite3_stmt* use = useToken_->Fresh();
      sqlite3_bind_text(use, 1, token.data(), static_cast<int>(token.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int64(use, 2, now);
      sqlite3_bind_int64(use, 3, expiresAt);
      sqlite3_bind_int64(use, 4, sqlite3_last_insert_rowid(db_));
      Step(use);
      if (sqlite3_changes(db_) != 1) {  // used before: the entry goes too
        SqliteExec(db_, "ROLLBACK");
        return false;
      }
      SqliteExec(db_, "COMMIT");
      return true;
    } catch (...) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

  int PurgeUsedTokens(std::int64_t now, int limit) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = purge_->Fresh();
    sqlite3_bind_int64(s, 1, now);
    sqlite3_bind_int(s, 2, limit);
    Step(s);
    return sqlite3_changes(db_);
  }

  std::vector<TopEntry> Top(int limit, bool verifiedOnly) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = top_->Fresh();
    sqlite3_bind_int(s, 1, limit);
    sqlite3_bind_int(s, 2, verifiedOnly ? 1 : 0);
    std::vector<TopEntry> entries;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      TopEntry e = StatementEntry(s);
      entries.push_back(std::move(e));
    }
    if (rc != SQLITE_DONE) Fail();
    sqlite3_reset(s);
    return entries;
  }

  TopPage Page(const TopQuery& query) override {
    std::lock_guard lock(mutex_);
    TopPage page;
    sqlite3_stmt* s = (query.country.empty() ? pageAll_ : pageCountry_)->Fresh();
    sqlite3_bind_int(s, 1, query.verifiedOnly ? 1 : 0);
    sqlite3_bind_text(s, 2, query.country.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(s, 3, query.limit);
    sqlite3_bind_int64(s, 4, query.offset);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      TopEntry e = StatementEntry(s);
      e.rank = sqlite3_column_int64(s, 7);
      page.entries.push_back(std::move(e));
    }
    if (rc != SQLITE_DONE) Fail();
    sqlite3_reset(s);
    sqlite3_stmt* c = pageCount_->Fresh();
    sqlite3_bind_int(c, 1, query.verifiedOnly ? 1 : 0);
    sqlite3_bind_text(c, 2, query.country.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(c) != SQLITE_ROW) Fail();
    page.total = sqlite3_column_int64(c, 0);
    sqlite3_reset(c);
    return page;
  }

  std::vector<std::string> Countries(int limit) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = countries_->Fresh();
    sqlite3_bind_int(s, 1, limit);
    std::vector<std::string> countries;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      countries.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    }
    if (rc != SQLITE_DONE) Fail();
    sqlite3_reset(s);
    return countries;
  }

  std::vector<TopEntry> Recent(int limit) override {
    std::lock_guard lock(mutex_);
    Statement s(db_,
                "SELECT name, country, score, created_at, id, mark, reason, address FROM scores"
                " ORDER BY id DESC LIMIT ?1");
    sqlite3_bind_int(s.Fresh(), 1, limit);
    std::vector<TopEntry> entries;
    sqlite3_stmt* q = s.Get();
    int rc;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
      TopEntry e = StatementEntry(q);
      e.address = reinterpret_cast<const char*>(sqlite3_column_text(q, 7));
      entries.push_back(std::move(e));
    }
    if (rc != SQLITE_DONE) Fail();
    return entries;
  }

  bool RemoveEntry(std::int64_t id) override {
    std::lock_guard lock(mutex_);
    Statement s(db_, "DELETE FROM scores WHERE id = ?1");
    sqlite3_bind_int64(s.Fresh(), 1, id);
    Step(s.Get());
    return sqlite3_changes(db_) == 1;
  }

  void Ban(const std::string& address) override {
    std::lock_guard lock(mutex_);
    Statement s(db_, "INSERT OR IGNORE INTO bans VALUES (?1)");
    sqlite3_bind_text(s.Fresh(), 1, address.c_str(), -1, SQLITE_TRANSIENT);
    Step(s.Get());
  }

  bool Unban(const std::string& address) override {
    std::lock_guard lock(mutex_);
    Statement s(db_, "DELETE FROM bans WHERE address = ?1");
    sqlite3_bind_text(s.Fresh(), 1, address.c_str(), -1, SQLITE_TRANSIENT);
    Step(s.Get());
    return sqlite3_changes(db_) == 1;
  }

  std::vector<std::string> Bans() override {
    std::lock_guard lock(mutex_);
    Statement s(db_, "SELECT address FROM bans ORDER BY address");
    sqlite3_stmt* q = s.Fresh();
    std::vector<std::string> bans;
    int rc;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
      bans.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(q, 0)));
    }
    if (rc != SQLITE_DONE) Fail();
    return bans;
  }

  std::int64_t CountEntries() override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = count_->Fresh();
    if (sqlite3_step(s) != SQLITE_ROW) Fail();
    const std::int64_t n = sqlite3_column_int64(s, 0);
    sqlite3_reset(s);
    return n;
  }

  std::optional<TokenEntry> EntryForToken(const std::string& token) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = forToken_->Fresh();
    sqlite3_bind_text(s, 1, token.data(), static_cast<int>(token.size()), SQLITE_TRANSIENT);
    std::optional<TokenEntry> found;
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
      found = TokenEntry{
          sqlite3_column_int64(s, 0), reinterpret_cast<const char*>(sqlite3_column_text(s, 1)),
          static_cast<std::int32_t>(sqlite3_column_int64(s, 2)), sqlite3_column_int(s, 3) != 0};
    } else if (rc != SQLITE_DONE) {
      Fail();
    }
    sqlite3_reset(s);
    return found;
  }

  bool AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = attach_->Fresh();
    sqlite3_bind_int64(s, 1, id);
    sqlite3_bind_blob(s, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    Step(s);
    return sqlite3_changes(db_) == 1;
  }

  void MarkReplay(std::int64_t id, ReplayMark mark, const std::string& reason) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = mark_->Fresh();
    sqlite3_bind_int64(s, 1, id);
    sqlite3_bind_int(s, 2, static_cast<int>(mark));
    sqlite3_bind_text(s, 3, reason.data(), static_cast<int>(reason.size()), SQLITE_TRANSIENT);
    Step(s);
  }

  std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t id) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = verified_->Fresh();
    sqlite3_bind_int64(s, 1, id);
    std::optional<std::vector<std::uint8_t>> bytes;
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
      bytes = Blob(s, 0);
    } else if (rc != SQLITE_DONE) {
      Fail();
    }
    sqlite3_reset(s);
    return bytes;
  }

  std::vector<PendingReplay> PendingReplays(int limit) override {
    std::lock_guard lock(mutex_);
    sqlite3_stmt* s = pending_->Fresh();
    sqlite3_bind_int(s, 1, limit);
    std::vector<PendingReplay> pending;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      pending.push_back({sqlite3_column_int64(s, 0),
                         static_cast<std::int32_t>(sqlite3_column_int64(s, 1)), Blob(s, 2)});
    }
    if (rc != SQLITE_DONE) Fail();
    sqlite3_reset(s);
    return pending;
  }

 private:
  void Step(sqlite3_stmt* s) {
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) Fail();
  }
  [[noreturn]] void Fail() {
    throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db_));
  }

  void Close() {
    useToken_.reset();
    insert_.reset();
    purge_.reset();
    top_.reset();
    count_.reset();
    forToken_.reset();
    pageAll_.reset();
    pageCountry_.reset();
    pageCount_.reset();
    countries_.reset();
    attach_.reset();
    mark_.reset();
    verified_.reset();
    pending_.reset();
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
  }

  std::mutex mutex_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<Statement> useToken_, insert_, purge_, top_, count_;
  std::unique_ptr<Statement> pageAll_, pageCountry_, pageCount_, countries_;
  std::unique_ptr<Statement> forToken_, attach_, mark_, verified_, pending_;
};

}  // namespace

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path) {
  return std::make_unique<SqliteStore>(path);
}

void BackupSqliteStore(const std::string& path, const std::string& target) {
  // Written under a temporary name and renamed, so a failed copy leaves nothing.
  const std::string partial = target + ".partial";
  sqlite3* source = nullptr;
  sqlite3* copy = nullptr;
  const auto fail = [&](const std::string& what, sqlite3* db) {
    const std::string message = "SQLite backup: " + what + ": " + (db ? sqlite3_errmsg(db) : "");
    sqlite3_close(source);
    sqlite3_close(copy);
    std::remove(partial.c_str());
    throw std::runtime_error(message);
  };
  if (sqlite3_open_v2(path.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    fail("cannot open " + path, source);
  }
  sqlite3_busy_timeout(source, 5000);
  if (sqlite3_open_v2(partial.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                      nullptr) != SQLITE_OK) {
    fail("cannot create " + partial, copy);
  }
  sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source, "main");
  if (!backup) fail("cannot start", copy);
  int rc;
  // A few pages at a time, so services writing meanwhile wait only briefly.
  while ((rc = sqlite3_backup_step(backup, 256)) == SQLITE_OK || rc == SQLITE_BUSY ||
         rc == SQLITE_LOCKED) {
    if (rc != SQLITE_OK) sqlite3_sleep(20);
  }
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE) fail("copying " + path, copy);
  sqlite3_close(source);
  sqlite3_close(copy);
  source = copy = nullptr;
  if (std::rename(partial.c_str(), target.c_str()) != 0) {
    std::remove(partial.c_str());
    throw std::runtime_error("SQLite backup: cannot rename " + partial + " to " + target);
  }
}

}  // namespace scores
