// Which address a request comes from. Behind a reverse proxy every request
// comes from the proxy; its forwarding header is believed only when the
// connection comes from one of the trusted proxies named by the operator.
#pragma once

#include <string>
#include <vector>

#include "server/http_server.h"

namespace scores {

// The peer's address; from a trusted proxy, the right-most address of
// X-Forwarded-For that is not itself a trusted proxy (the ones to its left
// are whatever the client chose to send).
std::string ClientAddress(const HttpRequest& request, const std::vector<std::string>& trusted);

}  // namespace scores
