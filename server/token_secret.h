// The secret the service signs its one-time values with, read from a file the
// way ssh reads a private key: a regular file, kept from group and others.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scores {

// The file's bytes, all of them, as the key (so `head -c 32 /dev/urandom` and
// `openssl rand -hex 32` both make one). Throws std::runtime_error, with a
// message naming the file and what is wrong, when it is missing, not a regular
// file, shorter than kMinSecretBytes, longer than 4096 bytes, or has any
// permission for group or others.
std::vector<std::uint8_t> ReadTokenSecret(const std::string& path);

}  // namespace scores
