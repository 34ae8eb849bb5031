// What an operator looks at: GET /healthz (200 while the store answers, 503
// otherwise), GET /metrics (Prometheus text) and one access-log line per
// answered request.
#pragma once

#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>

#include "server/http_server.h"
#include "server/metrics.h"
#include "server/store.h"

namespace scores {

class ReplayVerifier;

// "2026-12-11T08:40:08Z 127.0.0.1 GET /api/top 200 0.812ms"
std::string AccessLogLine(const HttpExchange& exchange, std::time_t when);

class Operations {
 public:
  // `metrics` also gets the store's timings when the service's store is a
  // TimedStore over it; `accessLog` (may be null) gets a line per request;
  // `verifier` may be null.
  Operations(ScoreStore& store, Metrics& metrics, ReplayVerifier* verifier, std::FILE* accessLog);

  // The two routes, the per-request hook and the server's gauges.
  void Mount(HttpServer& server);

 private:
  ScoreStore& store_;
  ReplayVerifier* verifier_;
  std::FILE* accessLog_;
  std::mutex logMutex_;
  Metrics& metrics_;
};

}  // namespace scores
