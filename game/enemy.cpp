// TEnemy's engine objects, pictures and the operations the game and the
// missiles call; the frame's behaviour is in enemy_update.cpp, the jump paths
// in enemy_path.cpp.
#include "game/enemy.h"

#include "engine/engine.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/particle_location.h"
#include "game/timer_steps.h"

namespace game {
namespace {

// The knock-down spray: how long it runs (one timer step per update, so eight updates of
// ten particles, within the system's hundred) and how many particles an update
// emits.
constexpr long double kSprayTime = 0.1L;
constexpr int kSprayParticlesPerUpdate = 10;

}  // namespace

TEnemy::TEnemy(GameContext& game, EnemyKind kind) : game_(game), kind_(kind), look_(LookOf(kind)) {
  path_[0] = {kPathEnd, 0};  // no path yet
}

TEnemy::~TEnemy() = default;

void TEnemy::CreateSpray() {
  sprayTimer = -1.0L;
  sprayParticles = engine::OwnedParticles(iParticleCreate("data\\particle_clot.dds", 100));
  iParticleRenderModeSet(sprayParticles, 1);
  iParticleGravitySet(sprayParticles, {0, 0, 0});
  iParticleAirResistanceSet(sprayParticles, -10);
  iParticleColorSet(sprayParticles, {0.3f, 0.3f, 0.3f}, {1, 1, 1});
  iParticleLifeTimeSet(sprayParticles, 0.5f);
  iParticleShow(sprayParticles);
  sprayEmitter = engine::OwnedEmitter(iParticleEmitterCreate(sprayParticles));
  iParticleEmitterLocationSet(sprayEmitter, ParticleLocation(x, y));
  iParticleEmitterDirectionSet(sprayEmitter, {0, 0, 0}, {0, 0, 0});
  iParticleEmitterSpeedSet(sprayEmitter, 1, 1);
  iParticleEmitterScaleSet(sprayEmitter, {2, 2}, {3, 3});
}

void TEnemy::CreateSprite() {
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  SetScale(look_.baseScale);
  iSpritePrioritySet(sprite, 2);
}

void TEnemy::CreatePictures() {
  pictures_.clear();
  for (int i = 0; i < look_.ImageCount(); ++i) {
    pictures_.emplace_back(
        game_.resources.TextureFromSlot(look_.firstSlot + i, look_.textureBase + i));
  }
}

void TEnemy::CreateSounds() {
  sndEating = engine::OwnedSound(iSoundCreate("sound\\eating.wav", 0));
  sndDie = engine::OwnedSound(iSoundCreate("sound\\enemy_die.wav", 0));
  sndDiamondDown = engine::OwnedSound(iSoundCreate("sound\\diam_down.wav", 0));
}

void TEnemy::Load() {
  CreateSpray();
  CreateSprite();
  CreatePictures();
  frame = 1;
  direction = 1;
  ShowPicture(EnemySet::Walk, 1);
  lying = eating = knockedDown = false;
  jumping = crouching = landing = false;
  halfHeight = 0.6L;
  halfWidth = 0.8L;
  CreateSounds();
}

void TEnemy::Reload() {
  CreateSpray();
  CreateSprite();
  CreatePictures();
  CreateSounds();
  // The size of the current state too, so that a restart in the middle of a
  // jump or a meal does not shrink the enemy until it lands or finishes.
  if (crouching || jumping || landing) {
    if (jumping || landing) SetScale(look_.crouchScale);
    ShowPicture(EnemySet::Jump, frame);
  } else if (eating) {
    SetScale(look_.eatScale);
    ShowPicture(EnemySet::Eat, frame);
  } else if (knockedDown || lying) {
    ShowPicture(EnemySet::KnockDown, frame);
  } else {
    ShowPicture(EnemySet::Walk, frame);
  }
  // The new sprite stands where the enemy is even before the next frame's
  // redraw (a reload while paused redraws nothing).
  Draw();
}

void TEnemy::Draw() {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y + look_.drawOffset)});
}

void TEnemy::Show() const {
  iSpriteShow(sprite);
}

void TEnemy::Hide() const {
  iSpriteHide(sprite);
}

void TEnemy::KnockDown() {
  // Lying counts too: knocking a lying enemy down again would leave it getting
  // up from below its first picture, for ever.
  if (crouching || jumping || landing || knockedDown || eating || lying) return;
  frame = 1;
  ShowPicture(EnemySet::KnockDown, 1);
  knockedDown = true;
  goingDown = true;
  sprayTimer = kSprayTime;
  game_.Play(sndDie);
}

void TEnemy::Spray() {
  if (sprayTimer <= 0) return;
  sprayTimer -= kTimerStep;
  iParticleEmitterLocationSet(sprayEmitter, ParticleLocation(x, y));
  iParticleEmitterEmit(sprayEmitter, kSprayParticlesPerUpdate, 1.0f);
}

void TEnemy::ShowPicture(EnemySet set, int picture) const {
  if (picture < 1 || picture > look_.Frames(set)) return;
  const auto index = static_cast<std::size_t>(look_.ImageIndex(set, direction, picture));
  if (index < pictures_.size()) iSpriteTextureSet(sprite, pictures_[index]);
}

void TEnemy::SetScale(float scale) const {
  iSpriteScaleSet(sprite, {scale, scale});
}

std::unique_ptr<TEnemy> MakeEnemy(GameContext& game, int kind) {
  switch (kind) {
    case 0:
      return std::make_unique<TCangoroo>(game);
    case 1:
      return std::make_unique<TMouse>(game);
    case 2:
      return std::make_unique<TBlue>(game);
    default:
      return std::make_unique<TToothy>(game);
  }
}

}  // namespace game
