#include "game/clouds.h"

#include <cmath>
#include <utility>

#include "engine/engine.h"
#include "game/game_resources.h"
#include "platform/random.h"

namespace game {
namespace {

using platform::random;

void Place(const TCloud& cloud) {
  iSpriteLocationSet(cloud.sprite, {static_cast<float>(cloud.x), static_cast<float>(cloud.y)});
}

}  // namespace

void MakeClouds(std::vector<TCloud>& clouds, const GameResources& resources, iHandle camera) {
  const int count = random(3) + 1;
  for (int i = 0; i < count; ++i) {
    TCloud cloud;
    cloud.direction = static_cast<std::uint8_t>(random(2));
    cloud.sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", camera));
    iSpriteScaleSet(cloud.sprite, {15, 5});
    cloud.speed = random(30) / 1000.0L + 0.01L;
    iSpriteTextureSet(cloud.sprite, resources.cloudTextures[static_cast<std::size_t>(random(2))]);
    cloud.x = cloud.direction == 0 ? random(30) / 10.0L + 16 : -16 - random(30) / 10.0L;
    cloud.y = random(20) / 10.0L + 9;
    Place(cloud);
    iSpritePrioritySet(cloud.sprite, 2);
    iSpriteShow(cloud.sprite);
    clouds.push_back(std::move(cloud));
  }
}

void DriftClouds(std::vector<TCloud>& clouds) {
  for (TCloud& cloud : clouds) {
    cloud.x += cloud.direction == 0 ? -cloud.speed : cloud.speed;
    if (std::fabs(cloud.x) > 28) cloud.x = cloud.direction == 0 ? 26 : -26;
    Place(cloud);
  }
}

void DestroyClouds(std::vector<TCloud>& clouds) {
  clouds.clear();
}

}  // namespace game
