#include "game/diamond.h"

#include "engine/engine.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/particle_location.h"
#include "game/slot_pictures.h"
#include "game/timer_steps.h"
#include "platform/random.h"

namespace game {
namespace {

constexpr int kFirstDiamondSlot = 28;  // image slots 28..31: Diamond images 0..3
constexpr std::int32_t kFirstTextureId = 1001250;
constexpr std::uint32_t kStepMs = 50;

}  // namespace

TDiamond::~TDiamond() = default;

void TDiamond::CreateEngineObjects() {
  for (int i = 1; i <= 4; ++i) {
    pictures[static_cast<std::size_t>(i)] = engine::OwnedTexture(
        game_.resources.TextureFromSlot(kFirstDiamondSlot + i - 1, kFirstTextureId + i - 1));
  }
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, {1.6f, 1.6f});
  iSpriteTextureSet(sprite, pictures[frame]);
  iSpritePrioritySet(sprite, 2);
  sndTake = engine::OwnedSound(iSoundCreate("sound\\money.wav", 0));

  sparkleParticles = engine::OwnedParticles(iParticleCreate("data\\particle_clot.dds", 500));
  iParticleRenderModeSet(sparkleParticles, 1);
  iParticleGravitySet(sparkleParticles, {0, 0, 0});
  iParticleAirResistanceSet(sparkleParticles, -10);
  iParticleColorSet(sparkleParticles, {0.3f, 0.3f, 0.3f}, {1, 1, 1});
  iParticleLifeTimeSet(sparkleParticles, 0.1f);
  iParticleShow(sparkleParticles);
  sparkleEmitter = engine::OwnedEmitter(iParticleEmitterCreate(sparkleParticles));
  PlaceSparkleEmitter();
  iParticleEmitterDirectionSet(sparkleEmitter, {0, 0, 0}, {0, 0, 0});
  iParticleEmitterSpeedSet(sparkleEmitter, 1, 1);
  iParticleEmitterScaleSet(sparkleEmitter, {1, 2}, {1.5f, 3});
}

void TDiamond::PlaceSparkleEmitter() const {
  iParticleEmitterLocationSet(sparkleEmitter, ParticleLocation(x, y));
}

void TDiamond::PlaceSprite(long double dy) const {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y + dy)});
}

void TDiamond::Load() {
  frame = static_cast<std::uint8_t>(platform::random(4) + 1);
  halfHeight = 0.4L;
  halfWidth = 0.4L;
  taken = false;
  sparkleTimer = -1.0L;
  CreateEngineObjects();
}

// The engine objects died with the engine: make them again, keep the state.
// A diamond that is away (sinking, down or rising) was on screen without being
// in play; it is shown again where it was.
void TDiamond::Reload() {
  CreateEngineObjects();
  PlaceSprite(PictureOffset());
  ReloadBurst();
}

long double TDiamond::PictureOffset() const {
  if (returnTimer < 0) return 0.5L - returnCounter / 10.0L;  // resting or rising
  // Sinking: counter c was placed at 0.5 - c / 10, then counted on to c + 1.
  return returnCounter > 1 ? 0.5L - (returnCounter - 1) / 10.0L : 0.5L;
}

void TDiamond::Update() {
  if (returnTimer >= 0) {
    // Sinking: it waits where it lies while the counter is not yet positive
    // (also the builder's first update, which puts the picture in place), goes
    // down one step a frame, then stays down until the timer runs out.
    if (returnCounter >= 9) {
      returnTimer -= kDiamondReturnStep;
    } else {
      PlaceSprite(returnCounter > 0 ? 0.5L - returnCounter / 10.0L : 0.5L);
      ++returnCounter;
    }
    return;
  }
  if (returnCounter > 0) {
    // Rising back to its place, then in play again.
    iSpriteShow(sprite);
    --returnCounter;
    PlaceSprite(0.5L - returnCounter / 10.0L);
    if (returnCounter == 0) taken = false;
    return;
  }
  PlaceSprite(0.5L);
  if (PictureStepDue(game_.Ticks(), lastStepTime, kStepMs)) {
    frame = static_cast<std::uint8_t>(frame % 4 + 1);
    iSpriteTextureSet(sprite, pictures[frame]);
  }
  if (sparkleTimer > 0) {
    sparkleTimer -= kTimerStep;
    PlaceSparkleEmitter();
    iParticleEmitterEmit(sparkleEmitter, 10, 1);
  }
}

void TDiamond::ApplyEffect() {
  game_.counters.AddScore(50);
}

iHandle TDiamond::BurstTexture() const {
  return game_.resources.diamondBurstTexture;
}

void TDiamond::SendSinking() {
  returnTimer = 3.0L;
  returnCounter = -20;
  taken = true;
}

}  // namespace game
