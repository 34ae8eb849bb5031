#include "server/token_signer.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <sys/random.h>

#include <array>
#include <stdexcept>

namespace scores {
namespace {

constexpr std::size_t kTimeBytes = 4;
constexpr std::size_t kRandomBytes = 8;
constexpr std::size_t kMacBytes = 12;
constexpr std::size_t kSignedBytes = kTimeBytes + kRandomBytes;
constexpr std::size_t kTokenBytes = kSignedBytes + kMacBytes;
static_assert(kTokenLength == 2 * kTokenBytes);

using TokenBytes = std::array<std::uint8_t, kTokenBytes>;

// The MAC of the signed part of `token`, cut to kMacBytes.
std::array<std::uint8_t, kMacBytes> Mac(const std::vector<std::uint8_t>& secret,
                                        const TokenBytes& token) {
  unsigned char full[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!HMAC(EVP_sha256(), secret.data(), static_cast<int>(secret.size()), token.data(),
            kSignedBytes, full, &length)) {
    throw std::runtime_error("HMAC-SHA256 failed");
  }
  std::array<std::uint8_t, kMacBytes> mac;
  std::copy(full, full + kMacBytes, mac.begin());
  return mac;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::vector<std::uint8_t> RandomBytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = getrandom(bytes.data() + got, count - got, 0);
    if (n < 0) throw std::runtime_error("no random source");
    got += static_cast<std::size_t>(n);
  }
  return bytes;
}

TokenSigner::TokenSigner(std::vector<std::uint8_t> secret) : secret_(std::move(secret)) {
  if (secret_.size() < kMinSecretBytes) throw std::invalid_argument("token secret too short");
}

std::string TokenSigner::Issue(std::int64_t now) const {
  TokenBytes token{};
  const auto time = static_cast<std::uint32_t>(now);
  for (std::size_t i = 0; i < kTimeBytes; ++i) {
    token[i] = static_cast<std::uint8_t>(time >> (8 * (kTimeBytes - 1 - i)));
  }
  const std::vector<std::uint8_t> random = RandomBytes(kRandomBytes);
  std::copy(random.begin(), random.end(), token.begin() + kTimeBytes);
  const auto mac = Mac(secret_, token);
  std::copy(mac.begin(), mac.end(), token.begin() + kSignedBytes);

  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(kTokenLength);
  for (const std::uint8_t b : token) {
    text += kHex[b >> 4];
    text += kHex[b & 15];
  }
  return text;
}

std::optional<std::int64_t> TokenSigner::IssuedAt(std::string_view text) const {
  if (text.size() != kTokenLength) return std::nullopt;
  TokenBytes token{};
  for (std::size_t i = 0; i < kTokenBytes; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    token[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  const auto mac = Mac(secret_, token);
  if (CRYPTO_memcmp(mac.data(), token.data() + kSignedBytes, kMacBytes) != 0) return std::nullopt;
  std::uint32_t time = 0;
  for (std::size_t i = 0; i < kTimeBytes; ++i) time = time << 8 | token[i];
  return time;
}

}  // namespace scores
