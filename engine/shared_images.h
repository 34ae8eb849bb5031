// Decoded pictures shared by the textures made from the same image bytes: a
// hundred textures of one picture hold one decoded copy, not a hundred. Every
// texture still has its own handle and tag; the picture lives as long as the
// last texture (or font) that uses it. The renderer keeps its GPU textures per
// picture, so those are shared too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/image.h"

namespace engine {

class SharedImages {
 public:
  // The picture `bytes` decode to: the one still held for the same bytes, or a
  // new decode. Null when the bytes are no picture (see DecodeImage).
  std::shared_ptr<const Image> Decode(std::span<const std::uint8_t> bytes);
  // Forgets every picture; those still held elsewhere stay valid, just unshared.
  void Clear() { byHash_.clear(); }
  // With sizes only, a picture is read for its width and height and holds no
  // pixels (ReadImageSize): for a program that never draws a frame. Changing
  // it forgets every picture, so none is shared across the two.
  void SetSizesOnly(bool sizesOnly);
  bool sizesOnly() const { return sizesOnly_; }

 private:
  struct Decoded {
    std::vector<std::uint8_t> bytes;  // to tell apart different bytes of one hash
    Image image;
  };
  // Drops the entries of pictures nobody holds any more, once the table has
  // doubled since the last sweep (amortised constant time per decode).
  void SweepGone();

  // Weak: the table never keeps a picture alive.
  std::unordered_multimap<std::size_t, std::weak_ptr<const Decoded>> byHash_;
  std::size_t sweepAt_ = kFirstSweep;
  bool sizesOnly_ = false;
  static constexpr std::size_t kFirstSweep = 64;
};

}  // namespace engine
