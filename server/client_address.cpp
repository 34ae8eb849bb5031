#include "server/client_address.h"

#include <arpa/inet.h>

#include <algorithm>

namespace scores {
namespace {

bool Trusted(const std::string& address, const std::vector<std::string>& trusted) {
  return std::find(trusted.begin(), trusted.end(), address) != trusted.end();
}

bool IsAddress(const std::string& text) {
  unsigned char bytes[16];
  return inet_pton(AF_INET, text.c_str(), bytes) == 1 ||
         inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string ClientAddress(const HttpRequest& request, const std::vector<std::string>& trusted) {
  std::string client = request.peer;
  if (!Trusted(client, trusted)) return client;
  const std::string* forwarded = request.Header("x-forwarded-for");
  if (!forwarded) return client;
  std::size_t end = forwarded->size();
  for (;;) {
    const std::size_t comma = end == 0 ? std::string::npos : forwarded->rfind(',', end - 1);
    const std::size_t begin = comma == std::string::npos ? 0 : comma + 1;
    const std::string hop = Trim(forwarded->substr(begin, end - begin));
    if (!IsAddress(hop)) return client;  // a damaged header names nobody further
    client = hop;
    if (!Trusted(hop, trusted) || comma == std::string::npos) return client;
    end = comma;
  }
}

}  // namespace scores
