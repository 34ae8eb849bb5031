#include "protocol/version_reply.h"

namespace protocol {

bool IsOkReply(std::string_view reply) {
  return reply.substr(0, 2) == "OK";
}

std::string KeptValue(std::string_view reply) {
  std::string_view kept;
  for (int cut = 0; cut < 5; ++cut) {
    const std::size_t bar = reply.find('|');
    if (bar == std::string_view::npos) {
      kept = {};
      continue;
    }
    kept = reply.substr(0, bar);
    reply.remove_prefix(bar + 1);
  }
  return std::string(kept);
}

}  // namespace protocol
