#include "game/ufo.h"

#include "engine/engine.h"
#include "game/particle_location.h"

namespace game {
namespace {

long double DescentY(std::int32_t countdown) {
  return countdown * 0.125L - 6;
}

}  // namespace

void Ufo::CreateFlame() {
  flame = engine::OwnedParticles(iParticleCreate("data\\particle_clot.dds", 100));
  iParticleRenderModeSet(flame, 1);
  flameGravity = {0, 3, 8};
  iParticleGravitySet(flame, {flameGravity[0], flameGravity[1], flameGravity[2]});
  iParticleAirResistanceSet(flame, -10);
  iParticleColorSet(flame, {1, 0.5f, 0}, {1, 0, 0});
  iParticleLifeTimeSet(flame, 0.5f);
  flameEmitter = engine::OwnedEmitter(iParticleEmitterCreate(flame));
  iParticleEmitterLocationSet(flameEmitter, {0, -3, 0});
  iParticleEmitterDirectionSet(flameEmitter, {0, 0, 0}, {0, 0, 0});
  iParticleEmitterSpeedSet(flameEmitter, 1, 1);
  iParticleEmitterScaleSet(flameEmitter, {2, 4}, {2, 4});
  iParticleShow(flame);
}

void Ufo::CreateSprite(iHandle camera) {
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", camera));
  texture = engine::OwnedTexture(iTextureCreate("data\\UFO.png"));
  iSpriteTextureSet(sprite, texture);
  iSpriteScaleSet(sprite, {6.4f, 6.4f});
  iSpritePrioritySet(sprite, layer);
  PlaceAt(x, y);
}

void Ufo::PlaceAt(long double newX, long double newY) {
  x = newX;
  y = newY;
  iSpriteLocationSet(sprite, {static_cast<float>(x), static_cast<float>(y)});
}

void Ufo::PlaceForCountdown(std::int32_t countdown) {
  PlaceAt(-11, DescentY(countdown));
}

void Ufo::DescentStep(std::int32_t countdown) {
  const long double ux = -11;
  const long double uy = DescentY(countdown);
  PlaceAt(ux, uy);
  flameGravity[0] = static_cast<float>(ux * 4.4L / 16);
  flameGravity[1] = static_cast<float>(uy * 4.4L / 16 - 0.7L);
  iParticleGravitySet(flame, {flameGravity[0], flameGravity[1], flameGravity[2]});
  iParticleEmitterLocationSet(flameEmitter, ParticleLocation(ux, uy - 2));
  iParticleEmitterEmit(flameEmitter, 10, 1);
}

void Ufo::SetLayer(int newLayer) {
  layer = newLayer;
  iSpritePrioritySet(sprite, layer);
}

void Ufo::Show() const {
  iSpriteShow(sprite);
}

void Ufo::Hide() const {
  iSpriteHide(sprite);
}

}  // namespace game
