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

template <typename Histograms>
void RenderHistograms(std::ostream& out, const char* name, const char* labelName,
                      const Histograms& histograms, const std::vector<double>& bounds) {
  for (const auto& [key, h] : histograms) {
    const std::string label = std::string(labelName) + "=\"" + Label(key) + "\"";
    for (std::size_t i = 0; i < bounds.size(); ++i) {
      out << name << "_bucket{" << label << ",le=\"" << Number(bounds[i]) << "\"} " << h.buckets[i]
          << '\n';
    }
    out << name << "_bucket{" << label << ",le=\"+Inf\"} " << h.count << '\n';
    out << name << "_sum{" << label << "} " << Number(h.sum) << '\n';
    out << name << "_count{" << label << "} " << h.count << '\n';
  }
}

}  // namespace

const std::vector<double> Metrics::kRequestBuckets = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                                      0.1,   0.25,   0.5,   1,    2.5};
const std::vector<double> Metrics::kStoreBuckets = {0.0001, 0.00025, 0.0005, 0.001, 0.0025, 0.005,
                                                    0.01,   0.025,   0.05,   0.1,   0.25,   1};

void Metrics::Histogram::Add(const std::vector<double>& bounds, double seconds) {
  if (buckets.empty()) buckets.assign(bounds.size(), 0);
  for (std::size_t i = 0; i < bounds.size(); ++i) {
    if (seconds <= bounds[i]) ++buckets[i];
  }
  ++count;
  sum += seconds;
}

void Metrics::Request(const std::string& route, int status, std::chrono::microseconds duration) {
  const double seconds = std::chrono::duration<double>(duration).count();
  std::lock_guard lock(mutex_);
  ++requests_[{route, status}];
  requestSeconds_[route].Add(kRequestBuckets, seconds);
}

void Metrics::StoreCall(const char* operation, std::chrono::microseconds duration, bool failed) {
  const double seconds = std::chrono::duration<double>(duration).count();
  std::lock_guard lock(mutex_);
  storeSeconds_[operation].Add(kStoreBuckets, seconds);
  if (failed) ++storeErrors_[operation];
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
  RenderHistograms(out, "zq_http_request_seconds", "route", requestSeconds_, kRequestBuckets);
  out << "# HELP zq_store_operation_seconds Time of one call into the store, by operation.\n"
         "# TYPE zq_store_operation_seconds histogram\n";
  RenderHistograms(out, "zq_store_operation_seconds", "operation", storeSeconds_, kStoreBuckets);
  out << "# HELP zq_store_errors_total Calls into the store that failed, by operation.\n"
         "# TYPE zq_store_errors_total counter\n";
  for (const auto& [operation, count] : storeErrors_) {
    out << "zq_store_errors_total{operation=\"" << Label(operation) << "\"} " << count << '\n';
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
