#include "server/service.h"

#include <sys/random.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "protocol/replay.h"
#include "protocol/score_record.h"
#include "server/client_address.h"
#include "server/pages.h"
#include "server/record_check.h"
#include "server/replay_verifier.h"

namespace scores {
namespace {

using Params = std::multimap<std::string, std::string>;

constexpr const char* kText = "text/plain; charset=utf-8";
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json";
constexpr const char* kBytes = "application/octet-stream";
constexpr std::int64_t kPurgeEverySeconds = 60;
// Used tokens forgotten by one statement at most, so no request waits long.
constexpr int kPurgeBatch = 1000;
// How far instances' clocks may differ: a token issued this far in the future
// is taken, and a used one is kept this much longer than its expiry so that an
// instance whose clock is behind still finds it.
constexpr std::int64_t kClockSkew = 30;

const std::string* Param(const Params& params, const char* key) {
  const auto found = params.find(key);
  return found == params.end() ? nullptr : &found->second;
}

constexpr std::size_t kMaxCountryFilter = 40;
constexpr int kCountriesListed = 200;
constexpr double kBansRereadSeconds = 30;
constexpr double kCountriesRereadSeconds = 60;
// The page has no script, no frame and one style sheet of its own.
constexpr const char* kPagePolicy =
    "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; "
    "base-uri 'none'; frame-ancestors 'none'";

// A successful reply that caches may keep for `maxAge` seconds, with an ETag
// from its body: a request that names it gets 304 and no body.
HttpReply Cached(const HttpRequest& request, HttpReply reply, int maxAge, const char* policy) {
  if (reply.status != 200) return reply;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : reply.body) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(hash));
  reply.headers.emplace_back("ETag", tag);
  reply.headers.emplace_back("Cache-Control", "public, max-age=" + std::to_string(maxAge));
  if (policy) reply.headers.emplace_back("Content-Security-Policy", policy);
  if (const std::string* match = request.Header("if-none-match"); match && *match == tag) {
    reply.status = 304;
    reply.body.clear();
  }
  return reply;
}

std::int64_t SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ScoreService::ScoreService(ScoreStore& store, ServiceOptions options)
    : store_(store),
      options_(std::move(options)),
      limiter_(options_.versionRequestsPerMinute),
      signer_(options_.tokenSecret.empty() ? RandomBytes(kMinSecretBytes) : options_.tokenSecret),
      bans_(kBansRereadSeconds),
      countries_(kCountriesRereadSeconds) {
  if (!options_.now) options_.now = SystemSeconds;
  if (!options_.steadyNow) options_.steadyNow = SteadySeconds;
}

void ScoreService::Mount(HttpServer& server) {
  const auto reply = [](const Reply& r) { return HttpReply{r.status, r.body, r.type}; };
  server.Route("GET", "/cgi/version.pl", [this, reply](const HttpRequest& req) {
    const bool page = Param(req.params, "show") != nullptr;
    HttpReply r = reply(Script(req.params, ClientAddress(req, options_.trustedProxies)));
    return page ? Cached(req, std::move(r), 30, kPagePolicy) : r;
  });
  server.Route("GET", "/", [this, reply](const HttpRequest& req) {
    return Cached(req, reply(WorldPage(req.params)), 30, kPagePolicy);
  });
  server.Route("GET", "/world.css", [](const HttpRequest& req) {
    return Cached(req, HttpReply{200, kWorldCss, "text/css; charset=utf-8"}, 86400, nullptr);
  });
  server.Route("GET", "/api/top", [this, reply](const HttpRequest& req) {
    return Cached(req, reply(TopJson(req.params)), 30, nullptr);
  });
  server.Route("GET", "/api/replays/", [this, reply](const HttpRequest& req) {
    const std::string id = req.path.substr(std::string("/api/replays/").size());
    if (id.empty() || id.size() > 18 || id.find_first_not_of("0123456789") != std::string::npos) {
      return reply({404, "not found\n", kText});
    }
    HttpReply r = reply(GetReplay(id));
    if (r.status == 200) {
      r.headers.emplace_back("Content-Disposition", "attachment; filename=\"zq-" + id + ".zqr\"");
    }
    return r;
  });
  // Only a recording is this large; any other body over 4 KiB is refused by
  // the HTTP layer, before it is read.
  server.Route(
      "POST", "/api/replays",
      [this, reply](const HttpRequest& req) {
        if (!options_.verifier) return reply({404, "recordings are not taken here\n", kText});
        return reply(
            PostReplay(req.params, std::vector<std::uint8_t>(req.body.begin(), req.body.end())));
      },
      protocol::kReplayMaxFileBytes);
}

