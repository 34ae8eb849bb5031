#include "server/http_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_set>

// The implementation's types have names of their own (not an anonymous
// namespace): HttpServer::Impl holds them.
namespace scores::http_internal {

using Clock = std::chrono::steady_clock;

struct RouteEntry {
  std::string method;
  std::string path;  // ending in "/" (other than "/" itself): every path under it
  HttpHandler handler;
  std::size_t maxBody;
  bool Matches(const std::string& p) const {
    if (path.size() > 1 && path.back() == '/') {
      return p.compare(0, path.size(), path) == 0 && p.size() > path.size();
    }
    return p == path;
  }
};

// One TCP connection, as the event thread sees it.
struct OpenConnection {
  int fd;
  Clock::time_point deadline;  // for the next request's complete headers
  bool busy = false;           // a request is being read, handled or answered
};

// One request from its complete headers to its answer.
struct PendingRequest {
  HttpRequest request;
  const RouteEntry* route = nullptr;
  std::size_t maxBody = 0;
  std::optional<HttpReply> reply;  // set when it is known
  bool close = false;              // the connection ends after the reply
  bool dispatched = false;
  Clock::time_point started = Clock::now();
};

constexpr auto kNever = Clock::time_point::max();

// A fixed set of threads running queued jobs; a full queue refuses a job.
class WorkerPool {
 public:
  WorkerPool(int workers, std::size_t limit) : limit_(limit) {
    for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
  }
  ~WorkerPool() { Stop(); }

  bool Submit(std::function<void()> job) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_ || jobs_.size() >= limit_) return false;
      jobs_.push_back(std::move(job));
    }
    ready_.notify_one();
    return true;
  }

  std::size_t Queued() {
    std::lock_guard lock(mutex_);
    return jobs_.size();
  }

  // Runs every queued job, then ends the threads.
  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
  }

 private:
  void Work() {
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      job();
    }
  }

  std::size_t limit_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

std::string PeerOf(MHD_Connection* connection) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  if (!info || !info->client_addr) return "-";
  char text[INET6_ADDRSTRLEN] = "-";
  const sockaddr* address = info->client_addr;
  if (address->sa_family == AF_INET) {
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  } else if (address->sa_family == AF_INET6) {
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
              sizeof text);
  }
  return text;
}

MHD_Result AddParam(void* cls, MHD_ValueKind, const char* key, const char* value) {
  static_cast<std::multimap<std::string, std::string>*>(cls)->emplace(key, value ? value : "");
  return MHD_YES;
}

MHD_Result AddHeader(void* cls, MHD_ValueKind, const char* key, const char* value) {
  std::string name = key;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static_cast<std::map<std::string, std::string>*>(cls)->emplace(std::move(name),
                                                                 value ? value : "");
  return MHD_YES;
}

}  // namespace scores::http_internal

namespace scores {

const std::string* HttpRequest::Header(const std::string& lowerCaseName) const {
  const auto it = headers.find(lowerCaseName);
  return it == headers.end() ? nullptr : &it->second;
}

struct HttpServer::Impl {
  explicit Impl(HttpLimits l) : limits(l) {}
  ~Impl() {
    if (wake >= 0) close(wake);
  }

  HttpLimits limits;
  std::vector<std::unique_ptr<http_internal::RouteEntry>> routes;
  std::function<void(const HttpExchange&)> log;
  MHD_Daemon* daemon = nullptr;
  std::unique_ptr<http_internal::WorkerPool> pool;
  std::thread events;
  std::atomic<bool> stopRequested{false};
  int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);  // a resumed connection or a stop

