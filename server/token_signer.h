// The one-time value a version request hands out, signed instead of stored:
// its issue time, a random part and an HMAC-SHA256 of both under the
// service's secret, as 48 lower-case hexadecimal digits. Any instance holding
// the same secret accepts the values of another; none is written anywhere
// until a submission uses it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scores {

// 8 digits of issue time (seconds since 1970, unsigned 32-bit), 16 of random
// part, 24 of the truncated MAC.
inline constexpr std::size_t kTokenLength = 48;
// Fewest bytes a secret may have.
inline constexpr std::size_t kMinSecretBytes = 32;

class TokenSigner {
 public:
  // `secret` has at least kMinSecretBytes bytes (std::invalid_argument if not).
  explicit TokenSigner(std::vector<std::uint8_t> secret);

  // A fresh value issued at `now`.
  std::string Issue(std::int64_t now) const;
  // The issue time of a value this secret signed; nothing for a value of the
  // wrong length, with other characters (upper case included), or whose MAC
  // does not match.
  std::optional<std::int64_t> IssuedAt(std::string_view token) const;

 private:
  std::vector<std::uint8_t> secret_;
};

// `count` bytes from the system's random source.
std::vector<std::uint8_t> RandomBytes(std::size_t count);

}  // namespace scores
