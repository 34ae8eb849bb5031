// Where the world table and the one-time tokens live. Two stores keep the same
// promises: SQLite (one file, the default) and PostgreSQL (for a publisher who
// outgrows one machine). Every method is safe to call from many threads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace scores {

struct ScoreEntry {
  std::string name;
  std::string country;
  std::int32_t score = 0;
  std::int64_t time = 0;  // seconds since 1970 (UTC)
};

class ScoreStore {
 public:
  virtual ~ScoreStore() = default;

  // A fresh token, usable once until `expiresAt`.
  virtual void AddToken(const std::string& token, std::int64_t expiresAt) = 0;
  // Uses up `token` and stores `entry`, both or neither: false when the token
  // is unknown, used or expired at `now`.
  virtual bool SubmitWithToken(const std::string& token, std::int64_t now,
                               const ScoreEntry& entry) = 0;
  // Forgets tokens that expired before `now`.
  virtual void PurgeTokens(std::int64_t now) = 0;
  // Best first (higher score, then the earlier entry), at most `limit`.
  virtual std::vector<ScoreEntry> Top(int limit) = 0;
  virtual std::int64_t CountEntries() = 0;
};

// "postgresql://..." or "postgres://..." opens PostgreSQL, anything else is an
// SQLite file path. Throws std::runtime_error when the store cannot be opened.
std::unique_ptr<ScoreStore> OpenStore(const std::string& where, int connections = 4);
std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path);
std::unique_ptr<ScoreStore> OpenPostgresStore(const std::string& url, int connections);

}  // namespace scores
