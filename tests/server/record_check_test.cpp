// The strict reading of a decoded record: what the game writes passes, every
// departure from it is refused with a reason.
#include "server/record_check.h"

#include <gtest/gtest.h>

#include "protocol/score_record.h"

namespace {

TEST(RecordCheck, GamesOwnRecordsPass) {
  const struct {
    std::string name;
    std::int32_t score;
    std::string country;
  } kCases[] = {{"Zed", 1234, "Mars"}, {"", 0, ""}, {"AbcdefghIJ", 2147483647, "KlmnopqrST"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto check =
        scores::CheckRecord(protocol::BuildRecord(c.name, c.score, "ab12", c.country));
    ASSERT_TRUE(check.record) << check.reason;
    EXPECT_EQ(check.record->name, c.name);
    EXPECT_EQ(check.record->score, c.score);
    EXPECT_EQ(check.record->token, "ab12");
    EXPECT_EQ(check.record->country, c.country);
  }
}

// `fields` with the "|z=" fill the game would add.
std::string Filled(std::string fields) {
  fields += "|z=";
  while (fields.size() % 5 != 0) fields += '0';
  return fields;
}

TEST(RecordCheck, EveryRuleRefuses) {
  const std::string kBad[] = {
      Filled("type=1|name=Zed|score=1|key=X|p=ab|add=C"),            // type
      Filled("name=Zed|type=0|score=1|key=X|p=ab|add=C"),            // order
      Filled("type=0|score=1|name=Zed|key=X|p=ab|add=C"),            // order
      Filled("type=0|name=Z3d|score=1|key=X|p=ab|add=C"),            // digit in name
      Filled("type=0|name=Zed Zed|score=1|key=X|p=ab|add=C"),        // space in name
      Filled("type=0|name=Abcdefghijk|score=1|key=X|p=ab|add=C"),    // 11 letters
      Filled("type=0|name=Zed\xe9|score=1|key=X|p=ab|add=C"),        // not ASCII
      Filled("type=0|name=Zed|score=1|key=X|p=ab|add=C4"),           // digit in country
      Filled("type=0|name=Zed|score=1|key=X|p=ab|add=Abcdefghijk"),  // long country
      Filled("type=0|name=Zed|score=-1|key=X|p=ab|add=C"),           // sign
      Filled("type=0|name=Zed|score=|key=X|p=ab|add=C"),             // no digits
      Filled("type=0|name=Zed|score=2147483648|key=X|p=ab|add=C"),   // above int32
      Filled("type=0|name=Zed|score=99999999999|key=X|p=ab|add=C"),  // 11 digits
      Filled("type=0|name=Zed|score=1|key=Y|p=ab|add=C"),            // key
      Filled("type=0|name=Zed|score=1|key=X|p=|add=C"),              // no token
      Filled("type=0|name=Zed|score=1|key=X|p=a-b|add=C"),           // token letters
      Filled("type=0|name=Zed|score=1|key=X|p=ab|add=C|x=1"),        // extra field
      Filled("type=0|name=Zed|score=1|key=X|p=ab"),                  // missing field
      "type=0|name=Zed|score=1|key=X|p=ab|add=C|z=01",               // fill not zeros
      "type=0|name=Zed|score=1|key=X|p=ab|add=C|z=0000000",          // more fill than needed
      "type=0|name=Zed|score=1|key=X|p=ab|add=C|z=0",                // not a multiple of 5
      "type=0|name=Zed|score=1|key=X|p=ab|add=C|z=00|",              // after the fill
      "type=0|name=Zed|score=1|key=X|p=ab|add=Ca",                   // no fill field
  };
  for (const std::string& text : kBad) {
    SCOPED_TRACE(text);
    const auto check = scores::CheckRecord(text);
    EXPECT_FALSE(check.record);
    EXPECT_FALSE(check.reason.empty());
    EXPECT_EQ(check.reason.find('\n'), std::string::npos);
  }
}

}  // namespace
