// Loading the game's engine objects once per run, and making them again after
// an engine restart with every level object back where it was.
#include <cstdint>

#include "engine/engine.h"
#include "game/balloon.h"
#include "game/bonus.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/raven.h"

namespace game {

void TGame::CreateBackgrounds() {
  for (std::size_t i = 0; i < backgrounds_.size(); ++i) {
    engine::OwnedPicture& background = backgrounds_[i];
    background = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", context_.camera), [i] {
      return LoadPackTexture("data\\GameBack.dat", static_cast<std::uint16_t>(i),
                             1000022 + static_cast<std::int32_t>(i));
    });
    iSpriteScaleSet(background.sprite, {25.6f, 25.6f});
    iSpritePrioritySet(background.sprite, 2);
  }
}

void TGame::CreatePanel() {
  panel_ = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", context_.camera),
                                    [] { return iTextureCreate("data\\Panel.png"); });
  iSpriteScaleSet(panel_.sprite, {20, 2.5f});
  iSpriteLocationSet(panel_.sprite, {0, 11.8f});
}

void TGame::CreateOverlayPictures() {
  // Made afresh at every level start: the old sprites and textures go first so
  // that levels do not pile up hidden full-screen pictures.
  const auto make = [this](engine::OwnedPicture& picture, const char* file) {
    picture.sprite.reset();
    picture.texture = engine::OwnedTexture(iTextureCreate(file));
    picture.sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", context_.camera));
    iSpriteTextureSet(picture.sprite, picture.texture);
    iSpriteScaleSet(picture.sprite, {20, 15});
    iSpriteLocationSet(picture.sprite, {0, 0});
  };
  make(levelCompletePicture_, "data\\LevelComplete.png");
  make(pausePicture_, "data\\Pause.png");
}

void TGame::LoadResources() {
  ufo_.CreateFlame();
  resources_.LoadCloudTexturesAndSounds();
  context_.host.ShowAndRenderLoadingPicture();
  counters_.SetLevel(0);
  counters_.SetScore(0);
  counters_.SetLives(3);
  CreateBackgrounds();
  resources_.LoadBlockAndFruitTextures();
  hero_ = std::make_unique<THero>(context_);
  context_.hero = hero_.get();
  hero_->LoadHero();
  resources_.FillImageSlots();
  resources_.MakeBurstTextures();
  CreatePanel();
  sandclock_.Load();
  resources_.MakeLifeIcons(context_.camera);
  ufo_.CreateSprite(context_.camera);
  state_.timeOverPhase = false;
  state_.levelCompletePhase = false;
  resourcesLoaded_ = true;
  state_.gameOverPhase = true;  // cleared by StartLevel
}

// Every engine object died with the engine. The image slots are program memory
// and stay; everything else is made again, and every level object makes its own
// again and keeps its state. The clouds are dropped until the next level.
void TGame::ReloadResources() {
  BeginStep(LevelStep::Reload);
  RemakeEngineObjects();
}

void TGame::RemakeEngineObjects() {
  ufo_.CreateFlame();
  resources_.LoadCloudTexturesAndSounds();
  CreateBackgrounds();
  resources_.LoadBlockAndFruitTextures();
  hero_->ReloadHero();
  resources_.MakeBurstTextures();
  CreatePanel();
  sandclock_.Reload();
  resources_.MakeLifeIcons(context_.camera);
  ufo_.CreateSprite(context_.camera);
  ufo_.PlaceForCountdown(state_.ufoCountdown);

  for (const auto& platform : objects_.platforms) platform->Reload();
  for (const auto& enemy : objects_.enemies) enemy->Reload();
  for (const auto& raven : objects_.ravens) raven->Reload();
  for (const auto& bonus : objects_.bonuses) bonus->Reload();
  // Balloons are level objects like the rest: without this a restart on a
  // bonus level would leave them (and their bursts) without sprites.
  for (const auto& balloon : objects_.balloons) balloon->Reload();
  clouds_.clear();  // their sprites died with the engine

  // The old overlay pictures died with the engine; their owners only forget them.
  CreateOverlayPictures();
  if (state_.levelCompletePhase) iSpriteShow(levelCompletePicture_.sprite);
  context_.host.RecreateDialogPictures();
  ApplyCamera();
}

}  // namespace game
