#include "game/game_context.h"

#include "engine/engine.h"
#include "game/balloon.h"
#include "game/bonus.h"
#include "game/bonus_emitter.h"
#include "game/enemy.h"
#include "game/level_platform.h"
#include "game/raven.h"

namespace game {

LevelObjects::LevelObjects() = default;
LevelObjects::~LevelObjects() = default;

void LevelObjects::Clear() {
  enemies.clear();
  platforms.clear();
  bonuses.clear();
  emitters.clear();
  ravens.clear();
  balloons.clear();
}

void GameContext::Play(iHandle sound) const {
  if (SoundOn()) iSoundPlay(sound, 0);
}

void GameContext::PlayNow(iHandle sound) const {
  if (SoundOn()) iSoundPlayNow(sound, 0);
}

}  // namespace game
