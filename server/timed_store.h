// A store that times every call into the one it wraps and counts the calls
// that throw, for the operator's figures; everything else passes through.
#pragma once

#include "server/metrics.h"
#include "server/store.h"

namespace scores {

class TimedStore final : public ScoreStore {
 public:
  TimedStore(ScoreStore& store, Metrics& metrics) : store_(store), metrics_(metrics) {}

  bool SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                       const ScoreEntry& entry) override;
  int PurgeUsedTokens(std::int64_t now, int limit) override;
  using ScoreStore::Top;
  std::vector<TopEntry> Top(int limit, bool verifiedOnly) override;
  std::int64_t CountEntries() override;
  TopPage Page(const TopQuery& query) override;
  std::vector<std::string> Countries(int limit) override;
  std::vector<TopEntry> Recent(int limit) override;
  bool RemoveEntry(std::int64_t id) override;
  void Ban(const std::string& address) override;
  bool Unban(const std::string& address) override;
  std::vector<std::string> Bans() override;
  std::optional<TokenEntry> EntryForToken(const std::string& token) override;
  bool AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) override;
  void MarkReplay(std::int64_t id, ReplayMark mark, const std::string& reason) override;
  std::optional<std::vector<std::uint8_t>> VerifiedReplay(std::int64_t id) override;
  std::vector<PendingReplay> PendingReplays(int limit) override;
  StoreStats Stats() override { return store_.Stats(); }

 private:
  // Runs `call` on the wrapped store and records its time under `operation`.
  template <typename Call>
  auto Timed(const char* operation, Call call);

  ScoreStore& store_;
  Metrics& metrics_;
};

}  // namespace scores
