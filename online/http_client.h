// The one HTTP client of the game: a GET, or a POST of bytes, that returns the
// reply body as text.
// A failed connection, a time-out, an HTTP error status, a reply body above
// the cap and a cancelled request are all failures, never a hang or a crash.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace online {

struct HttpOptions {
  // With both time-outs, one request ends within about 10 s, so the two
  // requests of a submission hold "Please wait..." for about 20 s at most.
  std::chrono::milliseconds connectTimeout{5000};
  std::chrono::milliseconds requestTimeout{10000};
  std::size_t maxBodyBytes = 64 * 1024;
};

struct HttpReply {
  bool ok = false;
  long status = 0;    // the HTTP status, 0 when none arrived
  std::string body;   // the body when ok
  std::string error;  // why not, for tests and diagnostics
};

class HttpClient {
 public:
  explicit HttpClient(HttpOptions options = {});
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Safe to call from several threads at once. A request in flight ends soon
  // after `cancel` becomes true.
  HttpReply Get(const std::string& url, const std::atomic<bool>* cancel = nullptr) const;
  // `body` as application/octet-stream, with the same limits.
  HttpReply Post(const std::string& url, const std::vector<std::uint8_t>& body,
                 const std::atomic<bool>* cancel = nullptr) const;

  const HttpOptions& options() const { return options_; }

 private:
  HttpReply Perform(const std::string& url, const std::vector<std::uint8_t>* postBody,
                    const std::atomic<bool>* cancel) const;

  HttpOptions options_;
};

}  // namespace online
