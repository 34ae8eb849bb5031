// Pictures stretched once to each whole-pixel size they are drawn at, so that
// SDL's software renderer draws a particle or an upright sprite as a 1:1 blit
// instead of stretching the picture again every time. The stretch
// is SDL's own linear one, the one the renderer would do, so the pixels are
// the same.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "engine/image.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace engine {

class StretchCache {
 public:
  explicit StretchCache(SDL_Renderer* renderer) : renderer_(renderer) {}
  ~StretchCache();
  StretchCache(const StretchCache&) = delete;
  StretchCache& operator=(const StretchCache&) = delete;

  // The image at width x height pixels; null when it cannot be made.
  SDL_Texture* Get(const std::shared_ptr<const Image>& image, int width, int height);
  // Lets go of the sizes of images that are gone.
  void DropUnused();

 private:
  struct Key {
    const Image* image;
    int width, height;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>()(k.image) ^ (static_cast<std::size_t>(k.width) << 20) ^
             static_cast<std::size_t>(k.height);
    }
  };
  struct Entry {
    std::weak_ptr<const Image> image;
    SDL_Texture* texture = nullptr;
  };
  SDL_Renderer* renderer_;
  std::unordered_map<Key, Entry, KeyHash> cache_;
  std::size_t pixels_ = 0;
};

}  // namespace engine
