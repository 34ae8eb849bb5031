// The targets the main menu opens through the shell: the web site, its
// subscribe page and the tell-a-friend mail link.
#pragma once

#include <string>
#include <string_view>

namespace screens {

// Percent-encodes every byte except the unreserved characters (A-Z a-z 0-9 - . _ ~).
std::string PercentEncode(std::string_view text);

std::string WebSiteLink();
std::string SubscribeLink();
// A mailto: link with no recipient whose subject and body carry the game's
// invitation text; each component is percent-encoded (the en dash as UTF-8).
std::string TellAFriendLink();

}  // namespace screens
