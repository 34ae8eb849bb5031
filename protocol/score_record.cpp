#include "protocol/score_record.h"

namespace protocol {

std::string BuildRecord(std::string_view name, std::int32_t score, std::string_view kept,
                        std::string_view country) {
  std::string text = "type=0";
  text.append("|name=").append(name);
  text.append("|score=").append(std::to_string(score));
  text.append("|key=X");
  text.append("|p=").append(kept);
  text.append("|add=").append(country);
  text.append("|z=");
  while (text.size() % 5 != 0) text.push_back('0');
  return text;
}

std::string EncodeRecord(std::string_view text) {
  std::string bits;
  bits.reserve(text.size() * 8 + 4);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    for (int bit = 7; bit >= 0; --bit) bits.push_back(((byte >> bit) & 1) ? '1' : '0');
  }
  if (bits.size() % 5 != 0) bits.insert(0, 5 - bits.size() % 5, '0');

  std::string encoded;
  encoded.reserve(bits.size() / 5);
  for (std::size_t i = 0; i < bits.size(); i += 5) {
    unsigned value = 0;
    for (std::size_t j = 0; j < 5; ++j) value = (value << 1) | (bits[i + j] != '0' ? 1u : 0u);
    encoded.push_back(kRecordAlphabet[value]);
  }
  return encoded;
}

std::optional<std::string> DecodeRecord(std::string_view encoded) {
  if (encoded.size() % 8 != 0) return std::nullopt;
  std::string text;
  text.reserve(encoded.size() / 8 * 5);
  std::uint64_t group = 0;  // 8 letters = 40 bits = 5 bytes
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const std::size_t value = kRecordAlphabet.find(encoded[i]);
    if (value == std::string_view::npos) return std::nullopt;
    group = (group << 5) | value;
    if (i % 8 == 7) {
      for (int byte = 4; byte >= 0; --byte)
        text.push_back(static_cast<char>((group >> (8 * byte)) & 0xFF));
      group = 0;
    }
  }
  return text;
}

}  // namespace protocol
