// zq-scores-siege: misbehaving clients against a running zq-scores, from one
// attacking address, while health checks from another measure how the
// service answers everyone else. Loopback only.
//   zq-scores-siege PORT [--from ADDRESS] [--silent N] [--trickle N]
//                   [--header-mb N] [--seconds S]
// --silent opens N connections that send nothing, --trickle N that send a
// request one byte every 3 s (reconnecting when cut off), --header-mb sends
// one request with N MB of header lines. Prints what the attackers got and
// the health checks' latencies.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int Connect(int port, const std::string& from) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  inet_pton(AF_INET, from.c_str(), &local.sin_addr);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
  if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Whether the server has closed `fd` (without waiting).
bool Closed(int fd) {
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, 0) <= 0) return false;
  char buffer[512];
  return recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) <= 0;
}

// The status line of the reply on `fd`, empty when none came in `ms`.
std::string StatusLine(int fd, int ms) {
  std::string got;
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (got.find("\r\n") == std::string::npos && Clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buffer[512];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got.substr(0, got.find("\r\n"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s PORT [--from ADDRESS] [--silent N] [--trickle N] [--header-mb N] "
                 "[--seconds S]\n",
                 argv[0]);
    return 2;
  }
  const int port = std::atoi(argv[1]);
  std::string from = "127.0.0.2";
  int silent = 0, trickle = 0, headerMb = 0;
  double seconds = 10;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--from")
      from = argv[i + 1];
    else if (arg == "--silent")
      silent = std::atoi(argv[i + 1]);
    else if (arg == "--trickle")
      trickle = std::atoi(argv[i + 1]);
    else if (arg == "--header-mb")
      headerMb = std::atoi(argv[i + 1]);
    else if (arg == "--seconds")
      seconds = std::atof(argv[i + 1]);
    else
      return 2;
  }
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(seconds));

  std::atomic<long> silentHeld{0}, silentCut{0}, trickleCut{0};
  std::thread silentThread([&] {
    std::vector<int> fds;
    for (int i = 0; i < silent; ++i) {
      const int fd = Connect(port, from);
      if (fd >= 0) fds.push_back(fd);
    }
    while (Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (const int fd : fds) {
      if (Closed(fd))
        ++silentCut;
      else
        ++silentHeld;
      close(fd);
    }
  });
  std::thread trickleThread([&] {
    const std::string request = "GET /healthz HTTP/1.1\r\nHost: siege\r\nX-Slow: ";
    struct Slow {
      int fd;
      std::size_t sent;
    };
    std::vector<Slow> slows;
    for (int i = 0; i < trickle; ++i) slows.push_back({Connect(port, from), 0});
    while (Clock::now() < end) {
      for (Slow& s : slows) {
        if (s.fd >= 0 && Closed(s.fd)) {
          close(s.fd);
          ++trickleCut;
          s = {Connect(port, from), 0};
        }
        if (s.fd < 0) continue;
        const char byte = request[s.sent % request.size()];
        send(s.fd, &byte, 1, MSG_NOSIGNAL);
        ++s.sent;
      }
      std::this_thread::sleep_for(std::chrono::seconds(3));
    }
    for (const Slow& s : slows)
      if (s.fd >= 0) close(s.fd);
  });
  std::string headerResult = "not sent";
  std::thread headerThread([&] {
    if (headerMb <= 0) return;
    const int fd = Connect(port, from);
    if (fd < 0) return;
    std::string line = "X-Pad: " + std::string(1000, 'a') + "\r\n";
    std::string start = "GET /healthz HTTP/1.1\r\nHost: siege\r\n";
    send(fd, start.data(), start.size(), MSG_NOSIGNAL);
    long sent = 0;
    while (sent < headerMb * 1000000L) {
      if (send(fd, line.data(), line.size(), MSG_NOSIGNAL) <= 0) break;
      sent += static_cast<long>(line.size());
    }
    const std::string status = StatusLine(fd, 2000);
    headerResult = "after " + std::to_string(sent / 1000) +
                   " kB: " + (status.empty() ? std::string("closed without a reply") : status);
    close(fd);
  });

  // Health checks from the default address, each on a new connection.
  std::vector<double> latencies;
  long failed = 0;
  while (Clock::now() < end) {
    const auto start = Clock::now();
    const int fd = Connect(port, "127.0.0.1");
    const std::string request = "GET /healthz HTTP/1.1\r\nHost: siege\r\nConnection: close\r\n\r\n";
    if (fd < 0 || send(fd, request.data(), request.size(), MSG_NOSIGNAL) <= 0 ||
        StatusLine(fd, 5000).rfind("HTTP/1.1 200", 0) != 0) {
      ++failed;
    } else {
      latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    if (fd >= 0) close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  silentThread.join();
  trickleThread.join();
  headerThread.join();
  std::sort(latencies.begin(), latencies.end());
  const auto percentile = [&latencies](double p) {
    if (latencies.empty()) return 0.0;
    return latencies[std::min(latencies.size() - 1,
                              static_cast<std::size_t>(p * latencies.size()))];
  };
  std::printf("from %s: %d silent (%ld still open at the end, %ld cut), %d trickling (%ld cut)\n",
              from.c_str(), silent, silentHeld.load(), silentCut.load(), trickle,
              trickleCut.load());
  std::printf("header flood: %s\n", headerResult.c_str());
  std::printf(
      "health checks from 127.0.0.1: %zu answered, %ld failed; ms p50 %.2f p99 %.2f max %.2f\n",
      latencies.size(), failed, percentile(0.5), percentile(0.99),
      latencies.empty() ? 0.0 : latencies.back());
  return failed == 0 ? 0 : 1;
}
