#include "game/game.h"

#include <string>

#include "engine/engine.h"
#include "engine/texture_pack.h"

namespace game {
namespace {

iHandle PictureSprite(const char* file, iVec2 scale, iVec2 location) {
  const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(sprite, iTextureCreate(file));
  iSpriteScaleSet(sprite, scale);
  iSpriteLocationSet(sprite, location);
  return sprite;
}

}  // namespace

TGame::TGame(core::Program& program, GameHost& host)
    : program_(program), context_{program.persistent.settings,
                                  program.platform,
                                  counters_,
                                  objects_,
                                  state_,
                                  resources_,
                                  host} {}

void TGame::CreateSprites() {
  for (std::size_t i = 0; i < backgrounds_.size(); ++i) {
    const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
    iSpriteScaleSet(sprite, {25.6f, 25.6f});
    iSpriteTextureSet(sprite, LoadPackTexture("data\\GameBack.dat", static_cast<std::uint16_t>(i),
                                              1000022 + static_cast<std::int32_t>(i)));
    iSpritePrioritySet(sprite, 2);
    backgrounds_[i] = sprite;
  }
  panel_ = PictureSprite("data\\Panel.png", {20, 2.5f}, {0, 11.8f});
  constexpr float kIconX[3] = {12, 10.5f, 9};
  for (std::size_t i = 0; i < lifeIcons_.size(); ++i) {
    const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
    iSpriteTextureSet(sprite, LoadPackTexture("data\\Interface.dat", 1, 1000009));
    iSpriteScaleSet(sprite, {1.25f, 1.25f});
    iSpriteLocationSet(sprite, {kIconX[i], 10.8f});
    lifeIcons_[i] = sprite;
  }
  levelCompletePicture_ = PictureSprite("data\\LevelComplete.png", {20, 15}, {0, 0});
  pausePicture_ = PictureSprite("data\\Pause.png", {20, 15}, {0, 0});
}

void TGame::LoadResources() {
  counters_.SetLevel(0);
  counters_.SetScore(0);
  counters_.SetLives(3);
  CreateSprites();
  resourcesLoaded_ = true;
  gameOverPhase_ = true;  // cleared by StartLevel
}

void TGame::ReloadResources() {
  CreateSprites();
}

void TGame::StartLevel() {
  counters_.SetLevel(counters_.GetLevel() + 1);
  gameOverPhase_ = false;
  ShowGameSprites();
  RaiseGameSprites();
  program_.music.MusicPlay("2", false);
}

void TGame::UpdateFrame() {}

void TGame::DrawHud() {
  iPrintColorSet(1, 1, 0, 1);
  iPrint(std::to_string(GetLevel()).c_str(), {-8, 10.9f}, {0.8f, 0.8f}, 0.1f, font_);
  iPrint(std::to_string(GetScore()).c_str(), {3, 10.9f}, {0.8f, 0.8f}, 0.1f, font_);
  iPrintColorSet(1, 1, 1, 1);
}

iHandle TGame::CurrentBackground() const {
  switch (GetLevel() % 3) {
    case 1:
      return backgrounds_[0];
    case 2:
      return backgrounds_[1];
    default:
      return backgrounds_[2];
  }
}

void TGame::ShowGameSprites() {
  iSpriteShow(CurrentBackground());
  iSpriteShow(panel_);
  for (const iHandle icon : lifeIcons_) iSpriteHide(icon);
  const std::int32_t lives = GetLives();
  if (lives == 3) iSpriteShow(lifeIcons_[2]);
  if (lives > 1) iSpriteShow(lifeIcons_[1]);
  if (lives > 0) iSpriteShow(lifeIcons_[0]);
}

void TGame::HideGameSprites() {
  for (const iHandle background : backgrounds_) iSpriteHide(background);
  iSpriteHide(panel_);
  for (const iHandle icon : lifeIcons_) iSpriteHide(icon);
  iSpriteHide(levelCompletePicture_);
  iSpriteHide(pausePicture_);
}

void TGame::RaiseGameSprites() {}

void TGame::LowerGameSprites() {}

void TGame::ResetGame() {
  ClearLevel();
  counters_.SetScore(0);
  counters_.SetLives(3);
  counters_.SetLevel(0);
}

void TGame::ClearLevel() {
  program_.music.MusicStop("2");
}

void TGame::ShowPausePicture() const {
  iSpriteShow(pausePicture_);
}

void TGame::HidePausePicture() const {
  iSpriteHide(pausePicture_);
}

}  // namespace game
