#include "server/rate_limiter.h"

#include <algorithm>

namespace scores {

bool RateLimiter::Allow(const std::string& client, double nowSeconds) {
  if (perMinute_ <= 0) return true;
  std::lock_guard lock(mutex_);
  const double capacity = perMinute_;
  const double refillPerSecond = perMinute_ / 60.0;
  auto found = buckets_.find(client);
  if (found == buckets_.end()) {
    if (buckets_.size() >= maxClients_) ForgetFullBuckets(nowSeconds);
    found = buckets_.emplace(client, Bucket{capacity, nowSeconds}).first;
  }
  Bucket& bucket = found->second;
  bucket.tokens = std::min(
      capacity, bucket.tokens + std::max(0.0, nowSeconds - bucket.updated) * refillPerSecond);
  bucket.updated = nowSeconds;
  if (bucket.tokens < 1) return false;
  bucket.tokens -= 1;
  return true;
}

// A client whose bucket has refilled is no different from a new one.
void RateLimiter::ForgetFullBuckets(double nowSeconds) {
  const double refillPerSecond = perMinute_ / 60.0;
  std::erase_if(buckets_, [&](const auto& item) {
    return item.second.tokens + (nowSeconds - item.second.updated) * refillPerSecond >= perMinute_;
  });
}

}  // namespace scores