ScoreService::Reply ScoreService::Script(const Params& params, const std::string& client) {
  const std::string* program = Param(params, "prg");
  if (!program || *program != "ZorbellineQuester") return {400, "unknown program\n", kText};
  if (Param(params, "version")) return Version(client);
  if (Param(params, "hs")) return Submission(params, client);
  if (Param(params, "show")) return Table(params);
  return {400, "unknown request\n", kText};
}

// The game keeps the fifth "|" field, the one followed by another "|".
bool ScoreService::Banned(const std::string& client) {
  return bans_.With(
      options_.steadyNow(),
      [this] {
        const std::vector<std::string> bans = store_.Bans();
        return std::set<std::string>(bans.begin(), bans.end());
      },
      [&client](const std::set<std::string>& bans) { return bans.count(client) > 0; });
}

// The filter's list groups the whole table, too costly to read for every page.
std::vector<std::string> ScoreService::Countries() {
  return countries_.With(
      options_.steadyNow(), [this] { return store_.Countries(kCountriesListed); },
      [](const std::vector<std::string>& countries) { return countries; });
}

ScoreService::Reply ScoreService::Version(const std::string& client) {
  if (Banned(client)) return {403, "this address may not send scores\n", kText};
  if (!limiter_.Allow(client, options_.steadyNow())) {
    return {429, "too many requests; try again in a minute\n", kText};
  }
  return {200, "OK|1|0|0|" + signer_.Issue(options_.now()) + "|", kText};
}

// One batch a minute, and the next batch at the next call while batches come
// back full.
void ScoreService::PurgeUsedTokens(std::int64_t now) {
  std::int64_t last = lastPurge_.load();
  if (now - last < kPurgeEverySeconds || !lastPurge_.compare_exchange_strong(last, now)) return;
  if (store_.PurgeUsedTokens(now - kClockSkew, kPurgeBatch) == kPurgeBatch) {
    lastPurge_.store(now - kPurgeEverySeconds);
  }
}

ScoreService::Reply ScoreService::Submission(const Params& params, const std::string& client) {
  if (Banned(client)) return {403, "this address may not send scores\n", kText};
  const std::string* inf = Param(params, "inf");
  if (!inf || inf->empty()) return {400, "inf missing\n", kText};
  if (inf->size() > kMaxEncodedRecord) return {400, "inf too long\n", kText};
  const std::optional<std::string> text = protocol::DecodeRecord(*inf);
  if (!text) return {400, "inf is not an encoded record\n", kText};
  const RecordCheck check = CheckRecord(*text);
  if (!check.record) return {400, check.reason + "\n", kText};

  const SubmittedRecord& r = *check.record;
  const std::int64_t now = options_.now();
  const std::optional<std::int64_t> issued = signer_.IssuedAt(r.token);
  const Reply refused{400, "unknown, used or expired token\n", kText};
  if (!issued || *issued > now + kClockSkew) return refused;
  const std::int64_t expiresAt = *issued + options_.tokenLifetime;
  if (now >= expiresAt) return refused;
  PurgeUsedTokens(now);
  if (!store_.SubmitWithToken(r.token, now, expiresAt,
                              ScoreEntry{r.name, r.country, r.score, now, client})) {
    return refused;
  }
  return {200, "OK", kText};
}

