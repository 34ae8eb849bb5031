#include "server/service.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "protocol/replay.h"
#include "protocol/score_record.h"
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
constexpr std::uint64_t kMaxOtherBody = 4096;

const std::string* Param(const Params& params, const char* key) {
  const auto found = params.find(key);
  return found == params.end() ? nullptr : &found->second;
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
      limiter_(options_.submissionsPerMinute),
      signer_(options_.tokenSecret.empty() ? RandomBytes(kMinSecretBytes) : options_.tokenSecret) {
  if (!options_.now) options_.now = SystemSeconds;
  if (!options_.steadyNow) options_.steadyNow = SteadySeconds;
}

void ScoreService::Mount(httplib::Server& server) {
  const auto send = [](httplib::Response& res, const Reply& reply) {
    res.status = reply.status;
    res.set_content(reply.body, reply.type);
  };
  server.Get("/cgi/version.pl", [this, send](const httplib::Request& req, httplib::Response& res) {
    send(res, Script(req.params, req.remote_addr));
  });
  server.Get("/api/top", [this, send](const httplib::Request& req, httplib::Response& res) {
    send(res, TopJson(req.params));
  });
  server.Get(
      R"(/api/replays/(\d{1,18}))", [this](const httplib::Request& req, httplib::Response& res) {
        const Reply reply = GetReplay(req.matches[1]);
        res.status = reply.status;
        if (reply.status == 200) {
          res.set_header("Content-Disposition",
                         "attachment; filename=\"zq-" + std::string(req.matches[1]) + ".zqr\"");
        }
        res.set_content(reply.body, reply.type);
      });
  server.Post("/api/replays", [this, send](const httplib::Request& req, httplib::Response& res,
                                           const httplib::ContentReader& read) {
    if (!options_.verifier) return send(res, {404, "recordings are not taken here\n", kText});
    // A body over the limit is refused by its stated length, before it is read.
    const std::string tooLarge = "the recording is larger than " +
                                 std::to_string(protocol::kReplayMaxFileBytes) + " bytes\n";
    if (req.has_header("Content-Length") &&
        req.get_header_value<std::uint64_t>("Content-Length") > protocol::kReplayMaxFileBytes) {
      res.set_header("Connection", "close");
      return send(res, {413, tooLarge, kText});
    }
    std::vector<std::uint8_t> bytes;
    bool over = false;
    const bool whole = read([&bytes, &over](const char* data, std::size_t length) {
      if (bytes.size() + length > protocol::kReplayMaxFileBytes) {
        over = true;
        return false;
      }
      bytes.insert(bytes.end(), data, data + length);
      return true;
    });
    if (over) return send(res, {413, tooLarge, kText});
    if (!whole) return send(res, {400, "the recording did not arrive whole\n", kText});
    send(res, PostReplay(req.params, bytes));
  });
  server.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        res.status = 500;
        res.set_content("store unavailable\n", kText);
      });
  // Only a recording is this large; any other request with a body over 4 KiB
  // is refused before its body is read.
  server.set_payload_max_length(protocol::kReplayMaxFileBytes);
  server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    if (req.path == "/api/replays" || !req.has_header("Content-Length") ||
        req.get_header_value<std::uint64_t>("Content-Length") <= kMaxOtherBody) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    res.status = 413;
    res.set_header("Connection", "close");
    res.set_content("request body too large\n", kText);
    return httplib::Server::HandlerResponse::Handled;
  });
  server.set_tcp_nodelay(true);  // small replies go out at once, not after a delayed ACK
  server.set_read_timeout(5, 0);
  server.set_write_timeout(5, 0);
  server.set_keep_alive_timeout(5);
}

ScoreService::Reply ScoreService::Script(const Params& params, const std::string& client) {
  const std::string* program = Param(params, "prg");
  if (!program || *program != "ZorbellineQuester") return {400, "unknown program\n", kText};
  if (Param(params, "version")) return Version();
  if (Param(params, "hs")) return Submission(params, client);
  if (Param(params, "show")) return Table(params);
  return {400, "unknown request\n", kText};
}

// The game keeps the fifth "|" field, the one followed by another "|".
ScoreService::Reply ScoreService::Version() {
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
  if (!limiter_.Allow(client, options_.steadyNow())) return {429, "too many submissions\n", kText};
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
                              ScoreEntry{r.name, r.country, r.score, now})) {
    return refused;
  }
  return {200, "OK", kText};
}

ScoreService::Reply ScoreService::Table(const Params& params) {
  const std::string* type = Param(params, "type");
  if (!type || *type != "0") return {400, "unknown table\n", kText};
  return {200, RenderTopPage(store_.Top(kTopLimit)), kHtml};
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
