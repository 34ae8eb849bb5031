// A throw-away PostgreSQL cluster for one test: initdb in a temporary
// directory, a server on 127.0.0.1 on a free port, removed afterwards. Run as
// the unprivileged "postgres" user when the tests run as root.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace testing_support {

class PostgresCluster {
 public:
  PostgresCluster() {
    const std::string bin = BinDir();
    if (bin.empty() || !std::filesystem::exists(bin + "/initdb")) {
      problem_ = "PostgreSQL server programs not installed";
      return;
    }
    char pattern[] = "/tmp/zq-pg-XXXXXX";
    if (!mkdtemp(pattern)) {
      problem_ = "no temporary directory";
      return;
    }
    dir_ = pattern;
    std::string as;
    if (geteuid() == 0) {
      if (std::system(("chown postgres " + dir_).c_str()) != 0) {
        problem_ = "no postgres user to run the cluster as";
        return;
      }
      as = "runuser -u postgres -- ";
    }
    port_ = FreePort();
    const std::string data = dir_ + "/data";
    if (std::system((as + bin + "/initdb -D " + data + " -A trust -U zq -E UTF8 --no-sync >" +
                     dir_ + "/initdb.log 2>&1")
                        .c_str()) != 0) {
      problem_ = "initdb failed (see " + dir_ + "/initdb.log)";
      return;
    }
    stop_ = as + bin + "/pg_ctl -D " + data + " -m immediate -w stop >/dev/null 2>&1";
    const std::string options = "-p " + std::to_string(port_) + " -k " + dir_ +
                                " -c listen_addresses=127.0.0.1 -c fsync=off";
    if (std::system((as + bin + "/pg_ctl -D " + data + " -o '" + options + "' -w -l " + dir_ +
                     "/server.log start >/dev/null 2>&1")
                        .c_str()) != 0) {
      problem_ = "the server did not start (see " + dir_ + "/server.log)";
      return;
    }
    url_ = "postgresql://zq@127.0.0.1:" + std::to_string(port_) + "/postgres";
  }

  ~PostgresCluster() {
    if (!stop_.empty()) (void)std::system(stop_.c_str());
    if (!dir_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(dir_, ignored);
    }
  }

  // Empty when the cluster runs; else why not.
  const std::string& problem() const { return problem_; }
  const std::string& url() const { return url_; }

 private:
  static std::string BinDir() {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("pg_config --bindir 2>/dev/null", "r"),
                                               pclose);
    if (!pipe) return {};
    char line[512] = {};
    if (!std::fgets(line, sizeof line, pipe.get())) return {};
    std::string dir = line;
    while (!dir.empty() && (dir.back() == '\n' || dir.back() == '\r')) dir.pop_back();
    return dir;
  }

  static int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
  }

  std::string dir_;
  std::string stop_;
  std::string url_;
  std::string problem_;
  int port_ = 0;
};

}  // namespace testing_support
