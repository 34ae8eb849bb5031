#include "screens/publisher.h"

#include <cstdlib>

namespace screens {

std::string ScoreServer() {
  const char* override = std::getenv("ZQ_SCORE_SERVER");
  std::string server = (override && *override) ? override : std::string(kPublisherSite);
  while (!server.empty() && server.back() == '/') server.pop_back();
  return server;
}

}  // namespace screens
