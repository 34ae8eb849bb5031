#include "server/metrics.h"

#include <cstdio>
#include <sstream>

namespace scores {
namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// A label value with its backslashes, quotes and line ends escaped.
std::string Label(const std::string& value) {
  std::string out;
  for (const char c : value) {
    if (c == '\\' || c == '"') out += '\\';
    out += c == '\n' ? 'n' : c;
  }
  return out;
}

}  // namespace

const std::vector<double> Metrics::kBuckets = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                               0.1,   0.25,   0.5,   1,    2.5};

void Metrics::Request(const std::string& route, int status, std::chrono::microseconds duration) {
  const double seconds = std::chrono::duration<double>(duration).count();
  std::lock_guard lock(mutex_);
  ++requests_[{route, status}];
  Histogram& h = durations_[route];
  for (std::size_t i = 0; i < kBuckets.size(); ++i) {
    if (seconds <= kBuckets[i]) ++h.buckets[i];
  }
  ++h.count;
  h.sum += seconds;
}

void Metrics::Gauge(const std::string& name, const std::string& help,
                    std::function<double()> read) {
  std::lock_guard lock(mutex_);
  reads_.push_back({name, help, "gauge", "", std::move(read)});
}

void Metrics::Counter(const std::string& name, const std::string& help, std::string labels,
                      std::function<double()> read) {
  std::lock_guard lock(mutex_);
  reads_.push_back({name, help, "counter", std::move(labels), std::move(read)});
}

std::string Metrics::Render() const {
  std::ostringstream out;
  std::lock_guard lock(mutex_);
  out << "# HELP zq_http_requests_total Requests answered, by route and status.\n"
         "# TYPE zq_http_requests_total counter\n";
  for (const auto& [key, count] : requests_) {
    out << "zq_http_requests_total{route=\"" << Label(key.first) << "\",status=\"" << key.second
        << "\"} " << count << '\n';
  }
  out << "# HELP zq_http_request_seconds Time from a request's headers to its reply.\n"
         "# TYPE zq_http_request_seconds histogram\n";
  for (const auto& [route, h] : durations_) {
    const std::string label = "route=\"" + Label(route) + "\"";
    for (std::size_t i = 0; i < kBuckets.size(); ++i) {
      out << "zq_http_request_seconds_bucket{" << label << ",le=\"" << Number(kBuckets[i]) << "\"} "
          << h.buckets[i] << '\n';
    }
    out << "zq_http_request_seconds_bucket{" << label << ",le=\"+Inf\"} " << h.count << '\n';
    out << "zq_http_request_seconds_sum{" << label << "} " << Number(h.sum) << '\n';
    out << "zq_http_request_seconds_count{" << label << "} " << h.count << '\n';
  }
  std::string described;
  for (const Read& r : reads_) {
    if (r.name != described) {
      out << "# HELP " << r.name << ' ' << r.help << "\n# TYPE " << r.name << ' ' << r.type << '\n';
      described = r.name;
    }
    out << r.name;
    if (!r.labels.empty()) out << '{' << r.labels << '}';
    out << ' ' << Number(r.read()) << '\n';
  }
  return out.str();
}

}  // namespace scores
