// The world high-score service over HTTP: the game's version request (which
// hands out a signed one-time token and stores nothing), its score submission, the recorded game
// sent with the same token afterwards, the world table as a web page and as JSON.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "server/http_server.h"
#include "server/periodic_value.h"
#include "server/rate_limiter.h"
#include "server/store.h"
#include "server/token_signer.h"

namespace scores {

class ReplayVerifier;

struct ServiceOptions {
  // Version requests per client address; 0: no limit. A refused one shows the
  // player the game's retry question; a submission is never refused for it,
  // so a score that got its token is never lost to the limit.
  int versionRequestsPerMinute = 30;
  std::int64_t tokenLifetime = 600;  // seconds
  // The key tokens are signed with (at least kMinSecretBytes bytes); empty: a
  // random one made now, so tokens do not outlive this service object.
  std::vector<std::uint8_t> tokenSecret;
  // Seconds since 1970 (token expiry, entry dates) and a steady clock in
  // seconds (rate limit); the system's clocks unless tests set them.
  std::function<std::int64_t()> now;
  std::function<double()> steadyNow;
  // Checks the recordings sent after submissions; none: recordings are not
  // taken (404).
  ReplayVerifier* verifier = nullptr;
  // Reverse proxies whose X-Forwarded-For names the client (the rate limit
  // counts that address instead of the proxy's).
  std::vector<std::string> trustedProxies;
};

inline constexpr int kTopLimit = 100;
inline constexpr std::size_t kMaxEncodedRecord = 512;

class ScoreService {
 public:
  explicit ScoreService(ScoreStore& store, ServiceOptions options = {});

  // The service's routes on `server`.
  void Mount(HttpServer& server);

 private:
  struct Reply {
    int status;
    std::string body;
    const char* type;
  };
  Reply Script(const std::multimap<std::string, std::string>& params, const std::string& client);
  Reply Version(const std::string& client);
  Reply Submission(const std::multimap<std::string, std::string>& params,
                   const std::string& client);
  // Whether the operator banned `client` (zq-scores admin ban); the list is
  // read again at most every kBansRereadSeconds.
  bool Banned(const std::string& client);
  Reply Table(const std::multimap<std::string, std::string>& params);
  Reply WorldPage(const std::multimap<std::string, std::string>& params);
  Reply TopJson(const std::multimap<std::string, std::string>& params);
  Reply PostReplay(const std::multimap<std::string, std::string>& params,
                   const std::vector<std::uint8_t>& bytes);
  Reply GetReplay(const std::string& id);
  void PurgeUsedTokens(std::int64_t now);
  // The countries of the world page's filter, read again at most every
  // kCountriesRereadSeconds.
  std::vector<std::string> Countries();

  ScoreStore& store_;
  ServiceOptions options_;
  RateLimiter limiter_;
  TokenSigner signer_;
  std::atomic<std::int64_t> lastPurge_{0};
  PeriodicValue<std::set<std::string>> bans_;
  PeriodicValue<std::vector<std::string>> countries_;
};

}  // namespace scores
