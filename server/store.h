// Where the world table and the one-time tokens live. Two stores keep the same
// promises: SQLite (one file, the default) and PostgreSQL (for a publisher who
// outgrows one machine). Every method is safe to call from many threads.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scores {

// Where an entry's recorded game stands: none sent, waiting for its check,
// played back to the entry's score, or refused by the check (with a reason).
enum class ReplayMark : std::int32_t { None = 0, Pending = 1, Verified = 2, Rejected = 3 };
// "none", "pending", "verified" or "rejected".
const char* MarkName(ReplayMark mark);

struct ScoreEntry {
  std::string name;
  std::string country;
  std::int32_t score = 0;
  std::int64_t time = 0;     // seconds since 1970 (UTC)
  std::string address = {};  // the client's address when it was sent ("" if not kept)
};

// An entry of the table with its recording's state.
struct TopEntry : ScoreEntry {
  std::int64_t id = 0;
  ReplayMark mark = ReplayMark::None;
  std::string reason;     // why the recording was rejected
  std::int64_t rank = 0;  // place in the world table (1 for the best); filled by Page
};

// One page of the world table, optionally of one country's entries (whose
// ranks stay their world ranks) or of verified entries only.
struct TopQuery {
  int limit = 100;
  std::int64_t offset = 0;
  std::string country;  // empty: every country
  bool verifiedOnly = false;
};

struct TopPage {
  std::vector<TopEntry> entries;
  std::int64_t total = 0;  // entries the query matches, over every page
};

// The entry a token was used for, as the recording sent with it must match.
struct TokenEntry {
  std::int64_t id = 0;
  std::string name;
  std::int32_t score = 0;
  bool hasReplay = false;
};

// A recording stored and not yet checked.
struct PendingReplay {
  std::int64_t id = 0;
  std::int32_t score = 0;
  std::vector<std::uint8_t> bytes;
};

// How busy a store's connections are, for the operator's figures (zeros for
// a store without a pool).
struct StoreStats {
  int connections = 0;  // in the pool
  int inUse = 0;
  std::uint64_t waits = 0;   // operations that found every connection in use
  double waitSeconds = 0.0;  // their waiting, summed
};

class ScoreStore {
 public:
  virtual ~ScoreStore() = default;

  // Records `token` as used at `now` (it stays valid until `expiresAt`) and
  // stores `entry` with it, both or neither: false when the token was used
  // before. The service has checked the token's signature and time.
  virtual bool SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                               const ScoreEntry& entry) = 0;
  // Forgets at most `limit` used tokens that expired at or before `now`, in
  // one short statement; how many it forgot.
  virtual int PurgeUsedTokens(std::int64_t now, int limit) = 0;
  // Best first (higher score, then the earlier entry), at most `limit`; only
  // the verified ones when `verifiedOnly`.
  virtual std::vector<TopEntry> Top(int limit, bool verifiedOnly) = 0;
  std::vector<TopEntry> Top(int limit) { return Top(limit, false); }
  virtual std::int64_t CountEntries() = 0;
  virtual TopPage Page(const TopQuery& query) = 0;
  // The countries with most entries, at most `limit`, in alphabetical order.
  virtual std::vector<std::string> Countries(int limit) = 0;

  // For the operator (zq-scores admin): the newest entries first, with their
  // addresses; removing an entry (false when there is none); the addresses
  // whose requests are refused.
  virtual std::vector<TopEntry> Recent(int limit) = 0;
  virtual bool RemoveEntry(std::int64_t id) = 0;
  virtual void Ban(const std::string& address) = 0;
  virtual bool Unban(const std::string& address) = 0;
  virtual std::vector<std::string> Bans() = 0;

  // The entry stored with `token`, while its use is remembered (until it is
  // purged after the token's expiry).
  virtual std::optional<TokenEntry> EntryForToken(const std::string& token) = 0;
  // Keeps `bytes` as the entry's recording and marks it pending, unless it
  // has a recording already: false then, and nothing changes.
  virtual bool AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) = 0;
  virtual void MarkReplay(std::int64_t id, ReplayMark mark, const std::string& reason) = 0;
  // The recording of a verified entry; nothing for any other.
  virtual std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t id) = 0;
  // At most `limit` pending recordings, oldest first (left by a stop).
  virtual std::vector<PendingReplay> PendingReplays(int limit) = 0;

  virtual StoreStats Stats() { return {}; }
};

// "postgresql://..." or "postgres://..." opens PostgreSQL, anything else is an
// SQLite file path; `connections` is PostgreSQL's pool, whatever the number of
// threads using the store. Throws std::runtime_error when the store cannot be
// opened.
std::unique_ptr<ScoreStore> OpenStore(const std::string& where, int connections = 4);
std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path);
// Copies the SQLite store at `path` to `target` page by page with SQLite's
// online backup, while services keep writing; the copy is a store that opens
// as it stood. Throws std::runtime_error on failure (no copy is left).
void BackupSqliteStore(const std::string& path, const std::string& target);
std::unique_ptr<ScoreStore> OpenPostgresStore(const std::string& url, int connections);

}  // namespace scores