  // Interrupts the event thread's wait: MHD's own signal for a resumed
  // connection does not reach a loop that polls MHD's epoll descriptor.
  void Wake() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wake, &one, sizeof one);
  }

  // Waits for MHD's sockets, a wake-up or the next timer (at most 100 ms,
  // for the deadlines), then lets MHD do what is ready.
  void RunOnce() {
    MHD_UNSIGNED_LONG_LONG timeout = 100;
    if (MHD_get_timeout(daemon, &timeout) != MHD_YES || timeout > 100) timeout = 100;
    const MHD_DaemonInfo* epoll = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_EPOLL_FD);
    pollfd fds[2] = {{wake, POLLIN, 0}, {epoll ? epoll->epoll_fd : -1, POLLIN, 0}};
    poll(fds, 2, static_cast<int>(timeout));
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(wake, &count, sizeof count);
    MHD_run(daemon);
  }
  std::once_flag stopOnce;
  // Event thread only.
  std::unordered_set<http_internal::OpenConnection*> connections;
  std::atomic<std::size_t> open{0};  // connections.size(), for other threads
  int inFlight = 0;                  // requests handed to the pool and not yet answered

  void Log(const http_internal::PendingRequest& pending) const {
    if (!log) return;
    log({pending.request.peer, pending.request.method,
         pending.route ? pending.route->path : std::string("-"), pending.reply->status,
         std::chrono::duration_cast<std::chrono::microseconds>(http_internal::Clock::now() -
                                                               pending.started)});
  }

  http_internal::OpenConnection* ConnectionOf(MHD_Connection* connection) const {
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<http_internal::OpenConnection*>(info->socket_context) : nullptr;
  }

  MHD_Result Queue(MHD_Connection* connection, http_internal::PendingRequest& pending) {
    const HttpReply& reply = *pending.reply;
    MHD_Response* response = MHD_create_response_from_buffer(
        reply.body.size(), const_cast<char*>(reply.body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response) return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.type.c_str());
    // No browser guesses another type than the one given.
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    for (const auto& [name, value] : reply.headers) {
      MHD_add_response_header(response, name.c_str(), value.c_str());
    }
    if (pending.close) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
  }

  // An answer known without a handler (a limit, no route); logged here.
  MHD_Result Refuse(MHD_Connection* connection, http_internal::PendingRequest& pending, int status,
                    const std::string& text, bool close) {
    pending.reply = HttpReply{status, text};
    pending.close = close;
    Log(pending);
    return Queue(connection, pending);
  }

  // The request's headers are complete.
  MHD_Result Begin(MHD_Connection* connection, const char* url, const char* method,
                   http_internal::PendingRequest& pending) {
    if (http_internal::OpenConnection* c = ConnectionOf(connection)) c->busy = true;
    pending.request.method = method;
    pending.request.path = url;
    pending.request.peer = http_internal::PeerOf(connection);
    const int headerCount =
        MHD_get_connection_values(connection, MHD_HEADER_KIND, nullptr, nullptr);
    const MHD_ConnectionInfo* size =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
    if (headerCount < 0 || static_cast<unsigned>(headerCount) > limits.headerCount ||
        (size && size->header_size > limits.headerBytes)) {
      return Refuse(connection, pending, 431, "request headers too large\n", true);
    }
    MHD_get_connection_values(connection, MHD_HEADER_KIND, http_internal::AddHeader,
                              &pending.request.headers);
    MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, http_internal::AddParam,
                              &pending.request.params);
    bool pathKnown = false;
    for (const auto& route : routes) {
      if (!route->Matches(pending.request.path)) continue;
      pathKnown = true;
      if (route->method == pending.request.method) {
        pending.route = route.get();
        break;
      }
    }
    pending.maxBody =
        pending.route && pending.route->maxBody ? pending.route->maxBody : limits.bodyBytes;
    // A body over the limit is refused by its stated length, before it is read.
    if (const std::string* length = pending.request.Header("content-length")) {
      char* end = nullptr;
      const unsigned long long stated = std::strtoull(length->c_str(), &end, 10);
      if (end == length->c_str() || *end != '\0' || stated > pending.maxBody) {
        return Refuse(connection, pending, 413, "request body too large\n", true);
      }
    }
    if (!pending.route) {
      return pathKnown ? Refuse(connection, pending, 405, "method not allowed\n", false)
                       : Refuse(connection, pending, 404, "not found\n", false);
    }
    return MHD_YES;
  }

  // The request is complete: its handler runs on a worker while the
  // connection waits, suspended.
  MHD_Result Dispatch(MHD_Connection* connection, http_internal::PendingRequest& pending) {
    pending.dispatched = true;
    ++inFlight;
    MHD_suspend_connection(connection);
    const bool queued = pool->Submit([this, connection, &pending] {
      try {
        pending.reply = pending.route->handler(pending.request);
      } catch (...) {
        pending.reply = HttpReply{500, "internal error\n"};
      }
      Log(pending);
      MHD_resume_connection(connection);
      Wake();
    });
    if (!queued) {
      pending.reply = HttpReply{503, "busy; try later\n"};
      Log(pending);
      MHD_resume_connection(connection);
      Wake();
    }
    return MHD_YES;
  }

  MHD_Result Access(MHD_Connection* connection, const char* url, const char* method,
                    const char* data, std::size_t* size, void** context) {
    auto* pending = static_cast<http_internal::PendingRequest*>(*context);
    if (!pending) {
      pending = new http_internal::PendingRequest;
      *context = pending;
      return Begin(connection, url, method, *pending);
    }
    if (pending->reply) {
      *size = 0;
      return pending->dispatched ? Queue(connection, *pending) : MHD_YES;
    }
    if (*size > 0) {
      // A body that outgrows the limit without having stated its length (a
      // chunked one) ends the connection: MHD takes a reply only before the
      // body or after all of it, and the rest is not worth reading.
      if (pending->request.body.size() + *size > pending->maxBody) {
        pending->reply = HttpReply{413, ""};
        Log(*pending);
        return MHD_NO;
      }
      pending->request.body.append(data, *size);
      *size = 0;
      return MHD_YES;
    }
    return Dispatch(connection, *pending);
  }

  void Completed(MHD_Connection* connection, void** context) {
    auto* pending = static_cast<http_internal::PendingRequest*>(*context);
    if (!pending) return;
    if (pending->dispatched) --inFlight;
    delete pending;
    *context = nullptr;
    if (http_internal::OpenConnection* c = ConnectionOf(connection)) {
      c->busy = false;
      c->deadline = http_internal::Clock::now() + limits.idleTime;
    }
  }

  void Notify(MHD_Connection* connection, void** socketContext,
              MHD_ConnectionNotificationCode code) {
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
      const MHD_ConnectionInfo* fd =
          MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
      auto* c = new http_internal::OpenConnection{fd ? fd->connect_fd : -1,
                                                  http_internal::Clock::now() + limits.headerTime};
      connections.insert(c);
      open = connections.size();
      *socketContext = c;
    } else if (auto* c = static_cast<http_internal::OpenConnection*>(*socketContext)) {
      connections.erase(c);
      open = connections.size();
      delete c;
      *socketContext = nullptr;
    }
  }

  // Ends the connections that are past their deadline: MHD sees them closed
  // and cleans them up. Runs on the event thread, between MHD's own steps,
  // so every socket here is still open and still this connection's.
  void Sweep() {
    const auto now = http_internal::Clock::now();
    for (http_internal::OpenConnection* c : connections) {
      if (c->busy || c->deadline > now || c->fd < 0) continue;
      shutdown(c->fd, SHUT_RDWR);
      c->deadline = http_internal::kNever;
    }
  }

  void RunEvents() {
    bool quiescing = false;
    http_internal::Clock::time_point giveUp = http_internal::kNever;
    for (;;) {
      RunOnce();
      Sweep();
      if (stopRequested.load() && !quiescing) {
        quiescing = true;
        giveUp = http_internal::Clock::now() + limits.stopGrace;
        const MHD_socket listener = MHD_quiesce_daemon(daemon);
        if (listener != MHD_INVALID_SOCKET) close(listener);
        // Every waiting connection is past its deadline now; a request
        // already being answered is finished first.
        for (http_internal::OpenConnection* c : connections)
          c->deadline = http_internal::Clock::now();
      }
      if (quiescing && (inFlight == 0 || http_internal::Clock::now() >= giveUp)) break;
    }
    // Handlers still running finish, and their connections are resumed,
    // before the daemon closes every connection.
    pool->Stop();
    MHD_run(daemon);
  }
};

