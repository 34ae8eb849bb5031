// THero's engine objects (sprite, pictures, dust, sounds, missiles) and the
// sprite operations the game calls.
#include "game/hero.h"

#include <cstddef>

#include "engine/engine.h"
#include "engine/texture_pack.h"
#include "game/game_context.h"

namespace game {
namespace {

constexpr const char* kPack = "data\\Cosmonaut.dat";
constexpr std::int32_t kTextureIdBase = 1001000;
constexpr iVec2 kSpriteScale{3.2f, 3.2f};

// Pictures `first`.. of the pack into slots 1.. of `pictures`.
template <std::size_t N>
void LoadPictures(std::array<engine::OwnedTexture, N>& pictures, int first) {
  for (std::size_t frame = 1; frame < N; ++frame) {
    const int image = first + static_cast<int>(frame) - 1;
    pictures[frame] = engine::OwnedTexture(
        LoadPackTexture(kPack, static_cast<std::uint16_t>(image), kTextureIdBase + image));
  }
}

}  // namespace

THero::THero(GameContext& game) : game_(game) {}

THero::~THero() = default;

std::uint32_t THero::Now() const {
  return game_.Ticks();
}

void THero::CreateEngineObjects() {
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", game_.camera));
  iSpriteScaleSet(sprite, kSpriteScale);

  // Facing left first (images 0.., 16.., 26.., 36..), then facing right.
  LoadPictures(runPictures[0], 0);
  LoadPictures(runPictures[1], 8);
  LoadPictures(jumpPictures[0], 16);
  LoadPictures(jumpPictures[1], 21);
  LoadPictures(joyPictures[0], 26);
  LoadPictures(joyPictures[1], 31);
  LoadPictures(diePictures[0], 36);
  LoadPictures(diePictures[1], 42);

  dust = engine::OwnedParticles(iParticleCreate("data\\particle_clot.dds", 50));
  iParticleRenderModeSet(dust, 0);
  iParticleGravitySet(dust, {0, 0, 0});
  iParticleColorSet(dust, {1, 1, 1}, {1, 1, 1});
  iParticleLifeTimeSet(dust, 0.5f);
  iParticleShow(dust);
  dustEmitter = engine::OwnedEmitter(iParticleEmitterCreate(dust));
  iParticleEmitterLocationSet(dustEmitter, {0, -3, 0});
  iParticleEmitterDirectionSet(dustEmitter, {-0.1f, 1, 0}, {0.1f, 1, 0});
  iParticleEmitterSpeedSet(dustEmitter, 1, 1);
  iParticleEmitterScaleSet(dustEmitter, {1, 1.5f}, {1, 1.5f});

  for (THeroMissile& missile : missiles) missile.CreateParticles();

  sndStep = engine::OwnedSound(iSoundCreate("sound\\step.wav", 0));
  sndJump = engine::OwnedSound(iSoundCreate("sound\\hero_jump.wav", 0));
  sndDie = engine::OwnedSound(iSoundCreate("sound\\die.wav", 0));
  sndThrow = engine::OwnedSound(iSoundCreate("sound\\hero_jump.wav", 0));
}

void THero::LoadHero() {
  CreateEngineObjects();
  direction = 1;
  frame = 1;
  ShowPicture(runPictures[1][1]);
  x = -10;
  y = -8;
  running = falling = rising = false;
  dustTimer = -1.0L;
  PlaceHero();
}

void THero::ReloadHero() {
  // The old handles died with the engine; new ones replace them.
  CreateEngineObjects();
  ShowPicture(CurrentPicture());
  iSpriteColorSet(sprite, color_.r, color_.g, color_.b, color_.a);
  iSpritePrioritySet(sprite, layer_);
  if (shown_) iSpriteShow(sprite);
  dustTimer = -1.0L;
  PlaceHero();
}

void THero::ResetForLevel() {
  running = rising = falling = takeOff = landing = joy = dying = false;
  jumpStep = 0;
  direction = 1;
  frame = 1;
  ShowPicture(runPictures[1][1]);
  Hide();
  // Nothing of the old level flies or puffs on in the next one.
  for (THeroMissile& missile : missiles) missile.Ground();
  dustTimer = -1.0L;
}

void THero::ShowPicture(iHandle picture) const {
  iSpriteTextureSet(sprite, picture);
}

void THero::PlaceHero() const {
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y)});
}

void THero::HideAt(long double atX, long double atY) {
  Hide();
  x = atX;
  y = atY;
  PlaceHero();
}

void THero::Show() const {
  shown_ = true;
  iSpriteShow(sprite);
}

void THero::Hide() const {
  shown_ = false;
  iSpriteHide(sprite);
}

void THero::SetLayer(int layer) const {
  layer_ = layer;
  iSpritePrioritySet(sprite, layer);
}

void THero::SetColor(float r, float g, float b, float a) const {
  color_ = {r, g, b, a};
  iSpriteColorSet(sprite, r, g, b, a);
}

}  // namespace game
