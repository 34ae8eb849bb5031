// The service's counters in the Prometheus text format: requests by route and
// status with their durations, and gauges read when the page is asked for.
#pragma once

#include <chrono>
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
  // A value read at each rendering, e.g. the connections open now.
  void Gauge(const std::string& name, const std::string& help, std::function<double()> read);
  // A counter owned elsewhere, read at each rendering; `labels` as
  // `name="value"` pairs.
  void Counter(const std::string& name, const std::string& help, std::string labels,
               std::function<double()> read);

  std::string Render() const;

  // Upper bounds of the duration buckets, in seconds.
  static const std::vector<double> kBuckets;

 private:
  struct Histogram {
    std::vector<std::uint64_t> buckets = std::vector<std::uint64_t>(kBuckets.size(), 0);
    std::uint64_t count = 0;
    double sum = 0;
  };
  struct Read {
    std::string name, help, type, labels;
    std::function<double()> read;
  };

  mutable std::mutex mutex_;
  std::map<std::pair<std::string, int>, std::uint64_t> requests_;
  std::map<std::string, Histogram> durations_;
  std::vector<Read> reads_;
};

}  // namespace scores
