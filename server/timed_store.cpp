#include "server/timed_store.h"

#include <chrono>
#include <exception>

namespace scores {

template <typename Call>
auto TimedStore::Timed(const char* operation, Call call) {
  using Clock = std::chrono::steady_clock;
  struct Record {
    Metrics& metrics;
    const char* operation;
    Clock::time_point start = Clock::now();
    int exceptions = std::uncaught_exceptions();
    ~Record() {
      metrics.StoreCall(operation,
                        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start),
                        std::uncaught_exceptions() > exceptions);
    }
  } record{metrics_, operation};
  return call();
}

bool TimedStore::SubmitWithToken(const std::string& token, std::int64_t now, std::int64_t expiresAt,
                                 const ScoreEntry& entry) {
  return Timed("submit", [&] { return store_.SubmitWithToken(token, now, expiresAt, entry); });
}
int TimedStore::PurgeUsedTokens(std::int64_t now, int limit) {
  return Timed("purge_used_tokens", [&] { return store_.PurgeUsedTokens(now, limit); });
}
std::vector<TopEntry> TimedStore::Top(int limit, bool verifiedOnly) {
  return Timed("top", [&] { return store_.Top(limit, verifiedOnly); });
}
std::int64_t TimedStore::CountEntries() {
  return Timed("count_entries", [&] { return store_.CountEntries(); });
}
TopPage TimedStore::Page(const TopQuery& query) {
  return Timed("page", [&] { return store_.Page(query); });
}
std::vector<std::string> TimedStore::Countries(int limit) {
  return Timed("countries", [&] { return store_.Countries(limit); });
}
std::vector<TopEntry> TimedStore::Recent(int limit) {
  return Timed("recent", [&] { return store_.Recent(limit); });
}
bool TimedStore::RemoveEntry(std::int64_t id) {
  return Timed("remove_entry", [&] { return store_.RemoveEntry(id); });
}
void TimedStore::Ban(const std::string& address) {
  Timed("ban", [&] { store_.Ban(address); });
}
bool TimedStore::Unban(const std::string& address) {
  return Timed("unban", [&] { return store_.Unban(address); });
}
std::vector<std::string> TimedStore::Bans() {
  return Timed("bans", [&] { return store_.Bans(); });
}
std::optional<TokenEntry> TimedStore::EntryForToken(const std::string& token) {
  return Timed("entry_for_token", [&] { return store_.EntryForToken(token); });
}
bool TimedStore::AttachReplay(std::int64_t id, const std::vector<std::uint8_t>& bytes) {
  return Timed("attach_replay", [&] { return store_.AttachReplay(id, bytes); });
}
void TimedStore::MarkReplay(std::int64_t id, ReplayMark mark, const std::string& reason) {
  Timed("mark_replay", [&] { store_.MarkReplay(id, mark, reason); });
}
std::optional<std::vector<std::uint8_t>> TimedStore::VerifiedReplay(std::int64_t id) {
  return Timed("verified_replay", [&] { return store_.VerifiedReplay(id); });
}
std::vector<PendingReplay> TimedStore::PendingReplays(int limit) {
  return Timed("pending_replays", [&] { return store_.PendingReplays(limit); });
}

}  // namespace scores
