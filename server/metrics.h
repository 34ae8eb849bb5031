// The service's counters in the Prometheus text format: requests by route and
// status with their durations, the store's operations with theirs, and gauges
// read when the page is asked for.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace scores {

class Metrics {
 public:
  // One answered request.
  void Request(const std::string& route, int status, std::chrono::microseconds duration);
  // One call into the store, by operation ("submit", "page", ...); `failed`
  // when it threw.
  void StoreCall(const char* operation, std::chrono::microseconds duration, bool failed);
  // A value read at each rendering, e.g. the connections open now.
  void Gauge(const std::string& name, const std::string& help, std::function<double()> read);
  // A counter owned elsewhere, read at each rendering; `labels` as
  // `name="value"` pairs.
  void Counter(const std::string& name, const std::string& help, std::string labels,
               std::function<double()> read);

  std::string Render() const;

  // Upper bounds of the buckets, in seconds: whole requests, and store calls
  // (which an SQLite file answers in well under a millisecond).
  static const std::vector<double> kRequestBuckets;
  static const std::vector<double> kStoreBuckets;

 private:
  struct Histogram {
    std::vector<std::uint64_t> buckets;
    std::uint64_t count = 0;
    double sum = 0;
    void Add(const std::vector<double>& bounds, double seconds);
  };
  struct Read {
    std::string name, help, type, labels;
    std::function<double()> read;
  };

  mutable std::mutex mutex_;
  std::map<std::pair<std::string, int>, std::uint64_t> requests_;
  std::map<std::string, Histogram> requestSeconds_;  // by route
  std::map<std::string, Histogram> storeSeconds_;    // by operation
  std::map<std::string, std::uint64_t> storeErrors_;
  std::vector<Read> reads_;
};

}  // namespace scores
