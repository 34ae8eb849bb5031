#include "engine/render/world_renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace engine {
namespace {

constexpr float kHalfWidth = kScreenWidth / 2.0f;
constexpr float kHalfHeight = kScreenHeight / 2.0f;

Uint8 ToByte(float v) {
  return static_cast<Uint8>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

float PixelX(float unitsX) {
  return kHalfWidth + unitsX * kPixelsPerUnit;
}
float PixelY(float unitsY) {
  return kHalfHeight - unitsY * kPixelsPerUnit;
}

int LayerRank(int layer) {
  switch (layer) {
    case 2:
      return 0;
    case 1:
      return 3;
    default:
      return 1;  // layer 0 (and any other value) sits between 2 and the texts
  }
}

void SetLook(SDL_Texture* texture, const iColor& color) {
  SDL_SetTextureColorMod(texture, ToByte(color.r), ToByte(color.g), ToByte(color.b));
  SDL_SetTextureAlphaMod(texture, ToByte(color.a));
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
}

}  // namespace

WorldRenderer::WorldRenderer(SDL_Renderer* renderer) : renderer_(renderer), stretched_(renderer) {
  SDL_RendererInfo info;
  software_ = SDL_GetRendererInfo(renderer, &info) == 0 && SDL_strcmp(info.name, "software") == 0;
}

WorldRenderer::~WorldRenderer() {
  for (auto& [key, entry] : cache_) SDL_DestroyTexture(entry.texture);
}

SDL_Texture* WorldRenderer::TextureFor(const std::shared_ptr<const Image>& image) {
  if (!image || !HasPixels(*image)) return nullptr;  // no picture, or its size alone
  auto it = cache_.find(image.get());
  if (it != cache_.end()) {
    if (it->second.image.lock() == image) return it->second.texture;
    SDL_DestroyTexture(it->second.texture);  // the address now holds another image
    cache_.erase(it);
  }
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ABGR8888,
                                           SDL_TEXTUREACCESS_STATIC, image->width, image->height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, image->rgba.data(), image->width * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  cache_[image.get()] = {image, texture};
  return texture;
}

void WorldRenderer::DropUnusedTextures() {
  stretched_.DropUnused();
  for (auto it = cache_.begin(); it != cache_.end();) {
    if (it->second.image.expired()) {
      SDL_DestroyTexture(it->second.texture);
      it = cache_.erase(it);
    } else {
      ++it;
    }
  }
}

void WorldRenderer::DrawSprite(const World& world, const Sprite& sprite) {
  if (sprite.color.a <= 0) return;
  auto tex = world.textures.find(sprite.texture);
  if (tex == world.textures.end()) return;
  SDL_Texture* texture = TextureFor(tex->second.image);
  if (!texture) return;
  const float w = std::fabs(sprite.scale.x) * kPixelsPerScale;
  const float h = std::fabs(sprite.scale.y) * kPixelsPerScale;
  if (w <= 0 || h <= 0) return;
  const SDL_FRect dst{PixelX(sprite.location.x) - w / 2, PixelY(sprite.location.y) - h / 2, w, h};
  int flip = SDL_FLIP_NONE;
  if (sprite.scale.x < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (sprite.scale.y < 0) flip |= SDL_FLIP_VERTICAL;
  if (software_ && sprite.orientation == 0 && flip == SDL_FLIP_NONE) {
    // Whole pixels as the software renderer truncates them, from a picture
    // stretched once to that size.
    const SDL_Rect whole{static_cast<int>(dst.x), static_cast<int>(dst.y), static_cast<int>(dst.w),
                         static_cast<int>(dst.h)};
    if (whole.w <= 0 || whole.h <= 0) return;
    if (SDL_Texture* scaled = stretched_.Get(tex->second.image, whole.w, whole.h)) texture = scaled;
    SetLook(texture, sprite.color);
    SDL_RenderCopy(renderer_, texture, nullptr, &whole);
    return;
  }
  SetLook(texture, sprite.color);
  // SDL turns clockwise in degrees; the engine turns counter-clockwise in radians.
  const double degrees = -static_cast<double>(sprite.orientation) * 180.0 / M_PI;
  SDL_RenderCopyExF(renderer_, texture, nullptr, &dst, degrees, nullptr,
                    static_cast<SDL_RendererFlip>(flip));
}

void WorldRenderer::DrawParticles(const World& world, const ParticleSystem& system) {
  if (!system.shown || system.particles.empty()) return;
  auto tex = world.textures.find(system.texture);
  if (tex == world.textures.end()) return;
  if (software_) {
    BlitParticles(tex->second.image, system);
    return;
  }
  SDL_Texture* texture = TextureFor(tex->second.image);
  if (!texture) return;
  SDL_SetTextureColorMod(texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(texture, 255);
  SDL_SetTextureBlendMode(texture,
                          system.renderMode == 0 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD);
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
  vertices.reserve(system.particles.size() * 4);
  indices.reserve(system.particles.size() * 6);
  const float life = system.lifeTime > 0 ? system.lifeTime : 1;
  const float pxPerWorld = kScreenUnitsPerWorldUnit * kPixelsPerUnit;
  for (const Particle& p : system.particles) {
    const float t = std::clamp(p.age / life, 0.0f, 1.0f);
    const float shrink = system.renderMode == 4 ? 1 - t : 1;
    const float hw = p.width * kParticleSizePerScale * pxPerWorld * shrink / 2;
    const float hh = p.height * kParticleSizePerScale * pxPerWorld * shrink / 2;
    if (hw <= 0 || hh <= 0) continue;
    const float cx = kHalfWidth + p.x * pxPerWorld;
    const float cy = kHalfHeight - p.y * pxPerWorld;
    const SDL_Color c{ToByte(system.colorStart.x + (system.colorEnd.x - system.colorStart.x) * t),
                      ToByte(system.colorStart.y + (system.colorEnd.y - system.colorStart.y) * t),
                      ToByte(system.colorStart.z + (system.colorEnd.z - system.colorStart.z) * t),
                      ToByte(1 - t)};
    const int base = static_cast<int>(vertices.size());
    vertices.push_back({{cx - hw, cy - hh}, c, {0, 0}});
    vertices.push_back({{cx + hw, cy - hh}, c, {1, 0}});
    vertices.push_back({{cx + hw, cy + hh}, c, {1, 1}});
    vertices.push_back({{cx - hw, cy + hh}, c, {0, 1}});
    for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(base + k);
  }
  if (!indices.empty()) {
    SDL_RenderGeometry(renderer_, texture, vertices.data(), static_cast<int>(vertices.size()),
                       indices.data(), static_cast<int>(indices.size()));
  }
}

void WorldRenderer::BlitParticles(const std::shared_ptr<const Image>& image,
                                  const ParticleSystem& system) {
  const SDL_BlendMode blend = system.renderMode == 0 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
  const float life = system.lifeTime > 0 ? system.lifeTime : 1;
  const float pxPerWorld = kScreenUnitsPerWorldUnit * kPixelsPerUnit;
  for (const Particle& p : system.particles) {
    const float t = std::clamp(p.age / life, 0.0f, 1.0f);
    const float shrink = system.renderMode == 4 ? 1 - t : 1;
    const float w = p.width * kParticleSizePerScale * pxPerWorld * shrink;
    const float h = p.height * kParticleSizePerScale * pxPerWorld * shrink;
    if (w <= 0 || h <= 0) continue;
    // Truncated to whole pixels, as SDL's software renderer places a rectangle.
    const float left = kHalfWidth + p.x * pxPerWorld - w / 2;
    const float top = kHalfHeight - p.y * pxPerWorld - h / 2;
    const SDL_Rect dst{static_cast<int>(left), static_cast<int>(top), static_cast<int>(w),
                       static_cast<int>(h)};
    if (dst.w <= 0 || dst.h <= 0) continue;
    SDL_Texture* glow = stretched_.Get(image, dst.w, dst.h);
    if (!glow) return;
    SDL_SetTextureBlendMode(glow, blend);
    SDL_SetTextureColorMod(
        glow, ToByte(system.colorStart.x + (system.colorEnd.x - system.colorStart.x) * t),
        ToByte(system.colorStart.y + (system.colorEnd.y - system.colorStart.y) * t),
        ToByte(system.colorStart.z + (system.colorEnd.z - system.colorStart.z) * t));
    SDL_SetTextureAlphaMod(glow, ToByte(1 - t));
    SDL_RenderCopy(renderer_, glow, nullptr, &dst);
  }
}

void WorldRenderer::DrawText(const World& world, const PrintedText& text) {
  if (text.color.a <= 0) return;
  auto it = world.fonts.find(text.font);
  if (it == world.fonts.end()) return;
  const Font& font = it->second;
  SDL_Texture* atlas = TextureFor(font.atlas);
  if (!atlas) return;
  SDL_SetTextureColorMod(atlas, ToByte(text.color.r), ToByte(text.color.g), ToByte(text.color.b));
  SDL_SetTextureAlphaMod(atlas, ToByte(text.color.a));
  SDL_SetTextureBlendMode(atlas, SDL_BLENDMODE_BLEND);
  const float cellW = text.scale.x * kPixelsPerUnit;
  const float cellH = 2 * text.scale.y * kPixelsPerUnit;
  const float top = PixelY(text.position.y) - cellH / 2;
  float left = PixelX(text.position.x);
  for (unsigned char ch : text.text) {
    const int index = static_cast<int>(ch) - font.firstChar;
    if (index >= 0 && index < static_cast<int>(font.glyphs.size())) {
      const FontGlyphRect& g = font.glyphs[index];
      if (g.w > 0 && g.h > 0) {
        const SDL_Rect src{g.x, g.y, g.w, g.h};
        const SDL_FRect dst{left, top, cellW, cellH};
        SDL_RenderCopyF(renderer_, atlas, &src, &dst);
      }
    }
    left += cellW;
  }
}

void WorldRenderer::Draw(const World& world) {
  DropUnusedTextures();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);

  std::vector<const Sprite*> shown;
  shown.reserve(world.sprites.size());
  for (const auto& [handle, sprite] : world.sprites) {
    if (sprite.shown) shown.push_back(&sprite);
  }
  std::sort(shown.begin(), shown.end(), [](const Sprite* a, const Sprite* b) {
    const int ra = LayerRank(a->layer), rb = LayerRank(b->layer);
    return ra != rb ? ra < rb : a->order < b->order;
  });
  auto next = shown.begin();
  const auto drawUpTo = [&](int rank) {
    for (; next != shown.end() && LayerRank((*next)->layer) <= rank; ++next) {
      DrawSprite(world, **next);
    }
  };
  drawUpTo(1);

  std::vector<const ParticleSystem*> systems;
  for (const auto& [handle, system] : world.particleSystems) systems.push_back(&system);
  std::sort(systems.begin(), systems.end(),
            [](const ParticleSystem* a, const ParticleSystem* b) { return a->order < b->order; });
  for (const ParticleSystem* system : systems) DrawParticles(world, *system);

  for (const PrintedText& text : world.texts) DrawText(world, text);
  drawUpTo(3);
}

// --- Offscreen -------------------------------------------------------------

struct OffscreenRenderer::SdlObjects {
  SDL_Surface* surface = nullptr;
  SDL_Renderer* renderer = nullptr;
  ~SdlObjects() {
    if (renderer) SDL_DestroyRenderer(renderer);
    if (surface) SDL_FreeSurface(surface);
  }
};

OffscreenRenderer::OffscreenRenderer() : sdl_(std::make_unique<SdlObjects>()) {
  sdl_->surface =
      SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_ABGR8888);
  if (!sdl_->surface) throw std::runtime_error(std::string("SDL surface: ") + SDL_GetError());
  sdl_->renderer = SDL_CreateSoftwareRenderer(sdl_->surface);
  if (!sdl_->renderer) throw std::runtime_error(std::string("SDL renderer: ") + SDL_GetError());
  drawer_ = std::make_unique<WorldRenderer>(sdl_->renderer);
}

OffscreenRenderer::~OffscreenRenderer() {
  drawer_.reset();  // its textures belong to the renderer
}

Image OffscreenRenderer::Render(const World& world) {
  drawer_->Draw(world);
  SDL_RenderFlush(sdl_->renderer);
  Image image;
  image.width = kScreenWidth;
  image.height = kScreenHeight;
  image.rgba.resize(static_cast<std::size_t>(kScreenWidth) * kScreenHeight * 4);
  SDL_Surface* s = sdl_->surface;
  SDL_LockSurface(s);
  for (int y = 0; y < kScreenHeight; ++y) {
    const auto* row = static_cast<const Uint8*>(s->pixels) + static_cast<std::size_t>(y) * s->pitch;
    std::copy(row, row + kScreenWidth * 4,
              image.rgba.begin() + static_cast<std::size_t>(y) * kScreenWidth * 4);
  }
  SDL_UnlockSurface(s);
  for (std::size_t i = 3; i < image.rgba.size(); i += 4) image.rgba[i] = 255;  // a frame is opaque
  return image;
}

}  // namespace engine
