// The publisher's web address: the root of the web site, the subscribe page and
// the address in the tell-a-friend mail are all made from it. The world
// high-score service lives there too, unless ZQ_SCORE_SERVER names another one
// (a service of our own, e.g. "http://127.0.0.1:8088").
#pragma once

#include <string>
#include <string_view>

namespace screens {

inline constexpr std::string_view kPublisherSite = "https://www.zorbelline-games.example";

// The world high-score service's root: ZQ_SCORE_SERVER when set and not empty
// (without a trailing "/"), else the publisher's site.
std::string ScoreServer();

}  // namespace screens
