// zq-scores: the world high-score service. Prints the address it listens on
// once it is ready, serves until SIGTERM or SIGINT, then stops taking requests,
// finishes the ones in progress and closes the store.
#include <arpa/inet.h>
#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "server/admin.h"
#include "server/operations.h"
#include "server/replay_verifier.h"
#include "server/service.h"
#include "server/store.h"
#include "server/timed_store.h"
#include "server/token_secret.h"

namespace {

struct Options {
  std::string host = "127.0.0.1";
  int port = 8088;
  std::string db = "zq-scores.db";
  int perMinute = 30;
  int threads = 8;
  int dbConnections = 8;
  int verifyWorkers = 1;
  int verifyQueue = 64;
  std::string verifier;
  std::string verifierRuntime;
  std::string accessLog;  // "-": standard output
  std::vector<std::string> trustedProxies;
  std::string tokenSecretFile;
  std::vector<std::uint8_t> tokenSecret;  // read from tokenSecretFile
};

void Usage(const char* program) {
  std::fprintf(stderr,
               "usage: %s [--host ADDRESS] [--port N] [--db FILE|postgresql://...]\n"
               "          [--version-requests-per-minute N] [--threads N]\n"
               "          [--verifier ZQ_SIM --verifier-runtime DIR] [--verify-workers N]\n"
               "          [--verify-queue N] [--access-log FILE|-] [--trusted-proxy ADDRESS]...\n"
               "          [--token-secret FILE] [--db-connections N]\n"
               "  --host   address to listen on (default 127.0.0.1; 0.0.0.0 for every one)\n"
               "  --port   port (default 8088; 0 picks a free one)\n"
               "  --db     SQLite file (default zq-scores.db) or a PostgreSQL URL\n"
               "  --version-requests-per-minute  per client address (default 30; 0: no limit;\n"
               "                   --submissions-per-minute is its older name)\n"
               "  --threads  requests served at once (default 8)\n"
               "  --db-connections  PostgreSQL connections shared by the threads (default 8,\n"
               "                    1 to 64); requests beyond them wait for one\n"
               "  --verifier  zq-sim, which plays the recorded games sent after submissions\n"
               "  --verifier-runtime  the runtime directory it plays them in\n"
               "  --verify-workers  recordings checked at once (default 1; 0: none taken)\n"
               "  --verify-queue  recordings waiting for a check (default 64)\n"
               "  --access-log  one line per request to FILE (appended) or - (standard output)\n"
               "  --trusted-proxy  a reverse proxy whose X-Forwarded-For names the client\n"
               "                   (repeat for several)\n"
               "  --token-secret  file of at least 32 bytes, mode 0600, that signs the\n"
               "                  one-time tokens; instances sharing a database share it\n"
               "                  (default: a random key each start)\n",
               program);
}

bool ParseInt(const char* text, int low, int high, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < low || value > high) return false;
  out = static_cast<int>(value);
  return true;
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--host") {
      options.host = value;
    } else if (arg == "--port") {
      if (!ParseInt(value, 0, 65535, options.port)) return false;
    } else if (arg == "--db") {
      options.db = value;
    } else if (arg == "--version-requests-per-minute" || arg == "--submissions-per-minute") {
      if (!ParseInt(value, 0, 1000000, options.perMinute)) return false;
    } else if (arg == "--threads") {
      if (!ParseInt(value, 1, 256, options.threads)) return false;
    } else if (arg == "--db-connections") {
      if (!ParseInt(value, 1, 64, options.dbConnections)) return false;
    } else if (arg == "--verifier") {
      options.verifier = value;
    } else if (arg == "--verifier-runtime") {
      options.verifierRuntime = value;
    } else if (arg == "--verify-workers") {
      if (!ParseInt(value, 0, 64, options.verifyWorkers)) return false;
    } else if (arg == "--access-log") {
      options.accessLog = value;
    } else if (arg == "--trusted-proxy") {
      unsigned char bytes[16];
      if (inet_pton(AF_INET, value, bytes) != 1 && inet_pton(AF_INET6, value, bytes) != 1) {
        return false;
      }
      options.trustedProxies.push_back(value);
    } else if (arg == "--verify-queue") {
      if (!ParseInt(value, 1, 100000, options.verifyQueue)) return false;
    } else if (arg == "--token-secret") {
      options.tokenSecretFile = value;
    } else {
      return false;
    }
  }
  // Recordings are checked only with a program to check them in a runtime.
  if (options.verifyWorkers > 0 && (options.verifier.empty() != options.verifierRuntime.empty())) {
    return false;
  }
  return true;
}

