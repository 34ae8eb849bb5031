#include "server/record_check.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace scores {
namespace {

constexpr std::size_t kMaxLetters = 10;
constexpr std::size_t kMaxTokenLength = 64;

// Takes "key" followed by the value up to the next "|" (or the end) off the
// front of `text`.
std::optional<std::string_view> TakeField(std::string_view& text, std::string_view key) {
  if (text.substr(0, key.size()) != key) return std::nullopt;
  text.remove_prefix(key.size());
  const std::size_t bar = text.find('|');
  const std::string_view value = text.substr(0, bar);
  text.remove_prefix(bar == std::string_view::npos ? text.size() : bar);
  return value;
}

bool AllOf(std::string_view s, int (*test)(int)) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) > 127 || !test(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsLetters(std::string_view s) {
  return s.size() <= kMaxLetters && AllOf(s, [](int c) { return std::isalpha(c); });
}

RecordCheck Refuse(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

}  // namespace

RecordCheck CheckRecord(std::string_view text) {
  const std::string_view whole = text;
  SubmittedRecord record;

  const auto type = TakeField(text, "type=");
  if (!type || *type != "0") return Refuse("record must begin with type=0");

  const auto name = TakeField(text, "|name=");
  if (!name) return Refuse("name field missing");
  if (!IsLetters(*name)) return Refuse("name must be at most 10 letters");
  record.name = *name;

  const auto score = TakeField(text, "|score=");
  if (!score) return Refuse("score field missing");
  if (score->empty() || score->size() > 10 || !AllOf(*score, [](int c) { return std::isdigit(c); }))
    return Refuse("score must be decimal digits");
  std::int64_t value = 0;
  std::from_chars(score->data(), score->data() + score->size(), value);
  if (value > std::numeric_limits<std::int32_t>::max()) return Refuse("score out of range");
  record.score = static_cast<std::int32_t>(value);

  const auto key = TakeField(text, "|key=");
  if (!key || *key != "X") return Refuse("key must be X");

  const auto token = TakeField(text, "|p=");
  if (!token) return Refuse("p field missing");
  if (token->empty() || token->size() > kMaxTokenLength ||
      !AllOf(*token, [](int c) { return std::isalnum(c); }))
    return Refuse("p must be the token of a version request");
  record.token = *token;

  const auto country = TakeField(text, "|add=");
  if (!country) return Refuse("add field missing");
  if (!IsLetters(*country)) return Refuse("country must be at most 10 letters");
  record.country = *country;

  const auto fill = TakeField(text, "|z=");
  if (!fill || !text.empty()) return Refuse("record must end with z= and zeros");
  if (fill->find_first_not_of('0') != std::string_view::npos) return Refuse("z= takes only zeros");
  if (whole.size() % 5 != 0 || fill->size() >= 5) return Refuse("wrong number of fill zeros");

  return {std::move(record), {}};
}

}  // namespace scores
