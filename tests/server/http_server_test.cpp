// The HTTP layer against clients that misbehave, over raw sockets on
// loopback: over-long or too many headers, silent and trickling clients, idle
// keep-alive connections, too many connections from one address, bodies over
// a route's limit, a full queue, a failing handler, and a stop while a request
// is being answered.
#include "server/http_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A client connection from `source` (any 127.x.y.z address is loopback).
class RawClient {
 public:
  RawClient(int port, const char* source = "127.0.0.1") {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, source, &local.sin_addr);
    bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&server), sizeof server) == 0;
  }
  ~RawClient() { close(fd_); }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool connected() const { return connected_; }
  bool Send(const std::string& bytes) {
    return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // What arrives within `wait`, up to the first complete reply (by its
  // Content-Length) or the server's close.
  std::string Read(std::chrono::milliseconds wait = 5000ms) {
    const auto deadline = Clock::now() + wait;
    std::string got;
    while (!closed_ && !Complete(got)) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left <= 0ms) break;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[4096];
      const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) {
        closed_ = true;
        break;
      }
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
  // Whether the server closed the connection within `wait`.
  bool ClosedWithin(std::chrono::milliseconds wait) {
    Read(wait);
    return closed_;
  }

 private:
  static bool Complete(const std::string& got) {
    const auto end = got.find("\r\n\r\n");
    if (end == std::string::npos) return false;
    const auto length = got.find("Content-Length: ");
    if (length == std::string::npos || length > end) return true;
    return got.size() >= end + 4 + std::stoul(got.substr(length + 16));
  }

  int fd_ = -1;
  bool connected_ = false;
  bool closed_ = false;
};

int StatusOf(const std::string& reply) {
  if (reply.rfind("HTTP/1.1 ", 0) != 0) return 0;
  return std::stoi(reply.substr(9, 3));
}

std::string Get(const std::string& path, const std::string& extraHeaders = "") {
  return "GET " + path + " HTTP/1.1\r\nHost: test\r\n" + extraHeaders + "\r\n";
}

class HttpServerTest : public ::testing::Test {
 protected:
  void Start(scores::HttpLimits limits) {
    server_ = std::make_unique<scores::HttpServer>(limits);
    server_->Route("GET", "/hello", [](const scores::HttpRequest& r) {
      return scores::HttpReply{200, "hello " + r.peer};
    });
    server_->Route("GET", "/items/", [](const scores::HttpRequest& r) {
      return scores::HttpReply{200, r.path};
    });
    server_->Route("GET", "/fail", [](const scores::HttpRequest&) -> scores::HttpReply {
      throw std::runtime_error("store down");
    });
    server_->Route(
        "POST", "/upload",
        [](const scores::HttpRequest& r) {
          return scores::HttpReply{200, std::to_string(r.body.size())};
        },
        1000);
    server_->Route("GET", "/slow", [this](const scores::HttpRequest&) {
      std::unique_lock lock(mutex_);
      ++slowStarted_;
      changed_.notify_all();
      changed_.wait_for(lock, 10s, [this] { return released_; });
      return scores::HttpReply{200, "slow"};
    });
    port_ = server_->Start("127.0.0.1", 0);
  }

  void WaitForSlow(int count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [&] { return slowStarted_ >= count; });
  }
  void ReleaseSlow() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

  void TearDown() override {
    ReleaseSlow();
    if (server_) server_->Stop();
  }

  std::unique_ptr<scores::HttpServer> server_;
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  int slowStarted_ = 0;
  bool released_ = false;
};

TEST_F(HttpServerTest, RequestsOverALimitAreRefusedWithTheirStatus) {
  scores::HttpLimits limits;
  limits.headerBytes = 2048;
  limits.headerCount = 20;
  Start(limits);
  std::string manyHeaders;
  for (int i = 0; i < 30; ++i) manyHeaders += "X-" + std::to_string(i) + ": 1\r\n";
  const struct {
    const char* name;
    std::string request;
    int status;
  } kCases[] = {
      {"a route", Get("/hello"), 200},
      {"under a prefix", Get("/items/42"), 200},
      {"no route", Get("/nothing"), 404},
      {"another method", "POST /hello HTTP/1.1\r\nHost: t\r\nContent-Length: 0\r\n\r\n", 405},
      {"a long header", Get("/hello", "X-Long: " + std::string(3000, 'a') + "\r\n"), 431},
      {"many header lines", Get("/hello", manyHeaders), 431},
      {"a huge header", Get("/hello", "X-Huge: " + std::string(200000, 'a') + "\r\n"), 431},
      {"a body over the route's limit",
       "POST /upload HTTP/1.1\r\nHost: t\r\nContent-Length: 1001\r\n\r\n" + std::string(1001, 'b'),
       413},
      {"a body within it",
       "POST /upload HTTP/1.1\r\nHost: t\r\nContent-Length: 1000\r\n\r\n" + std::string(1000, 'b'),
       200},
      {"a body where none is taken",
       "GET /hello HTTP/1.1\r\nHost: t\r\nContent-Length: 5000\r\n\r\n" + std::string(5000, 'd'),
       413},
      {"a failing handler", Get("/fail"), 500},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    RawClient client(port_);
    ASSERT_TRUE(client.connected());
    client.Send(c.request);
    EXPECT_EQ(StatusOf(client.Read()), c.status);
  }
  // A body that outgrows the limit without stating its length ends the
  // connection instead of being read to its end.
  RawClient chunked(port_);
  chunked.Send("POST /upload HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\n\r\n3e9\r\n" +
               std::string(1001, 'c') + "\r\n");
  EXPECT_TRUE(chunked.ClosedWithin(5000ms));
}

