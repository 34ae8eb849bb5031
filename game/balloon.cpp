#include "game/balloon.h"

#include <algorithm>

#include "engine/engine.h"
#include "game/bonus_emitter.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/slot_pictures.h"
#include "platform/random.h"

namespace game {
namespace {

constexpr int kFirstBalloonSlot = 20;
constexpr std::int32_t kFirstTag = 1001260;
constexpr int kPictureCount = 6;
constexpr int kFloatFrames = 3;
constexpr std::uint8_t kPopOver = 7;
constexpr std::uint32_t kFloatStepMs = 100;
constexpr std::uint32_t kPopStepMs = 50;
constexpr float kBalloonScale = 3.2f;
constexpr long double kBalloonHalfSize = 1.4L;
constexpr long double kSpriteRise = 1.0L;
constexpr long double kRisePerFrame = 0.02L;
constexpr long double kEscapeY = 14;
constexpr long double kBurstRise = 1.5L;
constexpr std::int32_t kPopPoints = 10;

}  // namespace

TBaloon::~TBaloon() = default;

void TBaloon::CreateEngineObjects() {
  for (int n = 1; n <= kPictureCount; ++n) {
    pictures[n] = engine::OwnedTexture(
        game_.resources.TextureFromSlot(kFirstBalloonSlot + n - 1, kFirstTag + n - 1));
  }
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, {kBalloonScale, kBalloonScale});
  iSpriteTextureSet(sprite, pictures[std::min<int>(frame, kPictureCount)]);
  iSpritePrioritySet(sprite, 2);
  sndTake = engine::OwnedSound(iSoundCreate("sound\\baloon.wav", 0));
}

void TBaloon::PlaceSprite() const {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y + kSpriteRise)});
}

void TBaloon::Load() {
  using platform::random;
  frame = static_cast<std::uint8_t>(random(kFloatFrames) + 1);
  CreateEngineObjects();
  halfHeight = kBalloonHalfSize;
  halfWidth = kBalloonHalfSize;
  taken = false;
  x = random(3200) / 100.0L - 16;
  y = -13 - random(1000) / 100.0L;
  // Placed at once, so the first drawn frame does not show it at the origin.
  PlaceSprite();
}

void TBaloon::Reload() {
  CreateEngineObjects();
  PlaceSprite();
  ReloadBurst();
}

void TBaloon::Update() {
  PlaceSprite();
  const std::uint32_t now = game_.Ticks();
  if (!taken) {
    if (PictureStepDue(now, lastStepTime, kFloatStepMs)) {
      frame = static_cast<std::uint8_t>(NextInCycle(frame, kFloatFrames));
      iSpriteTextureSet(sprite, pictures[frame]);
    }
    y += kRisePerFrame;
    if (y > kEscapeY) taken = true;
    return;
  }
  if (frame < kPictureCount) {
    if (PictureStepDue(now, lastStepTime, kPopStepMs)) {
      ++frame;
      iSpriteTextureSet(sprite, pictures[frame]);
    }
  } else if (frame == kPictureCount) {
    frame = kPopOver;
  } else {
    iSpriteHide(sprite);
  }
}

void TBaloon::ApplyEffect() {
  game_.counters.AddScore(kPopPoints);
}

iHandle TBaloon::BurstTexture() const {
  return game_.resources.balloonBurstTexture;
}

void TBaloon::Pop(int emitterIndex) {
  game_.objects.emitters[static_cast<std::size_t>(emitterIndex)]->StartBurst(x, y + kBurstRise);
  ApplyEffect();
  game_.Play(sndTake);
  taken = true;
  sparkleTimer = 1.0L;
}

void TBaloon::SetLayer(int layer) const {
  iSpritePrioritySet(sprite, layer);
}

}  // namespace game
