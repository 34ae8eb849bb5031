// Servers on 127.0.0.1 for the client tests: a scripted HTTP server that
// records what it is asked (version, submission and recording), a port that refuses connections,
// and a listener that accepts and never answers.
#pragma once

#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class ScriptedHttpServer {
 public:
  struct Script {
    int versionStatus = 200;
    std::string versionBody = "OK|1|2|3|tok|";
    int submissionStatus = 200;
    int recordingStatus = 202;
  };

  // A recording posted after a submission.
  struct Posted {
    std::string token;
    std::string body;
    std::string type;
  };

  explicit ScriptedHttpServer(Script script) : script_(std::move(script)) {
    server_.Get("/cgi/version.pl", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(mutex_);
      if (req.has_param("version")) {
        ++versionRequests_;
        res.status = script_.versionStatus;
        res.set_content(script_.versionBody, "text/plain");
      } else {
        submissions_.push_back(req.get_param_value("inf"));
        res.status = script_.submissionStatus;
        res.set_content("OK", "text/plain");
      }
    });
    server_.Post("/api/replays", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(mutex_);
      recordings_.push_back(
          {req.get_param_value("p"), req.body, req.get_header_value("Content-Type")});
      res.status = script_.recordingStatus;
      res.set_content("pending", "text/plain");
    });
    server_.set_payload_max_length(1024 * 1024);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~ScriptedHttpServer() {
    server_.stop();
    thread_.join();
  }

  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  int versionRequests() {
    std::lock_guard lock(mutex_);
    return versionRequests_;
  }
  std::vector<std::string> submissions() {
    std::lock_guard lock(mutex_);
    return submissions_;
  }
  std::vector<Posted> recordings() {
    std::lock_guard lock(mutex_);
    return recordings_;
  }

 private:
  Script script_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  int versionRequests_ = 0;
  std::vector<std::string> submissions_;
  std::vector<Posted> recordings_;
};

// A loopback socket bound to a free port; listening or not.
class LoopbackSocket {
 public:
  explicit LoopbackSocket(bool listening) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (listening) listen(fd_, 8);
  }
  ~LoopbackSocket() { close(fd_); }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // Whether a client connects (waits in the listen queue, never accepted)
  // within the limit.
  bool ClientWaiting(std::chrono::milliseconds limit) const {
    pollfd waiting{fd_, POLLIN, 0};
    return poll(&waiting, 1, static_cast<int>(limit.count())) == 1;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace testing_support
