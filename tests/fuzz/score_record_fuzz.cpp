// A submitted score record as the score service reads it: the encoded text
// from the request (refused above the length cap), decoded, then checked
// field by field. The first input byte chooses whether the rest is taken as the
// encoded text or as an already decoded record, so the check is reached with
// any text too. What the check accepts the game can have built.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/score_record.h"
#include "server/record_check.h"
#include "server/service.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckAccepted(std::string_view text) {
  const scores::RecordCheck check = scores::CheckRecord(text);
  if (!check.record) {
    fuzz::Check(!check.reason.empty(), "refusal without a reason");
    return;
  }
  const scores::SubmittedRecord& r = *check.record;
  fuzz::Check(r.name.size() <= 10 && r.country.size() <= 10 && r.score >= 0 && !r.token.empty() &&
                  r.token.size() <= 64,
              "accepted record with fields the table cannot hold");
  // The game writes the score without leading zeros; any other accepted
  // record differs from what it builds only there.
  const std::size_t score = text.find("|score=") + 7;
  const bool leadingZero = text[score] == '0' && text[score + 1] != '|';
  if (!leadingZero) {
    fuzz::Check(protocol::BuildRecord(r.name, r.score, r.token, r.country) == text,
                "accepted record the game cannot have built");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    CheckAccepted(rest);
    return 0;
  }
  if (rest.empty() || rest.size() > scores::kMaxEncodedRecord) return 0;
  const std::optional<std::string> text = protocol::DecodeRecord(rest);
  if (!text) return 0;
  fuzz::Check(protocol::EncodeRecord(*text) == rest, "decoded record does not encode back");
  CheckAccepted(*text);
  return 0;
}
