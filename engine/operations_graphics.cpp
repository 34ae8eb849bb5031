// Camera, textures, sprites, fonts and printed text.
#include <algorithm>
#include <memory>
#include <span>

#include "engine/engine.h"
#include "engine/file_bytes.h"
#include "engine/font_file.h"
#include "engine/operations_common.h"

using engine::Installed;

namespace {

// A new handle on the picture of `bytes`, shared with the other textures made
// from the same bytes. 0 when the bytes are no picture.
iHandle AddTexture(engine::Engine& e, std::span<const std::uint8_t> bytes, std::int32_t tag) {
  std::shared_ptr<const engine::Image> image = e.world().decodedImages.Decode(bytes);
  if (!image) return 0;
  const iHandle h = e.NewHandle();
  e.world().textures[h] = {std::move(image), tag};
  return h;
}

}  // namespace

// --- Camera ----------------------------------------------------------------

iHandle iCameraCreate(float, float, float, float) {
  engine::Engine* e = Installed();
  if (!e) return 0;
  const iHandle h = e->NewHandle();
  e->world().cameras[h] = {};
  return h;
}

void iCameraLocationSet(iHandle camera, const iVec3& location) {
  if (auto* c = ZQ_ENGINE_FIND(cameras, camera)) c->location = location;
}

void iCameraFovSet(iHandle camera, float degrees) {
  if (auto* c = ZQ_ENGINE_FIND(cameras, camera)) c->fov = degrees;
}

// --- Textures --------------------------------------------------------------

iHandle iTextureCreate(const char* file) {
  engine::Engine* e = Installed();
  if (!e || !file) return 0;
  auto bytes = engine::ReadGameFile(file);
  if (!bytes) return 0;
  return AddTexture(*e, *bytes, 0);
}

iHandle iTextureCreateFromMemory(const void* bytes, std::int32_t size, std::int32_t tag) {
  engine::Engine* e = Installed();
  if (!e || !bytes || size <= 0) return 0;
  return AddTexture(*e, {static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(size)},
                    tag);
}

void iTextureDestroy(iHandle texture) {
  if (engine::Engine* e = Installed()) e->world().textures.erase(texture);
}

void iTextureMipLevelsSet(int levels) {
  if (engine::Engine* e = Installed()) e->world().mipLevels = levels;
}

// --- Sprites ---------------------------------------------------------------

iHandle iSpriteCreate(const char* /*model*/, iHandle /*camera*/) {
  engine::Engine* e = Installed();
  if (!e) return 0;
  const iHandle h = e->NewHandle();
  engine::Sprite sprite;
  sprite.order = e->NextOrder();
  e->world().sprites[h] = sprite;
  return h;
}

void iSpriteTextureSet(iHandle sprite, iHandle texture) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->texture = texture;
}

void iSpriteTextureSwap(iHandle sprite, iHandle texture) {
  iSpriteTextureSet(sprite, texture);
}

void iSpriteLocationSet(iHandle sprite, const iVec2& centre) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->location = centre;
}

void iSpriteLocation(iHandle sprite, iVec2& centre) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) centre = s->location;
}

void iSpriteScaleSet(iHandle sprite, const iVec2& scale) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->scale = scale;
}

void iSpriteOrientationSet(iHandle sprite, float radians) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->orientation = radians;
}

void iSpriteColorSet(iHandle sprite, float r, float g, float b, float a) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->color = {r, g, b, a};
}

void iSpritePrioritySet(iHandle sprite, int layer) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->layer = layer;
}

void iSpriteShow(iHandle sprite) {
  auto* s = ZQ_ENGINE_FIND(sprites, sprite);
  if (!s || s->shown) return;
  s->shown = true;
  s->order = Installed()->NextOrder();  // a sprite shown again comes to the front
}

void iSpriteHide(iHandle sprite) {
  if (auto* s = ZQ_ENGINE_FIND(sprites, sprite)) s->shown = false;
}

void iSpriteDestroy(iHandle sprite) {
  if (engine::Engine* e = Installed()) e->world().sprites.erase(sprite);
}

void iSpriteRender(iHandle sprite, int /*flags*/) {
  engine::Engine* e = Installed();
  if (e && ZQ_ENGINE_FIND(sprites, sprite)) e->backend().PresentNow(e->world());
}

// --- Text ------------------------------------------------------------------

iHandle iFontCreate(const char* file, iHandle /*camera*/) {
  engine::Engine* e = Installed();
  if (!e || !file) return 0;
  // A missing or corrupt font still gives a font: it prints nothing.
  engine::Font font;
  if (auto bytes = engine::ReadGameFile(file)) {
    if (auto decoded = engine::DecodeFontFile(*bytes)) {
      if (auto atlas = e->world().decodedImages.Decode(decoded->atlasPng)) {
        font.firstChar = decoded->firstChar;
        font.atlas = std::move(atlas);
        for (const engine::FontGlyph& g : decoded->glyphs) {
          const bool inside = g.x + g.w <= font.atlas->width && g.y + g.h <= font.atlas->height;
          font.glyphs.push_back(inside ? engine::FontGlyphRect{g.x, g.y, g.w, g.h}
                                       : engine::FontGlyphRect{});
        }
      }
    }
  }
  const iHandle h = e->NewHandle();
  e->world().fonts[h] = std::move(font);
  return h;
}

void iPrintColorSet(float r, float g, float b, float a) {
  if (engine::Engine* e = Installed()) e->world().printColor = {r, g, b, a};
}

void iPrint(const char* text, const iVec2& position, const iVec2& scale, float /*spacing*/,
            iHandle font) {
  engine::Engine* e = Installed();
  if (!e || !text) return;
  e->world().texts.push_back({text, position, scale, e->world().printColor, font});
}

void iPrintsHide() {
  if (engine::Engine* e = Installed()) e->world().texts.clear();
}
