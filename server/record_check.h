// The strict reading of a decoded score record: exactly the fields the game
// writes, in its order, with nothing that the world table could not show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scores {

struct SubmittedRecord {
  std::string name;
  std::int32_t score = 0;
  std::string token;
  std::string country;
};

struct RecordCheck {
  std::optional<SubmittedRecord> record;
  std::string reason;  // why not, one line, when there is no record
};

// "type=0|name=N|score=S|key=X|p=T|add=C|z=0..." where N and C are 0..10
// letters A-Z/a-z, S is decimal digits within int32, T the token (letters and
// digits), and the "0"s only fill the text to a multiple of 5.
RecordCheck CheckRecord(std::string_view text);

}  // namespace scores
