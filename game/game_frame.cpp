// TGame's frame: the phase that runs (game over, entry, time over, level
// complete, respawn or play), then the world that keeps moving behind every
// phase (level end test, enemies, raven, bonuses, platforms, clouds, bursts).
#include <cstdint>

#include "core/screen_state.h"
#include "engine/engine.h"
#include "game/balloon.h"
#include "game/bonus.h"
#include "game/bonus_emitter.h"
#include "game/diamond.h"
#include "game/enemy.h"
#include "game/game.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/raven.h"
#include "game/timer_steps.h"

namespace game {
namespace {

constexpr long double kCameraRise = 0.00859375L;

}  // namespace

void TGame::UpdateFrame() {
  BeginStep(LevelStep::Frame);
  if (state_.gameOverPhase) {
    StepGameOver();
  } else if (state_.entryPhase) {
    StepEntry();
  } else if (state_.timeOverPhase) {
    if (!StepTimeOver()) return;
  } else if (state_.levelCompletePhase) {
    if (!StepLevelComplete()) return;
  } else if (state_.respawnRequested) {
    if (hero_) hero_->Hide();
    state_.respawnRequested = false;
    state_.entryPhase = true;  // the UFO is down: only the walk-out is replayed
  } else {
    StepPlay();
  }

  if (!state_.levelCompletePhase && program_.ScreenState.load() == core::ssPlaying) {
    TestLevelEnd();
    StepEnemies();
  }
  StepRaven();
  for (const auto& bonus : objects_.bonuses) bonus->Update();
  RefreshPlatformsAndEnemies();
  DriftClouds(clouds_);
  StepBursts();
}

// The game-over picture stays up for 3 seconds; then the name entry opens when
// the score enters the high-score table, else the main menu.
void TGame::StepGameOver() {
  state_.gameOverTimer -= kTimerStep;
  if (state_.gameOverTimer >= 0) return;
  GameHost& host = context_.host;
  host.HideGameOverPicture();
  if (!host.OpenRecordEntry(GetScore())) {
    host.ReturnToMainMenu();
    program_.music.MusicStop("2");
    program_.music.MusicPlay("1", false);
  }
  host.ShowPointer();
  state_.gameOverPhase = false;
  state_.gameOverTimer = 3.0L;
}

// The UFO comes down with its flame while the camera rises a little; then the
// hero walks out of it to the right for 40 frames.
void TGame::StepEntry() {
  if (state_.ufoCountdown >= 1) {
    --state_.ufoCountdown;
    ufo_.DescentStep(state_.ufoCountdown);
    cameraY_ += kCameraRise;
    ApplyCamera();
    return;
  }
  if (!hero_) return;
  if (!state_.walkingOut) {
    state_.walkOutCountdown = 40;
    hero_->WalkFacing(1);
    state_.walkingOut = true;
    hero_->Show();
  } else if (state_.walkOutCountdown < 1) {
    state_.entryPhase = false;
    ufo_.SetLayer(2);
    hero_->StandStill();
    state_.walkingOut = false;
    cameraY_ = 0;
    ApplyCamera();
  } else {
    --state_.walkOutCountdown;
    hero_->x += 0.06L;
    hero_->PlaceHero();
    hero_->AdvanceRunPicture(120, 6);
  }
}

void TGame::ApplyCamera() const {
  iCameraLocationSet(context_.camera, {0, static_cast<float>(cameraY_), -10});
}

// "TIME IS OVER!" for 2 seconds; then the same level again with a life less,
// or the game-over phase when it was the last life.
bool TGame::StepTimeOver() {
  if (state_.timeOverTimer > 0) {
    iPrintColorSet(1, 1, 0, 1);
    iPrint("TIME IS OVER!", {-5, 0}, {1, 1}, 0.1f, font_);
    iPrintColorSet(1, 1, 1, 1);
    state_.timeOverTimer -= kTimerStep;
    return true;
  }
  state_.timeOverPhase = false;
  if (GetLives() < 2) {
    context_.host.ShowGameOverPicture();
    state_.gameOverPhase = true;
    LowerGameSprites();
  } else {
    ClearLevel();
    program_.ScreenState.store(core::ssNewGame);
    SetLevel(GetLevel() - 1);
    SetLives(GetLives() - 1);
  }
  return false;
}

// The level-complete picture for 2 seconds; then the next level.
bool TGame::StepLevelComplete() {
  if (state_.levelCompleteTimer > 0) {
    state_.levelCompleteTimer -= kTimerStep;
    return true;
  }
  state_.levelCompletePhase = false;
  HideGameSprites();
  context_.host.ShowAndRenderLoadingPicture();
  iSpriteHide(levelCompletePicture_.sprite);
  ClearLevel();
  program_.ScreenState.store(core::ssNewGame);
  return false;
}

void TGame::StepPlay() {
  if (hero_) hero_->UpdateHero();
  sandclock_.Update(state_.timeLeft, state_.timeTotal);
  if (state_.clockStopTimer > 0) {
    state_.clockStopTimer -= kTimerStep;
  } else if (!BonusLevel()) {
    state_.timeLeft -= kClockStep;
  }
  if (!BonusLevel() && state_.timeLeft < 0) {
    state_.timeOverPhase = true;
    state_.timeOverTimer = 2.0L;
  }
  if (state_.heroTintTimer > 0) {
    if (state_.heroTintTimer - kTimerStep < 0 && hero_) hero_->SetColor(1, 1, 1, 1);
    state_.heroTintTimer -= kTimerStep;
  }
}

// An ordinary level is won when every diamond is taken and none is away in the
// ground; a bonus level when every balloon is popped or has escaped.
void TGame::TestLevelEnd() {
  bool complete = true;
  if (BonusLevel()) {
    for (const auto& balloon : objects_.balloons) balloon->Update();
    for (const auto& balloon : objects_.balloons) complete = complete && balloon->taken;
  } else {
    for (const auto& bonus : objects_.bonuses) {
      if (bonus->kind() != BonusKind::Diamond) continue;
      const auto& diamond = static_cast<const TDiamond&>(*bonus);
      if (!diamond.taken || diamond.returnTimer >= 0 || diamond.returnCounter != 0) {
        complete = false;
      }
    }
  }
  if (!complete) return;
  state_.levelCompletePhase = true;
  state_.levelCompleteTimer = 2.0L;
  iSpriteShow(levelCompletePicture_.sprite);
  context_.Play(resources_.sndLevelComplete);
}

// Frozen enemies stand still unless they are in the middle of a jump, a landing
// or a fall; otherwise an enemy lying knocked out gets up when its time is over.
void TGame::StepEnemies() {
  if (state_.freezeTimer >= 0) {
    state_.freezeTimer -= kClockStep;
    for (const auto& enemy : objects_.enemies) {
      if (enemy->MovesWhileFrozen()) enemy->Update();
    }
    return;
  }
  for (const auto& enemy : objects_.enemies) {
    if (enemy->lying) {
      enemy->lyingTimer -= kTimerStep;
      if (enemy->lyingTimer < 0) {
        enemy->knockedDown = true;
        enemy->lying = false;
      }
    } else {
      enemy->Update();
    }
  }
}

void TGame::StepRaven() {
  for (const auto& raven : objects_.ravens) {
    if (raven->delay > 0) {
      raven->delay -= kTimerStep;
    } else if (!raven->Carrying()) {
      raven->NewRun();
    } else {
      raven->FlyStep();
    }
  }
}

void TGame::RefreshPlatformsAndEnemies() {
  for (const auto& platform : objects_.platforms) platform->Refresh();
  for (const auto& enemy : objects_.enemies) enemy->Draw();
}

void TGame::StepBursts() {
  for (const auto& emitter : objects_.emitters) {
    if (emitter->life <= 0) continue;
    emitter->StepBurst();
    if (emitter->life < 0) emitter->HideBurst();
  }
}

}  // namespace game