ScoreService::Reply ScoreService::Table(const Params& params) {
  const std::string* type = Param(params, "type");
  if (!type || *type != "0") return {400, "unknown table\n", kText};
  return WorldPage(params);
}

ScoreService::Reply ScoreService::WorldPage(const Params& params) {
  TopQuery query;
  query.limit = kTopLimit;
  if (const std::string* text = Param(params, "page")) {
    if (text->empty() || text->size() > 6 ||
        text->find_first_not_of("0123456789") != std::string::npos || std::stoi(*text) < 1) {
      return {400, "page must be a number from 1\n", kText};
    }
    query.offset = static_cast<std::int64_t>(std::stoi(*text) - 1) * kTopLimit;
  }
  if (const std::string* country = Param(params, "country")) {
    if (country->size() > kMaxCountryFilter) return {400, "country too long\n", kText};
    query.country = *country;
  }
  return {200, RenderTopPage(store_.Page(query), query, Countries()), kHtml};
}

ScoreService::Reply ScoreService::PostReplay(const Params& params,
                                             const std::vector<std::uint8_t>& bytes) {
  const std::string* token = Param(params, "p");
  if (!token || token->empty()) return {400, "p missing\n", kText};
  // A value this service never signed is turned away without a look in the store.
  std::optional<TokenEntry> entry;
  if (signer_.IssuedAt(*token)) entry = store_.EntryForToken(*token);
  if (!entry) return {400, "no entry was stored with this token\n", kText};
  if (entry->hasReplay) return {400, "the entry has a recording already\n", kText};
  protocol::Replay replay;
  try {
    replay = protocol::DecodeReplay(bytes);
  } catch (const protocol::ReplayError& error) {
    return {400, std::string(error.what()) + "\n", kText};
  }
  if (replay.score != entry->score) {
    return {400,
            "the recording's score " + std::to_string(replay.score) + " is not the entry's " +
                std::to_string(entry->score) + "\n",
            kText};
  }
  if (replay.name != entry->name) return {400, "the recording's name is not the entry's\n", kText};
  if (!options_.verifier->Reserve())
    return {503, "too many recordings waiting; try later\n", kText};
  try {
    if (!store_.AttachReplay(entry->id, bytes)) {
      options_.verifier->Release();
      return {400, "the entry has a recording already\n", kText};
    }
  } catch (...) {
    options_.verifier->Release();
    throw;
  }
  options_.verifier->Queue(entry->id, entry->score, bytes);
  return {202, "pending\n", kText};
}

ScoreService::Reply ScoreService::GetReplay(const std::string& id) {
  const std::optional<std::vector<std::uint8_t>> bytes = store_.VerifiedReplay(std::stoll(id));
  if (!bytes) return {404, "no verified recording\n", kText};
  return {200, std::string(bytes->begin(), bytes->end()), kBytes};
}

ScoreService::Reply ScoreService::TopJson(const Params& params) {
  int limit = kTopLimit;
  if (const std::string* text = Param(params, "limit")) {
    try {
      std::size_t used = 0;
      limit = std::stoi(*text, &used);
      if (used != text->size()) throw std::invalid_argument("limit");
    } catch (const std::exception&) {
      return {400, "limit must be a number\n", kText};
    }
    if (limit < 1 || limit > kTopLimit) return {400, "limit must be 1 to 100\n", kText};
  }
  bool verifiedOnly = false;
  if (const std::string* text = Param(params, "verified")) {
    if (*text != "0" && *text != "1") return {400, "verified must be 0 or 1\n", kText};
    verifiedOnly = *text == "1";
  }
  return {200, RenderTopJson(store_.Top(limit, verifiedOnly)), kJson};
}

}  // namespace scores
