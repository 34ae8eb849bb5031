#include "tests/support/engine_fixture.h"

#include <memory>
#include <ostream>

namespace testing_support {
namespace {

std::unique_ptr<engine::HeadlessBackend> MakeBackend(engine::HeadlessBackend*& out) {
  auto backend = std::make_unique<engine::HeadlessBackend>();
  out = backend.get();
  return backend;
}

int g_dummyWindow = 0;

}  // namespace

EngineTest::EngineTest() : engine_(MakeBackend(backend_)), install_(engine_) {
  const std::int32_t settings[6] = {0, 0, 15360000, 0, 0, -1};
  i3ImpactOpen(&g_dummyWindow, 0);
  i3ImpactSettings(settings);
  i3ImpactMain();
  i3ImpactInitBegin();
  i3ImpactInitEnd();
}

EngineTest::~EngineTest() {
  i3ImpactClose();
}

void EngineTest::RunPhase() {
  i3ImpactMain();
  i3ImpactRunBegin();
  i3ImpactRunEnd();
}

iHandle EngineTest::SolidTexture(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a,
                                 int width, int height) {
  engine::Image image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i) image.rgba.insert(image.rgba.end(), {r, g, b, a});
  const std::vector<std::uint8_t> png = engine::EncodePng(image);
  return iTextureCreateFromMemory(png.data(), static_cast<std::int32_t>(png.size()), 0);
}

iHandle EngineTest::SolidSprite(std::uint8_t r, std::uint8_t g, std::uint8_t b, iVec2 location,
                                iVec2 scale, int layer) {
  const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(sprite, SolidTexture(r, g, b));
  iSpriteLocationSet(sprite, location);
  iSpriteScaleSet(sprite, scale);
  iSpritePrioritySet(sprite, layer);
  iSpriteShow(sprite);
  return sprite;
}

Rgba PixelAt(const engine::Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.rgba[at], image.rgba[at + 1], image.rgba[at + 2], image.rgba[at + 3]};
}

void PrintTo(const Rgba& c, std::ostream* os) {
  *os << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

}  // namespace testing_support
