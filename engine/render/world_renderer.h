// Draws an engine world onto an SDL_Renderer whose logical size is 800 x 600.
// The window backend and the headless PNG render both draw through this one
// module, so what tests see is what the player sees.
//
// Order: layer-2 sprites, layer-0 sprites, particle systems, printed texts,
// layer-1 sprites; inside a layer by show order (engine::Sprite::order).
#pragma once

#include <memory>
#include <unordered_map>

#include "engine/render/stretch_cache.h"
#include "engine/world.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace engine {

class WorldRenderer {
 public:
  explicit WorldRenderer(SDL_Renderer* renderer);
  ~WorldRenderer();
  WorldRenderer(const WorldRenderer&) = delete;
  WorldRenderer& operator=(const WorldRenderer&) = delete;

  // Clears to black and draws the whole world (does not present).
  void Draw(const World& world);

 private:
  SDL_Texture* TextureFor(const std::shared_ptr<const Image>& image);
  void DrawSprite(const World& world, const Sprite& sprite);
  void DrawParticles(const World& world, const ParticleSystem& system);
  void BlitParticles(const std::shared_ptr<const Image>& image, const ParticleSystem& system);
  void DrawText(const World& world, const PrintedText& text);
  void DropUnusedTextures();

  struct CachedTexture {
    std::weak_ptr<const Image> image;
    SDL_Texture* texture = nullptr;
  };
  SDL_Renderer* renderer_;
  std::unordered_map<const Image*, CachedTexture> cache_;
  // On SDL's software renderer particles and upright sprites are 1:1 blits of
  // pictures stretched once per size (the same pixels, a fraction of the
  // work); other renderers scale on the GPU, particles as textured triangles.
  bool software_ = false;
  StretchCache stretched_;
};

// Renders a world to an 800 x 600 image with SDL's software renderer; needs no
// display. Reuse one instance for many frames.
class OffscreenRenderer {
 public:
  OffscreenRenderer();
  ~OffscreenRenderer();
  OffscreenRenderer(const OffscreenRenderer&) = delete;
  OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

  Image Render(const World& world);

 private:
  struct SdlObjects;
  std::unique_ptr<SdlObjects> sdl_;
  std::unique_ptr<WorldRenderer> drawer_;
};

}  // namespace engine
