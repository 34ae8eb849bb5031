// The targets of the main menu's web and mail items.
#include "screens/links.h"

#include <gtest/gtest.h>

#include "screens/publisher.h"

namespace {

TEST(LinksTest, PercentEncodesAllButUnreservedCharacters) {
  EXPECT_EQ(screens::PercentEncode("aZ09-._~"), "aZ09-._~");
  EXPECT_EQ(screens::PercentEncode(" !&=?/:<>,%"), "%20%21%26%3D%3F%2F%3A%3C%3E%2C%25");
  EXPECT_EQ(screens::PercentEncode("\xE2\x80\x93"), "%E2%80%93");
}

TEST(LinksTest, TellAFriendIsTheInvitationAsAMailtoLink) {
  const std::string site = screens::PercentEncode(screens::kPublisherSite);
  EXPECT_EQ(screens::TellAFriendLink(),
            "mailto:%3C%3E?subject=%20The%20Best%20Free%20Games%20%E2%80%93%20Try%20it%20now%21"
            "&body=Hello%2C%20take%20a%20look%20at%20the%20real%20free%20games%3A%20" +
                site);
  EXPECT_EQ(screens::SubscribeLink(), std::string(screens::kPublisherSite) + "/subscribe");
  EXPECT_EQ(screens::WebSiteLink(), screens::kPublisherSite);
}

}  // namespace
