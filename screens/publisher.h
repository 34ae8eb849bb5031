// The publisher's web address: the root of the web site, the subscribe page and
// the address in the tell-a-friend mail are all made from it.
#pragma once

#include <string_view>

namespace screens {

inline constexpr std::string_view kPublisherSite = "https://www.zorbelline-games.example";

}  // namespace screens
