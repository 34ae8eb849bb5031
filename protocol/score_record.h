// The score record as the game sends it and the service reads it back: the
// "|"-separated record text filled with "0" to a multiple of 5 characters, and
// its 5-bit text encoding over a 32-letter alphabet. Shared by the game's
// submission worker and the score service; no network or database code here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace protocol {

// No I, O, Z or 0, so an encoded record cannot be misread when typed.
inline constexpr std::string_view kRecordAlphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789";

// "type=0|name=N|score=S|key=X|p=P|add=C|z=" and then "0"s up to a multiple of 5.
std::string BuildRecord(std::string_view name, std::int32_t score, std::string_view kept,
                        std::string_view country);

// Each byte as 8 bits, most significant first; "0" bits put in front up to a
// multiple of 5; each 5 bits, most significant first, as one alphabet letter.
std::string EncodeRecord(std::string_view text);

// The inverse for a text of whole records (a multiple of 8 letters, alphabet
// only); empty when the text is anything else.
std::optional<std::string> DecodeRecord(std::string_view encoded);

}  // namespace protocol