namespace {

MHD_Result OnAccess(void* cls, MHD_Connection* connection, const char* url, const char* method,
                    const char*, const char* data, std::size_t* size, void** context) {
  return static_cast<HttpServer::Impl*>(cls)->Access(connection, url, method, data, size, context);
}

void OnCompleted(void* cls, MHD_Connection* connection, void** context,
                 MHD_RequestTerminationCode) {
  static_cast<HttpServer::Impl*>(cls)->Completed(connection, context);
}

void OnConnection(void* cls, MHD_Connection* connection, void** socketContext,
                  MHD_ConnectionNotificationCode code) {
  static_cast<HttpServer::Impl*>(cls)->Notify(connection, socketContext, code);
}

}  // namespace

HttpServer::HttpServer(HttpLimits limits) : impl_(std::make_unique<Impl>(limits)) {}

HttpServer::~HttpServer() {
  Stop();
}

void HttpServer::Route(const std::string& method, const std::string& path, HttpHandler handler,
                       std::size_t maxBody) {
  impl_->routes.push_back(std::make_unique<http_internal::RouteEntry>(
      http_internal::RouteEntry{method, path, std::move(handler), maxBody}));
}

void HttpServer::OnAnswered(std::function<void(const HttpExchange&)> log) {
  impl_->log = std::move(log);
}

