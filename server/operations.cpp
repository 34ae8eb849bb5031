#include "server/operations.h"

#include <exception>

#include "server/replay_verifier.h"

namespace scores {

std::string AccessLogLine(const HttpExchange& exchange, std::time_t when) {
  std::tm utc{};
  gmtime_r(&when, &utc);
  char time[32];
  std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
  char duration[32];
  std::snprintf(duration, sizeof duration, "%.3fms",
                static_cast<double>(exchange.duration.count()) / 1000.0);
  return std::string(time) + ' ' + exchange.peer + ' ' + exchange.method + ' ' + exchange.route +
         ' ' + std::to_string(exchange.status) + ' ' + duration + '\n';
}

Operations::Operations(ScoreStore& store, Metrics& metrics, ReplayVerifier* verifier,
                       std::FILE* accessLog)
    : store_(store), verifier_(verifier), accessLog_(accessLog), metrics_(metrics) {}

void Operations::Mount(HttpServer& server) {
  server.Route("GET", "/healthz", [this](const HttpRequest&) {
    try {
      store_.Top(1);
      return HttpReply{200, "ok\n", "text/plain; charset=utf-8", {{"Cache-Control", "no-store"}}};
    } catch (const std::exception&) {
      return HttpReply{
          503, "store unavailable\n", "text/plain; charset=utf-8", {{"Cache-Control", "no-store"}}};
    }
  });
  server.Route("GET", "/metrics", [this](const HttpRequest&) {
    return HttpReply{200,
                     metrics_.Render(),
                     "text/plain; version=0.0.4; charset=utf-8",
                     {{"Cache-Control", "no-store"}}};
  });
  server.OnAnswered([this](const HttpExchange& exchange) {
    metrics_.Request(exchange.route, exchange.status, exchange.duration);
    if (!accessLog_) return;
    const std::string line = AccessLogLine(exchange, std::time(nullptr));
    std::lock_guard lock(logMutex_);
    std::fputs(line.c_str(), accessLog_);
    std::fflush(accessLog_);
  });
  metrics_.Gauge("zq_http_connections", "Connections open now.",
                 [&server] { return static_cast<double>(server.Load().connections); });
  metrics_.Gauge("zq_http_queue_length", "Complete requests waiting for a worker.",
                 [&server] { return static_cast<double>(server.Load().queued); });
  metrics_.Gauge("zq_store_pool_connections", "Database connections in the pool.",
                 [this] { return static_cast<double>(store_.Stats().connections); });
  metrics_.Gauge("zq_store_pool_in_use", "Database connections serving an operation now.",
                 [this] { return static_cast<double>(store_.Stats().inUse); });
  metrics_.Counter("zq_store_pool_waits_total",
                   "Operations that waited for a free database connection.", "",
                   [this] { return static_cast<double>(store_.Stats().waits); });
  metrics_.Counter("zq_store_pool_wait_seconds_total",
                   "Time operations spent waiting for a database connection.", "",
                   [this] { return store_.Stats().waitSeconds; });
  if (verifier_) {
    metrics_.Gauge("zq_verify_queue_length", "Recordings waiting for their check.",
                   [this] { return static_cast<double>(verifier_->Waiting()); });
    metrics_.Counter("zq_verifications_total", "Recordings checked, by result.",
                     "result=\"verified\"",
                     [this] { return static_cast<double>(verifier_->verified()); });
    metrics_.Counter("zq_verifications_total", "Recordings checked, by result.",
                     "result=\"rejected\"",
                     [this] { return static_cast<double>(verifier_->rejected()); });
  }
}

}  // namespace scores
