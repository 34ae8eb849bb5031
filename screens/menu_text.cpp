#include "screens/menu_text.h"

#include <string>

#include "engine/engine.h"
#include "engine/texture_pack.h"

namespace screens {
namespace {

constexpr float kLetterSpacing = 0.1f;
constexpr std::int32_t kFormsTag = 1000001;

}  // namespace

void PrintMenuText(std::string_view text, long double x, long double y, float scale,
                   const iColor& colour, iHandle font) {
  SetPrintColor(colour);
  const std::string copy(text);
  iPrint(copy.c_str(), {static_cast<float>(x), static_cast<float>(y)}, {scale, scale},
         kLetterSpacing, font);
}

engine::OwnedPicture CreateFormPicture(int image, float width, float height) {
  engine::OwnedPicture picture = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0), [&] {
    return LoadPackTexture("data\\Forms.dat", static_cast<std::uint16_t>(image), kFormsTag);
  });
  iSpriteScaleSet(picture.sprite, {width, height});
  iSpriteLocationSet(picture.sprite, {0, 0});
  return picture;
}

}  // namespace screens