int HttpServer::Start(const std::string& host, int port) {
  sockaddr_storage address{};
  unsigned flags = MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME;
  if (inet_pton(AF_INET, host.c_str(), &reinterpret_cast<sockaddr_in*>(&address)->sin_addr) == 1) {
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<std::uint16_t>(port));
  } else if (inet_pton(AF_INET6, host.c_str(),
                       &reinterpret_cast<sockaddr_in6*>(&address)->sin6_addr) == 1) {
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<std::uint16_t>(port));
    flags |= MHD_USE_IPv6;
  } else {
    throw std::runtime_error("not a numeric address: " + host);
  }
  const HttpLimits& l = impl_->limits;
  // The per-connection memory holds the request's headers and the reply's;
  // headers beyond it are refused by MHD itself with 431.
  const std::size_t memory = l.headerBytes * 2 + 4096;
  impl_->daemon = MHD_start_daemon(
      flags, static_cast<std::uint16_t>(port), nullptr, nullptr, &OnAccess, impl_.get(),
      MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_CONNECTION_LIMIT, l.connections,
      MHD_OPTION_PER_IP_CONNECTION_LIMIT, l.perAddress, MHD_OPTION_CONNECTION_MEMORY_LIMIT, memory,
      MHD_OPTION_CONNECTION_TIMEOUT, l.silentSeconds, MHD_OPTION_LISTEN_BACKLOG_SIZE, l.backlog,
      MHD_OPTION_NOTIFY_COMPLETED, &OnCompleted, impl_.get(), MHD_OPTION_NOTIFY_CONNECTION,
      &OnConnection, impl_.get(), MHD_OPTION_END);
  if (!impl_->daemon)
    throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
  const MHD_DaemonInfo* bound = MHD_get_daemon_info(impl_->daemon, MHD_DAEMON_INFO_BIND_PORT);
  impl_->pool = std::make_unique<http_internal::WorkerPool>(l.workers, l.queue);
  impl_->events = std::thread([impl = impl_.get()] { impl->RunEvents(); });
  return bound ? bound->port : port;
}

HttpLoad HttpServer::Load() const {
  return {impl_->open.load(), impl_->pool ? impl_->pool->Queued() : 0};
}

void HttpServer::Stop() {
  if (!impl_->daemon) return;
  std::call_once(impl_->stopOnce, [impl = impl_.get()] {
    impl->stopRequested = true;
    impl->Wake();
    impl->events.join();
    MHD_stop_daemon(impl->daemon);
    impl->daemon = nullptr;
  });
}

}  // namespace scores
