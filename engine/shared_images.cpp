#include "engine/shared_images.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>

namespace engine {

std::shared_ptr<const Image> SharedImages::Decode(std::span<const std::uint8_t> bytes) {
  const std::size_t hash = std::hash<std::string_view>()(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  const auto [first, last] = byHash_.equal_range(hash);
  for (auto it = first; it != last; ++it) {
    if (const auto held = it->second.lock(); held && std::ranges::equal(held->bytes, bytes)) {
      return {held, &held->image};
    }
  }
  std::optional<Image> image = sizesOnly_ ? ReadImageSize(bytes) : DecodeImage(bytes);
  if (!image) return nullptr;
  SweepGone();
  // Not make_shared: the table's weak pointers would keep the picture's memory
  // (one block with the counts) until its entry is swept.
  const std::shared_ptr<const Decoded> decoded(
      new Decoded{{bytes.begin(), bytes.end()}, std::move(*image)});
  byHash_.emplace(hash, decoded);
  return {decoded, &decoded->image};
}

void SharedImages::SetSizesOnly(bool sizesOnly) {
  if (sizesOnly == sizesOnly_) return;
  sizesOnly_ = sizesOnly;
  Clear();
}

void SharedImages::SweepGone() {
  if (byHash_.size() < sweepAt_) return;
  std::erase_if(byHash_, [](const auto& entry) { return entry.second.expired(); });
  sweepAt_ = std::max(kFirstSweep, 2 * byHash_.size());
}

}  // namespace engine
