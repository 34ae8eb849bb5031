// The score server's version reply as the game's submission reads it: it
// counts only when it begins with "OK", the fifth "|" field is kept and sent
// back inside the encoded record. The service must get back exactly the
// record the game built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/score_record.h"
#include "protocol/version_reply.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  if (!protocol::IsOkReply(reply)) return 0;
  const std::string kept = protocol::KeptValue(reply);
  fuzz::Check(kept.find('|') == std::string::npos, "kept value holds a field separator");
  fuzz::Check(kept.size() <= reply.size(), "kept value longer than the reply");

  const std::string record = protocol::BuildRecord("Tester", 123456, kept, "Zorbellia");
  fuzz::Check(record.size() % 5 == 0, "record not filled to a multiple of 5");
  const std::string encoded = protocol::EncodeRecord(record);
  fuzz::Check(encoded.size() % 8 == 0, "encoded record not whole letter groups");
  const auto decoded = protocol::DecodeRecord(encoded);
  fuzz::Check(decoded && *decoded == record, "encoded record does not decode to itself");
  return 0;
}
