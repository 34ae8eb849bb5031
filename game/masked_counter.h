// A 32-bit counter that never sits plainly in memory: the value is stored
// combined (XOR) with a key of its own, made from the counter's address and a
// fixed constant, and is read and written only through Get and Set.
#pragma once

#include <cstdint>

namespace game {

class MaskedCounter {
 public:
  explicit MaskedCounter(std::int32_t value = 0)
      : key_(KeyFor(this)), stored_(static_cast<std::uint32_t>(value) ^ key_) {}
  MaskedCounter(const MaskedCounter&) = delete;
  MaskedCounter& operator=(const MaskedCounter&) = delete;

  std::int32_t Get() const { return static_cast<std::int32_t>(stored_ ^ key_); }
  void Set(std::int32_t value) { stored_ = static_cast<std::uint32_t>(value) ^ key_; }

 private:
  static std::uint32_t KeyFor(const void* where) {
    std::uint64_t z = reinterpret_cast<std::uintptr_t>(where) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::uint32_t>(z ^ (z >> 31)) | 1u;
  }

  std::uint32_t key_;
  std::uint32_t stored_;
};

}  // namespace game
