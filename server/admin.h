// The operator's commands, acting on the store directly (no web page):
//   zq-scores admin [--db DB] list [N]        the newest N entries (default 20)
//   zq-scores admin [--db DB] remove ID...    removes entries
//   zq-scores admin [--db DB] ban ADDRESS     refuses the address's requests
//   zq-scores admin [--db DB] unban ADDRESS
//   zq-scores admin [--db DB] bans            the banned addresses
//   zq-scores backup [--db DB] FILE           a consistent copy of an SQLite store
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scores {

// `args` follow the program name, starting with "admin" or "backup". The exit
// status: 0 done, 1 the store failed or an entry/ban was not there, 2 usage.
int RunAdminCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace scores
