// The service's HTTP layer over libmicrohttpd. One event thread holds every
// connection, so an idle or slow client costs a socket and a small buffer,
// never a thread; complete requests go to a fixed pool of workers. Every
// limit a client could stretch is bounded: the time to send a request's
// headers, their size and number, the keep-alive idle time, connections per
// address and in all, and the body per route.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace scores {

struct HttpRequest {
  std::string method;
  std::string path;
  std::multimap<std::string, std::string> params;  // query arguments, decoded
  std::map<std::string, std::string> headers;      // names in lower case
  std::string peer;                                // the connecting address
  std::string body;

  // The header's value, or null.
  const std::string* Header(const std::string& lowerCaseName) const;
};

struct HttpReply {
  int status = 200;
  std::string body;
  std::string type = "text/plain; charset=utf-8";
  std::vector<std::pair<std::string, std::string>> headers = {};
};

using HttpHandler = std::function<HttpReply(const HttpRequest&)>;

struct HttpLimits {
  int workers = 8;                              // requests handled at once
  std::size_t queue = 1024;                     // complete requests waiting for a worker; more: 503
  unsigned connections = 4000;                  // open at once in all
  unsigned perAddress = 64;                     // open at once from one address
  unsigned backlog = 1024;                      // connections waiting to be accepted
  std::size_t headerBytes = 8192;               // request line and headers; more: 431
  unsigned headerCount = 64;                    // header lines; more: 431
  std::chrono::milliseconds headerTime{10000};  // from connecting to the whole headers
  std::chrono::milliseconds idleTime{5000};     // keep-alive wait for the next request
  unsigned silentSeconds = 15;                  // nothing sent either way (a body, a slow reader)
  std::size_t bodyBytes = 4096;                 // a route may allow more
  std::chrono::milliseconds stopGrace{3000};    // answering complete requests at a stop
};

// One answered request, for the access log and the metrics.
struct HttpExchange {
  std::string peer;
  std::string method;
  std::string route;  // the route that took it ("-" for none)
  int status = 0;
  std::chrono::microseconds duration{};  // from complete headers to the reply queued
};

struct HttpLoad {
  std::size_t connections = 0;  // open now
  std::size_t queued = 0;       // complete requests waiting for a worker
};

class HttpServer {
 public:
  explicit HttpServer(HttpLimits limits = {});
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Requests for exactly `path` (or, with a path other than "/" ending in
  // "/", every path under it) with `method`. Register every route before Start.
  void Route(const std::string& method, const std::string& path, HttpHandler handler,
             std::size_t maxBody = 0);
  // Called on a worker for every answered request.
  void OnAnswered(std::function<void(const HttpExchange&)> log);

  // Listens on host:port (0: a free port) and serves on threads of its own;
  // the port. Throws std::runtime_error when it cannot listen.
  int Start(const std::string& host, int port);
  HttpLoad Load() const;
  // Takes no new connection, answers the requests already complete (for at
  // most stopGrace), then closes every connection. Idempotent.
  void Stop();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace scores
