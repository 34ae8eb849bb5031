#include "game/game.h"

#include "engine/engine.h"
#include "game/build_level.h"
#include "game/hero.h"
#include "platform/random.h"

namespace game {

TGame::TGame(core::Program& program, GameHost& host)
    : program_(program), context_{program.persistent.settings,
                                  program.platform,
                                  counters_,
                                  objects_,
                                  state_,
                                  resources_,
                                  host} {}

TGame::~TGame() {
  // Level objects reach the hero through the context: they go first.
  objects_.Clear();
}

bool TGame::BonusLevel() const {
  return IsBonusLevel(GetLevel());
}

void TGame::ResetGame() {
  ClearLevel();
  counters_.SetScore(0);
  counters_.SetLives(3);
  counters_.SetLevel(0);
}

void TGame::ClearLevel() {
  DestroyClouds(clouds_);
  objects_.Clear();
  if (hero_) hero_->ResetForLevel();
  state_.walkingOut = false;
  state_.walkOutCountdown = 0;
  ufo_.SetLayer(0);
  cameraY_ = 0;
  program_.music.MusicStop("2");
}

void TGame::BeginStep(LevelStep step) {
  const StepInput live = LiveStepInput(program_.platform);
  context_.step = inputs_ != nullptr ? inputs_->Take(step, live) : live;
}

void TGame::StartLevel() {
  context_.host.ShowAndRenderLoadingPicture();
  if (GetLevel() == 0 && nextGameLevel_ > 1) {
    SetLevel(nextGameLevel_ - 1);
    nextGameLevel_ = 0;
  }
  counters_.SetLevel(counters_.GetLevel() + 1);
  if (newGameChosen_) {
    newGameChosen_ = false;
    if (inputs_ != nullptr) inputs_->BeginGame(platform::CurrentRandomPosition(), GetLevel());
  }
  BeginStep(LevelStep::StartLevel);
  const iHandle background = CurrentBackground();
  iSpriteLocationSet(background, {0, 0});
  // Shown before the clouds are made, so that they stay in front of it.
  iSpriteShow(background);

  BuildLevel(context_, clouds_, GetLevel());

  state_.entryPhase = true;
  state_.respawnRequested = false;
  state_.heroTintTimer = -1.0L;
  if (hero_) hero_->SetColor(1, 1, 1, 1);

  state_.ufoCountdown = 160;
  ufo_.PlaceAt(-11, 160 * 0.125L - 7);

  context_.host.HideLoadingPicture();
  ShowGameSprites();
  RaiseGameSprites();

  state_.timeLeft = 20.0L / GetLevel() * 1.5L + 40;
  state_.timeTotal = state_.timeLeft + 0.1L;

  state_.freezeTimer = -1.0L;
  state_.gameOverPhase = false;
  state_.gameOverTimer = 3.0L;  // a game left during the game-over picture spent some
  state_.timeOverTimer = -1.0L;
  state_.timeOverPhase = false;
  state_.levelCompleteTimer = -1.0L;
  state_.levelCompletePhase = false;
  sandclock_.SetColor(1, 1, 1, 1);

  CreateOverlayPictures();
  context_.host.RecreateDialogPictures();

  program_.music.MusicPlay("2", false);
  context_.Play(resources_.sndUfo);
}

}  // namespace game
