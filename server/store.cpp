#include "server/store.h"

namespace scores {

std::unique_ptr<ScoreStore> OpenStore(const std::string& where, int connections) {
  if (where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0) {
    return OpenPostgresStore(where, connections);
  }
  return OpenSqliteStore(where);
}

}  // namespace scores
