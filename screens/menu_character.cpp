#include "screens/menu_character.h"

#include "engine/engine.h"
#include "engine/texture_pack.h"

namespace screens {

void MenuCharacter::CreateSprite() {
  sprite_ = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
  iSpriteScaleSet(sprite_, {look_.size, look_.size});
  const int n = look_.framesPerRow;
  images_.clear();
  for (int i = 0; i < 2 * n; ++i) {
    images_.emplace_back(
        LoadPackTexture(look_.pack, static_cast<std::uint16_t>(i), look_.tagBase + i + 1));
  }
}

void MenuCharacter::Reload() {
  CreateSprite();
  ShowImage();
  Place();
}

void MenuCharacter::Show() const {
  iSpriteShow(sprite_);
}

void MenuCharacter::Hide() const {
  iSpriteHide(sprite_);
}

void MenuCharacter::ShowImage() const {
  const int index = direction_ * look_.framesPerRow + frame_ - 1;
  iSpriteTextureSet(sprite_, images_[static_cast<std::size_t>(index)]);
}

void MenuCharacter::Place() const {
  iSpriteLocationSet(sprite_, {static_cast<float>(x_), static_cast<float>(y_)});
}

bool MenuCharacter::Animate(std::uint32_t nowMs) {
  if (nowMs - lastChangeMs_ <= look_.intervalMs) return false;
  lastChangeMs_ = nowMs;
  frame_ = frame_ >= look_.framesPerRow ? 1 : frame_ + 1;
  ShowImage();
  return true;
}

void MenuCharacter::Turn(Direction direction) {
  direction_ = direction;
  frame_ = 1;
  ShowImage();
}

}  // namespace screens
