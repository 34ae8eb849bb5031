// Move-only owners of engine objects for the code that makes them: the object
// is destroyed when its owner goes out of scope, is reset or is assigned
// another. An owner whose object died with the engine (a restart, or another
// engine installed since) only forgets it, so restarts never lead to
// operations on dead handles. The owner converts to its handle for the i*
// operations.
#pragma once

#include <cstdint>
#include <utility>

#include "engine/engine.h"

namespace engine {

// Changes whenever every engine object dies: at each i3ImpactClose and with
// each new engine. 0 while no engine is installed.
std::uint64_t ObjectGeneration();

template <void (*Destroy)(iHandle)>
class Owned {
 public:
  Owned() = default;
  // Takes over a handle just returned by the engine (0 is allowed: no object).
  explicit Owned(iHandle handle) : handle_(handle), generation_(ObjectGeneration()) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept
      : handle_(std::exchange(other.handle_, 0)), generation_(other.generation_) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, 0);
      generation_ = other.generation_;
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  iHandle get() const { return handle_; }
  operator iHandle() const { return handle_; }  // NOLINT: used as the handle it owns
  explicit operator bool() const { return handle_ != 0; }

  // Destroys the object if it is still alive, and holds nothing.
  void reset() {
    if (handle_ != 0 && generation_ == ObjectGeneration()) Destroy(handle_);
    handle_ = 0;
  }

 private:
  iHandle handle_ = 0;
  std::uint64_t generation_ = 0;
};

using OwnedTexture = Owned<iTextureDestroy>;
using OwnedSprite = Owned<iSpriteDestroy>;
using OwnedParticles = Owned<iParticleDestroy>;
using OwnedEmitter = Owned<iParticleEmitterDestroy>;
using OwnedSound = Owned<iSoundDestroy>;

// A sprite and the texture made for it alone; the sprite goes first.
struct OwnedPicture {
  OwnedTexture texture;
  OwnedSprite sprite;
};

// Takes over `sprite`, just made, and the texture `makeTexture` then makes,
// and sets it on the sprite.
template <typename MakeTexture>
OwnedPicture MakeOwnedPicture(iHandle sprite, MakeTexture makeTexture) {
  OwnedPicture picture;
  picture.sprite = OwnedSprite(sprite);
  picture.texture = OwnedTexture(makeTexture());
  iSpriteTextureSet(picture.sprite, picture.texture);
  return picture;
}

}  // namespace engine
