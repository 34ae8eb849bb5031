// The record text, its 5-bit encoding and the value kept from the version reply.
#include <gtest/gtest.h>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"

namespace {

using protocol::BuildRecord;
using protocol::DecodeRecord;
using protocol::EncodeRecord;
using protocol::KeptValue;

TEST(RecordCodec, EncodesFiveCharactersAsEightLetters) {
  const struct {
    std::string text;
    std::string encoded;
  } kCases[] = {
      {"abcde", "NFTGG3DF"},
      {"", ""},
      {std::string(5, '\0'), "AAAAAAAA"},
      {std::string(5, '\xff'), "99999999"},
      {"abcdeabcde", "NFTGG3DFNFTGG3DF"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.encoded);
    EXPECT_EQ(EncodeRecord(c.text), c.encoded);
  }
  // Bits that are not a multiple of 5 get "0" bits in front: one byte 0xff
  // is 00 11111 111 -> padded to 10 bits "0011111111" -> 7 and 31.
  EXPECT_EQ(EncodeRecord("\xff"), "H9");
}

TEST(RecordCodec, RecordTextIsFilledToAMultipleOfFive) {
  const struct {
    std::string name;
    std::int32_t score;
    std::string kept;
    std::string country;
    std::string text;
  } kCases[] = {
      {"Zed", 1234, "tok", "Mars", "type=0|name=Zed|score=1234|key=X|p=tok|add=Mars|z="},
      {"", 0, "", "", "type=0|name=|score=0|key=X|p=|add=|z=000"},
      {"Abcdefghij", 2147483647, "0123456789abcdef0123456789abcdef", "Klmnopqrst",
       "type=0|name=Abcdefghij|score=2147483647|key=X|p=0123456789abcdef0123456789abcdef"
       "|add=Klmnopqrst|z=00"},
      {"Abc", 5, "", "C", "type=0|name=Abc|score=5|key=X|p=|add=C|z=0000"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    const std::string text = BuildRecord(c.name, c.score, c.kept, c.country);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(text.size() % 5, 0u);
    const std::string encoded = EncodeRecord(text);
    EXPECT_EQ(encoded.size(), text.size() / 5 * 8);
    EXPECT_EQ(encoded.find_first_not_of(protocol::kRecordAlphabet), std::string::npos);
    EXPECT_EQ(DecodeRecord(encoded), text);
  }
}

TEST(RecordCodec, DecodingRefusesWhatTheEncoderNeverWrites) {
  for (const std::string bad : {"NFTGG3D", "NFTGG3DI", "nftgg3df", "NFTGG3D0", "NFTGG3DF A"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(DecodeRecord(bad));
  }
}

TEST(RecordCodec, VersionReplyIsOkOnlyInCapitals) {
  EXPECT_TRUE(protocol::IsOkReply("OK"));
  EXPECT_TRUE(protocol::IsOkReply("OK|1|2"));
  EXPECT_FALSE(protocol::IsOkReply("ok|1|2|3|4|5"));
  EXPECT_FALSE(protocol::IsOkReply("Ok"));
  EXPECT_FALSE(protocol::IsOkReply("O"));
  EXPECT_FALSE(protocol::IsOkReply(""));
  EXPECT_FALSE(protocol::IsOkReply(" OK"));
}

TEST(RecordCodec, FiveCutsKeepTheFifthFieldWhenABarFollows) {
  const struct {
    const char* reply;
    const char* kept;
  } kCases[] = {
      {"OK|1|2|3|4|5", "4"},
      {"OK|1|2|3|4|", "4"},
      {"OK|1|2|3|4", ""},
      {"OK|1|2|3|tok|x|y|z", "tok"},
      {"OK", ""},
      {"OK|||||", ""},
      {"", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(KeptValue(c.reply), c.kept);
  }
}

}  // namespace
