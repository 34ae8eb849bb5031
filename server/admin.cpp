#include "server/admin.h"

#include <arpa/inet.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "server/pages.h"
#include "server/store.h"

namespace scores {
namespace {

constexpr const char* kAdminUsage =
    "usage: zq-scores admin [--db DB] list [N] | remove ID... | ban ADDRESS | unban ADDRESS | "
    "bans\n"
    "       zq-scores backup [--db DB] FILE\n";

bool IsIpAddress(const std::string& text) {
  unsigned char bytes[16];
  return inet_pton(AF_INET, text.c_str(), bytes) == 1 ||
         inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

bool ParseId(const std::string& text, std::int64_t& id) {
  if (text.empty() || text.size() > 18 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  id = std::stoll(text);
  return true;
}

int List(ScoreStore& store, const std::vector<std::string>& rest, std::ostream& out,
         std::ostream& err) {
  std::int64_t count = 20;
  if (rest.size() > 1 || (rest.size() == 1 && (!ParseId(rest[0], count) || count < 1))) {
    err << kAdminUsage;
    return 2;
  }
  out << "id\tdate\tscore\tname\tcountry\taddress\tmark\n";
  for (const TopEntry& e : store.Recent(static_cast<int>(std::min<std::int64_t>(count, 100000)))) {
    out << e.id << '\t' << FormatDate(e.time) << '\t' << e.score << '\t' << e.name << '\t'
        << e.country << '\t' << (e.address.empty() ? "-" : e.address) << '\t' << MarkName(e.mark);
    if (!e.reason.empty()) out << " (" << e.reason << ')';
    out << '\n';
  }
  return 0;
}

int Admin(ScoreStore& store, const std::vector<std::string>& words, std::ostream& out,
          std::ostream& err) {
  const std::string& command = words[0];
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (command == "list") return List(store, rest, out, err);
  if (command == "remove" && !rest.empty()) {
    int status = 0;
    for (const std::string& text : rest) {
      std::int64_t id = 0;
      if (!ParseId(text, id)) {
        err << "zq-scores: not an entry id: " << text << '\n';
        status = 2;
      } else if (store.RemoveEntry(id)) {
        out << "removed entry " << id << '\n';
      } else {
        err << "zq-scores: no entry " << id << '\n';
        if (status == 0) status = 1;
      }
    }
    return status;
  }
  if ((command == "ban" || command == "unban") && rest.size() == 1) {
    if (!IsIpAddress(rest[0])) {
      err << "zq-scores: not an IP address: " << rest[0] << '\n';
      return 2;
    }
    if (command == "ban") {
      store.Ban(rest[0]);
      out << "banned " << rest[0] << " (running services refuse it within 30 s)\n";
      return 0;
    }
    if (store.Unban(rest[0])) {
      out << "unbanned " << rest[0] << '\n';
      return 0;
    }
    err << "zq-scores: " << rest[0] << " was not banned\n";
    return 1;
  }
  if (command == "bans" && rest.empty()) {
    for (const std::string& address : store.Bans()) out << address << '\n';
    return 0;
  }
  err << kAdminUsage;
  return 2;
}

}  // namespace

int RunAdminCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kAdminUsage;
    return 2;
  }
  std::string db = "zq-scores.db";
  std::vector<std::string> words(args.begin() + 1, args.end());
  if (words.size() >= 2 && words[0] == "--db") {
    db = words[1];
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty()) {
    err << kAdminUsage;
    return 2;
  }
  try {
    if (args[0] == "backup") {
      if (words.size() != 1) {
        err << kAdminUsage;
        return 2;
      }
      if (db.rfind("postgres", 0) == 0) {
        err << "zq-scores: back up a PostgreSQL store with pg_dump (see the README)\n";
        return 2;
      }
      BackupSqliteStore(db, words[0]);
      out << "backed up " << db << " to " << words[0] << '\n';
      return 0;
    }
    if (args[0] != "admin") {
      err << kAdminUsage;
      return 2;
    }
    const std::unique_ptr<ScoreStore> store = OpenStore(db, 1);
    return Admin(*store, words, out, err);
  } catch (const std::exception& error) {
    err << "zq-scores: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace scores
