#include "game/delivered_bonuses.h"

#include "engine/engine.h"
#include "game/bonus_emitter.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/slot_pictures.h"
#include "platform/random.h"

namespace game {
namespace {

constexpr long double kEffectTime = 5.0L;
constexpr std::int32_t kFruitPoints = 20;
constexpr std::int32_t kMostLives = 3;

void FreezeEnemies(GameContext& game) {
  game.state.freezeTimer = kEffectTime;
}

void StopClock(GameContext& game) {
  game.state.clockStopTimer = kEffectTime;
}

void AddFruitPoints(GameContext& game) {
  game.counters.AddScore(kFruitPoints);
}

// One more life while below three, and the life icons redrawn for it.
void AddLife(GameContext& game) {
  const std::int32_t lives = game.counters.GetLives();
  if (lives >= kMostLives) return;
  game.counters.SetLives(lives + 1);
  game.resources.ShowLifeIcons(lives + 1);
}

using R = GameResources;

const DeliveredBonusLook kLooks[kDeliveredBonusCount] = {
    {BonusKind::Snow, 32, 5, 1001240, nullptr, &R::snowBurstTexture, "sound\\allstop.wav", 0.0L,
     250, 3, FreezeEnemies},
    {BonusKind::LifePlus, 26, 2, 1001271, nullptr, &R::lifePlusBurstTexture, "sound\\drinking.wav",
     0.5L, 100, 0, AddLife},
    {BonusKind::Banana, 0, 1, 0, &R::bananaTexture, &R::bananaTexture, "sound\\money.wav", 0.5L, 0,
     0, AddFruitPoints},
    {BonusKind::Pear, 0, 1, 0, &R::pearTexture, &R::pearTexture, "sound\\money.wav", 0.5L, 0, 0,
     AddFruitPoints},
    {BonusKind::Clock, 0, 1, 0, &R::clockTexture, &R::clockTexture, "sound\\money.wav", 0.5L, 0, 0,
     StopClock},
};

constexpr float kBonusScale = 1.6f;
constexpr long double kBonusHalfSize = 0.4L;

}  // namespace

const DeliveredBonusLook& DeliveredBonusLookAt(int i) {
  return kLooks[i];
}

std::unique_ptr<TBonus> MakeDeliveredBonus(GameContext& game, int i) {
  return std::make_unique<TDeliveredBonus>(game, kLooks[i]);
}

TDeliveredBonus::~TDeliveredBonus() = default;

iHandle TDeliveredBonus::Picture(int n) const {
  return OwnsPictures() ? ownPictures_[static_cast<std::size_t>(n)].get()
                        : game_.resources.*look_.gameTexture;
}

void TDeliveredBonus::CreateEngineObjects() {
  if (OwnsPictures()) {
    for (int n = 1; n <= look_.pictureCount; ++n) {
      ownPictures_[static_cast<std::size_t>(n)] = engine::OwnedTexture(
          game_.resources.TextureFromSlot(look_.firstSlot + n - 1, look_.firstTag + n - 1));
    }
  }
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, {kBonusScale, kBonusScale});
  iSpriteTextureSet(sprite, Picture(frame));
  iSpritePrioritySet(sprite, 2);
  sndTake = engine::OwnedSound(iSoundCreate(look_.sound, 0));
}

void TDeliveredBonus::Load() {
  if (look_.firstFrameChoices > 0) {
    frame = static_cast<std::uint8_t>(platform::random(look_.firstFrameChoices) + 1);
  }
  CreateEngineObjects();
  halfHeight = kBonusHalfSize;
  halfWidth = kBonusHalfSize;
  taken = false;
}

void TDeliveredBonus::Reload() {
  CreateEngineObjects();
  ReloadBurst();
}

void TDeliveredBonus::Update() {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y + look_.spriteRise)});
  if (look_.stepMs == 0 || !PictureStepDue(game_.Ticks(), lastStepTime, look_.stepMs)) return;
  frame = static_cast<std::uint8_t>(NextInCycle(frame, look_.pictureCount));
  iSpriteTextureSet(sprite, Picture(frame));
}

void TDeliveredBonus::ApplyEffect() {
  look_.effect(game_);
}

iHandle TDeliveredBonus::BurstTexture() const {
  return game_.resources.*look_.burstTexture;
}

}  // namespace game
