#include "game/level_platform.h"

#include "engine/engine.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "platform/random.h"

namespace game {
namespace {

constexpr iVec2 kPlatformScale{4.5f, 2.5f};

engine::OwnedSprite MakeSprite(const GameContext& game, int picture) {
  engine::OwnedSprite sprite(iSpriteCreate("data\\sprite.x", game.camera));
  iSpriteScaleSet(sprite, kPlatformScale);
  iSpriteTextureSet(sprite, game.resources.blockTextures[static_cast<std::size_t>(picture)]);
  return sprite;
}

}  // namespace

TPlatform::TPlatform(GameContext& game, int picture)
    : sprite(MakeSprite(game, picture)), game_(game) {}

TPlatform::~TPlatform() = default;

void TPlatform::Refresh() const {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y)});
}

void TPlatform::Reload() {
  sprite = MakeSprite(game_, platform::random(4) + 1);
  Refresh();
}

void TPlatform::Show() const {
  iSpriteShow(sprite);
}

void TPlatform::Hide() const {
  iSpriteHide(sprite);
}

void TPlatform::SetLayer(int layer) const {
  iSpritePrioritySet(sprite, layer);
}

}  // namespace game
