// The HUD, and showing, hiding and layering every sprite of the game at once.
#include <string>

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

namespace game {

void TGame::DrawHud() {
  iPrintColorSet(1, 1, 0, 1);
  iPrint(std::to_string(GetLevel()).c_str(), {-8, 10.9f}, {0.8f, 0.8f}, 0.1f, font_);
  iPrint(std::to_string(GetScore()).c_str(), {3, 10.9f}, {0.8f, 0.8f}, 0.1f, font_);
  iPrintColorSet(1, 1, 1, 1);
}

// Level 1 has background 1, level 2 background 2, level 3 background 3, and so on
// in turn.
iHandle TGame::CurrentBackground() const {
  switch (GetLevel() % 3) {
    case 1:
      return backgrounds_[0].sprite;
    case 2:
      return backgrounds_[1].sprite;
    default:
      return backgrounds_[2].sprite;
  }
}

void TGame::ShowGameSprites() {
  iSpriteShow(CurrentBackground());
  for (const auto& platform : objects_.platforms) platform->Show();
  // Lying enemies too: nothing else would show them again, and one that got
  // up unseen would still catch the hero.
  for (const auto& enemy : objects_.enemies) enemy->Show();
  // A diamond an enemy hopped on is out of play but still seen, at its depth.
  for (const auto& bonus : objects_.bonuses) {
    const auto* diamond = dynamic_cast<const TDiamond*>(bonus.get());
    if (!bonus->taken || (diamond != nullptr && diamond->Away())) iSpriteShow(bonus->sprite);
  }
  for (const auto& raven : objects_.ravens) raven->Show();
  for (const auto& balloon : objects_.balloons) iSpriteShow(balloon->sprite);
  if (hero_ && state_.ufoCountdown == 0) hero_->Show();
  iSpriteShow(panel_.sprite);
  ufo_.Show();
  sandclock_.Show();
  resources_.ShowLifeIcons(GetLives());
}

void TGame::HideGameSprites() {
  for (const engine::OwnedPicture& background : backgrounds_) iSpriteHide(background.sprite);
  for (const auto& platform : objects_.platforms) platform->Hide();
  for (const auto& enemy : objects_.enemies) enemy->Hide();
  for (const auto& bonus : objects_.bonuses) iSpriteHide(bonus->sprite);
  for (const auto& emitter : objects_.emitters) emitter->HideBurst();
  for (const auto& raven : objects_.ravens) raven->Hide();
  for (const auto& balloon : objects_.balloons) iSpriteHide(balloon->sprite);
  if (hero_) hero_->Hide();
  iSpriteHide(panel_.sprite);
  sandclock_.Hide();
  resources_.ShowLifeIcons(0);
  ufo_.Hide();
  iSpriteHide(levelCompletePicture_.sprite);
  iSpriteHide(pausePicture_.sprite);
}

void TGame::RaiseGameSprites() {
  if (hero_) hero_->SetLayer(0);
  for (const auto& platform : objects_.platforms) platform->SetLayer(0);
  for (const auto& balloon : objects_.balloons) balloon->SetLayer(0);
}

void TGame::LowerGameSprites() {
  if (hero_) hero_->SetLayer(2);
  for (const auto& balloon : objects_.balloons) balloon->SetLayer(2);
}

void TGame::ShowPausePicture() const {
  iSpriteShow(pausePicture_.sprite);
}

void TGame::HidePausePicture() const {
  iSpriteHide(pausePicture_.sprite);
}

void TGame::ResumeSong() {
  if (program_.music.CurrentSong() == 0) program_.music.MusicPlay("2", false);
}

}  // namespace game
