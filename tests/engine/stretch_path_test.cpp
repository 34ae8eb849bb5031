// The software renderer draws upright sprites and particles from pictures
// stretched once per size. The pixels must be exactly those of SDL scaling
// the picture at draw time: sizes and places that are not whole pixels, part
// off the screen, with colour and alpha, blended and additive.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/render/world_renderer.h"

namespace {

// A picture with detail in every texel, so that any change in sampling shows.
std::shared_ptr<engine::Image> Pattern(int width, int height) {
  auto image = std::make_shared<engine::Image>();
  image->width = width;
  image->height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image->rgba.insert(image->rgba.end(),
                         {static_cast<std::uint8_t>(x * 37 + y * 11),
                          static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(255 - y * 19),
                          static_cast<std::uint8_t>((x + y) % 3 == 0 ? 255 : 90 + x * 5)});
  return image;
}

// SDL scaling the picture itself: one textured rectangle on a plain software
// renderer over the same grey ground.
std::vector<std::uint8_t> SdlScaled(const engine::Image& image, SDL_FRect dst, SDL_BlendMode mode,
                                    SDL_Color look) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
      0, engine::kScreenWidth, engine::kScreenHeight, 32, SDL_PIXELFORMAT_ABGR8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                           SDL_TEXTUREACCESS_STATIC, image.width, image.height);
  SDL_UpdateTexture(texture, nullptr, image.rgba.data(), image.width * 4);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  SDL_SetTextureBlendMode(texture, mode);
  SDL_SetTextureColorMod(texture, look.r, look.g, look.b);
  SDL_SetTextureAlphaMod(texture, look.a);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopyF(renderer, texture, nullptr, &dst);
  SDL_RenderFlush(renderer);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(surface->pitch) * surface->h);
  std::memcpy(pixels.data(), surface->pixels, pixels.size());
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
  return pixels;
}

std::vector<std::uint8_t> Opaque(std::vector<std::uint8_t> rgba) {
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
  return rgba;
}

TEST(StretchPath, SpritesAndParticlesMatchSdlScaling) {
  struct Case {
    iVec2 location;
    iVec2 scale;
    iColor color;
    bool particle;
  };
  const Case cases[] = {
      {{0.13f, -0.37f}, {2.07f, 1.31f}, {1, 1, 1, 1}, false},
      {{-15.9f, 11.2f}, {3.3f, 2.9f}, {0.8f, 0.4f, 1, 0.6f}, false},  // part off the top left
      {{0, 0}, {25.6f, 25.6f}, {1, 1, 1, 1}, false},                  // larger than the screen
      {{15.7f, -11.8f}, {1.01f, 0.77f}, {1, 1, 1, 1}, false},         // part off the bottom right
      {{1.234f, 2.345f}, {5.5f, 3}, {0.2f, 0.9f, 0.5f, 1}, true},     // additive
      {{-0.6f, 0.41f}, {0.7f, 0.7f}, {1, 1, 1, 1}, true},
  };
  const auto image = Pattern(37, 23);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.location.x << "," << c.location.y << " scale " << c.scale.x
                                    << "x" << c.scale.y);
    engine::World world;
    world.textures[1].image = image;
    SDL_FRect dst;
    SDL_Color look{255, 255, 255, 255};
    if (c.particle) {
      engine::ParticleSystem& system = world.particleSystems[2];
      system.texture = 1;
      system.shown = true;
      system.renderMode = 1;
      system.lifeTime = 1;
      system.colorStart = system.colorEnd = {c.color.r, c.color.g, c.color.b};
      engine::Particle p;
      p.x = c.location.x;
      p.y = c.location.y;
      p.width = c.scale.x;
      p.height = c.scale.y;
      system.particles.push_back(p);
      const float px = engine::kScreenUnitsPerWorldUnit * engine::kPixelsPerUnit;
      const float w = p.width * engine::kParticleSizePerScale * px;
      const float h = p.height * engine::kParticleSizePerScale * px;
      dst = {engine::kScreenWidth / 2.0f + p.x * px - w / 2,
             engine::kScreenHeight / 2.0f - p.y * px - h / 2, w, h};
      look = {static_cast<Uint8>(c.color.r * 255 + 0.5f),
              static_cast<Uint8>(c.color.g * 255 + 0.5f),
              static_cast<Uint8>(c.color.b * 255 + 0.5f), 255};
    } else {
      engine::Sprite& s = world.sprites[2];
      s.texture = 1;
      s.location = c.location;
      s.scale = c.scale;
      s.color = c.color;
      s.shown = true;
      const float w = c.scale.x * engine::kPixelsPerScale, h = c.scale.y * engine::kPixelsPerScale;
      dst = {engine::kScreenWidth / 2.0f + c.location.x * engine::kPixelsPerUnit - w / 2,
             engine::kScreenHeight / 2.0f - c.location.y * engine::kPixelsPerUnit - h / 2, w, h};
      const auto byte = [](float v) { return static_cast<Uint8>(v * 255 + 0.5f); };
      look = {byte(c.color.r), byte(c.color.g), byte(c.color.b), byte(c.color.a)};
    }
    engine::OffscreenRenderer renderer;
    const engine::Image frame = renderer.Render(world);
    const auto expected =
        Opaque(SdlScaled(*image, dst, c.particle ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND, look));
    ASSERT_EQ(frame.rgba.size(), expected.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) differing += frame.rgba[i] != expected[i];
    EXPECT_EQ(differing, 0u);
  }
}

}  // namespace
