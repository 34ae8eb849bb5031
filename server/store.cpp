#include "server/store.h"

namespace scores {

const char* MarkName(ReplayMark mark) {
  switch (mark) {
    case ReplayMark::Pending:
      return "pending";
    case ReplayMark::Verified:
      return "verified";
    case ReplayMark::Rejected:
      return "rejected";
    case ReplayMark::None:
      break;
  }
  return "none";
}

std::unique_ptr<ScoreStore> OpenStore(const std::string& where, int connections) {
  if (where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0) {
    return OpenPostgresStore(where, connections);
  }
  return OpenSqliteStore(where);
}

}  // namespace scores
