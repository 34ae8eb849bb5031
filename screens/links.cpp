#include "screens/links.h"

#include "screens/publisher.h"

namespace screens {

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
    if (unreserved) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string WebSiteLink() {
  return std::string(kPublisherSite);
}

std::string SubscribeLink() {
  return std::string(kPublisherSite) + "/subscribe";
}

std::string TellAFriendLink() {
  // The recipient "<>" is the game's own empty address; the subject holds an
  // en dash (U+2013), written here in UTF-8.
  const std::string recipient = "<>";
  const std::string subject = " The Best Free Games \xE2\x80\x93 Try it now!";
  const std::string body =
      "Hello, take a look at the real free games: " + std::string(kPublisherSite);
  return "mailto:" + PercentEncode(recipient) + "?subject=" + PercentEncode(subject) +
         "&body=" + PercentEncode(body);
}

}  // namespace screens
