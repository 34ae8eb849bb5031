// Submissions per client: a bucket of `perMinute` that refills evenly over a
// minute, so a burst of that many passes and then one every 60/perMinute s.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace scores {

class RateLimiter {
 public:
  // perMinute 0 lets everything pass.
  explicit RateLimiter(int perMinute, std::size_t maxClients = 100000)
      : perMinute_(perMinute), maxClients_(maxClients) {}

  // True when `client` may submit at `nowSeconds` (any steady clock), and
  // counts the submission.
  bool Allow(const std::string& client, double nowSeconds);

 private:
  struct Bucket {
    double tokens = 0;
    double updated = 0;
  };
  void ForgetFullBuckets(double nowSeconds);

  int perMinute_;
  std::size_t maxClients_;
  std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
};

}  // namespace scores
