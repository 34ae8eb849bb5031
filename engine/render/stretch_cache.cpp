#include "engine/render/stretch_cache.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace engine {
namespace {

// More than the game's pictures ever use at once: past it the cache starts
// again rather than growing without end (a picture whose scale changes every
// frame leaves a size behind each frame).
constexpr std::size_t kMaxEntries = 2048;
constexpr std::size_t kMaxPixels = 16 << 20;

}  // namespace

StretchCache::~StretchCache() {
  for (auto& [key, entry] : cache_) SDL_DestroyTexture(entry.texture);
}

SDL_Texture* StretchCache::Get(const std::shared_ptr<const Image>& image, int width, int height) {
  if (!image || !HasPixels(*image) || width <= 0 || height <= 0) return nullptr;
  const Key key{image.get(), width, height};
  if (auto it = cache_.find(key); it != cache_.end()) {
    if (it->second.image.lock() == image) return it->second.texture;
    SDL_DestroyTexture(it->second.texture);  // the address now holds another image
    pixels_ -= static_cast<std::size_t>(width) * height;
    cache_.erase(it);
  }
  if (cache_.size() >= kMaxEntries || pixels_ > kMaxPixels) {
    for (auto& [k, entry] : cache_) SDL_DestroyTexture(entry.texture);
    cache_.clear();
    pixels_ = 0;
  }
  // SDL's own linear stretch, as the software renderer scales a textured
  // rectangle, into the renderer's texture format.
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint8_t*>(image->rgba.data()), image->width, image->height, 32,
      image->width * 4, SDL_PIXELFORMAT_ABGR8888);
  SDL_Surface* stretched =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
  SDL_Texture* texture = nullptr;
  if (source && stretched && SDL_SoftStretchLinear(source, nullptr, stretched, nullptr) == 0) {
    texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC,
                                width, height);
    if (texture) SDL_UpdateTexture(texture, nullptr, stretched->pixels, stretched->pitch);
  }
  SDL_FreeSurface(stretched);
  SDL_FreeSurface(source);
  if (!texture) return nullptr;
  cache_[key] = {image, texture};
  pixels_ += static_cast<std::size_t>(width) * height;
  return texture;
}

void StretchCache::DropUnused() {
  for (auto it = cache_.begin(); it != cache_.end();) {
    if (it->second.image.expired()) {
      SDL_DestroyTexture(it->second.texture);
      pixels_ -= static_cast<std::size_t>(it->first.width) * it->first.height;
      it = cache_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace engine