int Serve(const Options& options) {
  // SIGTERM and SIGINT are taken by one waiting thread, never by a handler
  // that interrupts a request.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  // Every open connection is a descriptor: take all the system allows.
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }

  std::unique_ptr<scores::ScoreStore> store;
  try {
    store = scores::OpenStore(options.db, options.dbConnections);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zq-scores: %s\n", error.what());
    return 1;
  }

  // Every call into the store is timed for /metrics.
  scores::Metrics metrics;
  scores::TimedStore timedStore(*store, metrics);

  std::unique_ptr<scores::ReplayVerifier> verifier;
  if (options.verifyWorkers > 0 && !options.verifier.empty()) {
    scores::VerifierOptions verify;
    verify.program = options.verifier;
    verify.runtime = options.verifierRuntime;
    verify.workers = options.verifyWorkers;
    verify.queueLimit = static_cast<std::size_t>(options.verifyQueue);
    verifier = std::make_unique<scores::ReplayVerifier>(timedStore, verify);
  }
  scores::ServiceOptions serviceOptions;
  serviceOptions.versionRequestsPerMinute = options.perMinute;
  serviceOptions.verifier = verifier.get();
  serviceOptions.trustedProxies = options.trustedProxies;
  serviceOptions.tokenSecret = options.tokenSecret;
  scores::ScoreService service(timedStore, serviceOptions);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> logFile(nullptr, &std::fclose);
  std::FILE* accessLog = nullptr;
  if (options.accessLog == "-") {
    accessLog = stdout;
  } else if (!options.accessLog.empty()) {
    logFile.reset(std::fopen(options.accessLog.c_str(), "a"));
    if (!logFile) {
      std::fprintf(stderr, "zq-scores: cannot open the access log %s: %s\n",
                   options.accessLog.c_str(), std::strerror(errno));
      return 1;
    }
    accessLog = logFile.get();
  }
  scores::Operations operations(timedStore, metrics, verifier.get(), accessLog);
  scores::HttpLimits limits;
  limits.workers = options.threads;
  scores::HttpServer server(limits);
  service.Mount(server);
  operations.Mount(server);

  int port = 0;
  try {
    port = server.Start(options.host, options.port);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zq-scores: %s\n", error.what());
    return 1;
  }
  std::printf("zq-scores listening on http://%s:%d (store: %s)\n", options.host.c_str(), port,
              options.db.rfind("postgres", 0) == 0 ? "PostgreSQL" : options.db.c_str());
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  server.Stop();     // answers the requests already complete, then closes every connection
  verifier.reset();  // checks under way finish; queued ones stay pending for the next start
  store.reset();     // every accepted entry is committed; this closes the file cleanly
  std::printf("zq-scores stopped\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::string(argv[1]) == "admin" || std::string(argv[1]) == "backup")) {
    return scores::RunAdminCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
  }
  Options options;
  if (!Parse(argc, argv, options)) {
    Usage(argv[0]);
    return 2;
  }
  if (options.tokenSecretFile.empty()) {
    std::fprintf(stderr,
                 "zq-scores: no --token-secret: tokens are signed with a random key made now;"
                 " they do not survive a restart and no other instance accepts them\n");
  } else {
    try {
      options.tokenSecret = scores::ReadTokenSecret(options.tokenSecretFile);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "zq-scores: %s\n", error.what());
      return 2;
    }
  }
  // Whatever escapes is reported, after every object on the way out has closed
  // in order (the store commits and closes its file), instead of std::terminate.
  try {
    return Serve(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zq-scores: fatal error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "zq-scores: fatal error: an unexpected error ended the service\n");
  }
  return 1;
}
