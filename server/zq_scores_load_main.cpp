// zq-scores-load: drives a running zq-scores with the game's two requests (a
// version request, then the submission carrying its token) from several
// keep-alive connections, and reports pairs per second and pair latencies.
//   zq-scores-load HOST PORT [CONNECTIONS=8] [SECONDS=10] [--submit-port N] [--ok-log FILE]
// --submit-port sends each submission to another instance than the one that
// gave its token; --ok-log writes "NAME SCORE" for every submission answered
// OK, to compare with what the store holds afterwards.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Worker {
  std::vector<double> latenciesMs;
  std::vector<std::pair<std::string, int>> accepted;  // name and score of each OK
  long failures = 0;
};

struct Target {
  std::string host;
  int port = 0;
  int submitPort = 0;
};

void Configure(httplib::Client& client) {
  client.set_keep_alive(true);
  client.set_tcp_nodelay(true);
  client.set_connection_timeout(5, 0);
  client.set_read_timeout(10, 0);
}

void Drive(const Target& target, Clock::time_point end, int id, Worker& out) {
  // One connection per worker unless the submissions go elsewhere: the
  // service takes a bounded number of connections from one address.
  httplib::Client client(target.host, target.port);
  std::optional<httplib::Client> other;
  if (target.submitPort != target.port) other.emplace(target.host, target.submitPort);
  httplib::Client& submitClient = other ? *other : client;
  Configure(client);
  Configure(submitClient);
  const std::string name = "Load" + std::string(1, static_cast<char>('a' + id % 26));
  int n = 0;
  while (Clock::now() < end) {
    const auto start = Clock::now();
    const auto version = client.Get("/cgi/version.pl?version&prg=ZorbellineQuester");
    if (!version || version->status != 200 || !protocol::IsOkReply(version->body)) {
      ++out.failures;
      continue;
    }
    const int score = 1000 + (n++ % 5000);
    const std::string record =
        protocol::BuildRecord(name, score, protocol::KeptValue(version->body), "Loadland");
    const auto sent = submitClient.Get("/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" +
                                       protocol::EncodeRecord(record));
    if (!sent || sent->status != 200 || sent->body != "OK") {
      ++out.failures;
      continue;
    }
    out.accepted.emplace_back(name, score);
    out.latenciesMs.push_back(
        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<const char*> positional;
  Target target;
  const char* okLog = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--submit-port") == 0 && i + 1 < argc) {
      target.submitPort = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--ok-log") == 0 && i + 1 < argc) {
      okLog = argv[++i];
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.size() < 2 || positional.size() > 4) {
    std::fprintf(stderr,
                 "usage: %s HOST PORT [CONNECTIONS=8] [SECONDS=10] [--submit-port N]"
                 " [--ok-log FILE]\n",
                 argv[0]);
    return 2;
  }
  target.host = positional[0];
  target.port = std::atoi(positional[1]);
  if (target.submitPort == 0) target.submitPort = target.port;
  const int connections = positional.size() > 2 ? std::max(1, std::atoi(positional[2])) : 8;
  const double seconds = positional.size() > 3 ? std::max(1.0, std::atof(positional[3])) : 10.0;

  std::vector<Worker> workers(connections);
  std::vector<std::thread> threads;
  const auto start = Clock::now();
  const auto end =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  for (int i = 0; i < connections; ++i) {
    threads.emplace_back(Drive, std::cref(target), end, i, std::ref(workers[i]));
  }
  for (std::thread& t : threads) t.join();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();

  std::vector<double> all;
  long failures = 0;
  for (const Worker& w : workers) {
    all.insert(all.end(), w.latenciesMs.begin(), w.latenciesMs.end());
    failures += w.failures;
  }
  std::sort(all.begin(), all.end());
  if (okLog) {
    std::ofstream log(okLog);
    for (const Worker& w : workers) {
      for (const auto& [name, score] : w.accepted) log << name << ' ' << score << '\n';
    }
    if (!log.flush()) {
      std::fprintf(stderr, "cannot write %s\n", okLog);
      return 1;
    }
  }
  const auto percentile = [&all](double p) {
    if (all.empty()) return 0.0;
    return all[std::min(all.size() - 1, static_cast<std::size_t>(p * all.size()))];
  };
  std::printf("connections %d, %.1f s: %zu pairs (%.0f pairs/s), %ld failed\n", connections,
              elapsed, all.size(), all.size() / elapsed, failures);
  std::printf("pair latency ms: p50 %.2f  p90 %.2f  p99 %.2f  max %.2f\n", percentile(0.50),
              percentile(0.90), percentile(0.99), all.empty() ? 0.0 : all.back());
  return failures == 0 && !all.empty() ? 0 : 1;
}