// A client that connects and sends nothing, or trickles its headers a byte
// at a time, is cut off at the header deadline; an idle keep-alive
// connection at the idle limit. Neither keeps anyone else waiting.
TEST_F(HttpServerTest, SlowAndIdleConnectionsAreClosedAtTheirDeadline) {
  scores::HttpLimits limits;
  limits.headerTime = 500ms;
  limits.idleTime = 300ms;
  limits.silentSeconds = 60;  // only the deadlines end these connections
  Start(limits);

  RawClient silent(port_);
  RawClient trickling(port_);
  std::atomic<bool> trickle = true;
  std::thread sender([&] {
    const std::string request = Get("/hello");
    for (std::size_t i = 0; trickle.load() && i < request.size() - 1; ++i) {
      if (!trickling.Send(request.substr(i, 1))) break;
      std::this_thread::sleep_for(50ms);
    }
  });
  RawClient keepAlive(port_);
  keepAlive.Send(Get("/hello"));
  EXPECT_EQ(StatusOf(keepAlive.Read()), 200);
  keepAlive.Send(Get("/hello"));
  EXPECT_EQ(StatusOf(keepAlive.Read()), 200) << "keep-alive does not serve a second request";

  RawClient other(port_);
  other.Send(Get("/hello"));
  EXPECT_EQ(StatusOf(other.Read()), 200);

  EXPECT_TRUE(silent.ClosedWithin(5s));
  EXPECT_TRUE(trickling.ClosedWithin(5s));
  EXPECT_TRUE(keepAlive.ClosedWithin(5s));
  trickle = false;
  sender.join();
}

TEST_F(HttpServerTest, OneAddressCannotTakeEveryConnection) {
  scores::HttpLimits limits;
  limits.perAddress = 3;
  Start(limits);
  std::vector<std::unique_ptr<RawClient>> hogs;
  for (int i = 0; i < 3; ++i) hogs.push_back(std::make_unique<RawClient>(port_, "127.0.0.1"));
  // The fourth from the same address is closed without an answer...
  RawClient fourth(port_, "127.0.0.1");
  fourth.Send(Get("/hello"));
  EXPECT_EQ(StatusOf(fourth.Read(2000ms)), 0);
  // ...while another address is served.
  RawClient elsewhere(port_, "127.0.0.2");
  ASSERT_TRUE(elsewhere.connected());
  elsewhere.Send(Get("/hello"));
  const std::string reply = elsewhere.Read();
  EXPECT_EQ(StatusOf(reply), 200);
  EXPECT_NE(reply.find("hello 127.0.0.2"), std::string::npos) << reply;
}

TEST_F(HttpServerTest, AFullQueueIsAnsweredBusy) {
  scores::HttpLimits limits;
  limits.workers = 1;
  limits.queue = 1;
  Start(limits);
  RawClient running(port_);
  running.Send(Get("/slow"));
  WaitForSlow(1);
  RawClient queued(port_);
  queued.Send(Get("/slow"));
  std::this_thread::sleep_for(200ms);  // reaches the queue
  RawClient refused(port_);
  refused.Send(Get("/hello"));
  EXPECT_EQ(StatusOf(refused.Read()), 503);
  ReleaseSlow();
  EXPECT_EQ(StatusOf(running.Read()), 200);
  EXPECT_EQ(StatusOf(queued.Read()), 200);
}

// A stop answers the request being handled, closes a silent connection, and
// takes no new one.
TEST_F(HttpServerTest, StopAnswersTheRequestsAlreadyComplete) {
  scores::HttpLimits limits;
  limits.stopGrace = 5000ms;
  Start(limits);
  RawClient silent(port_);
  RawClient slow(port_);
  slow.Send(Get("/slow"));
  WaitForSlow(1);
  std::thread stopper([this] { server_->Stop(); });
  std::this_thread::sleep_for(300ms);
  ReleaseSlow();
  EXPECT_EQ(StatusOf(slow.Read()), 200);
  stopper.join();
  EXPECT_TRUE(silent.ClosedWithin(1000ms));
  RawClient late(port_);
  EXPECT_FALSE(late.connected());
}

}  // namespace
