#include "screens/menu_scene.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/texture_pack.h"

namespace screens {
namespace {

constexpr long double kSunPhaseWrap = 25.132741228718345908L;  // 8 pi
constexpr long double kSunAngleWrap = 360;
constexpr long double kRadiansPerDegree = 3.14159265358979323846L / 180;

iHandle FileSprite(const char* file) {
  const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(sprite, iTextureCreate(file));
  return sprite;
}

}  // namespace

MenuScene::MenuScene()
    : companions_{TMenuCompanion(kCangoroo), TMenuCompanion(kMouse), TMenuCompanion(kBlue),
                  TMenuCompanion(kToothy)} {}

void MenuScene::CreateBackdrop() {
  backdrop_ = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(backdrop_, LoadPackTexture("data\\Background.dat", 1, 1000005));
  iSpriteScaleSet(backdrop_, backdropScale_);
  iSpritePrioritySet(backdrop_, 2);
  iSpriteLocationSet(backdrop_, backdropPosition_);
}

void MenuScene::SetBackdrop(iVec2 scale, iVec2 position) {
  backdropScale_ = scale;
  backdropPosition_ = position;
  iSpriteScaleSet(backdrop_, scale);
  iSpriteLocationSet(backdrop_, position);
}

void MenuScene::CreateSun() {
  sun_ = FileSprite("data\\Sun.png");
  sunScale_ = {6.4f, 6.4f};
  iSpriteScaleSet(sun_, sunScale_);
  sunPhase_ = 0;
  sunAngle_ = 0;
  iSpriteOrientationSet(sun_, 0);
  iSpriteLocationSet(sun_, {-10.5f, 9});
}

void MenuScene::CreateCloud() {
  cloud_ = FileSprite("data\\Menu_Cloud.png");
  iSpriteScaleSet(cloud_, {12.8f, 6.4f});
  iSpriteLocationSet(cloud_, {0, 9});
}

void MenuScene::CreateCorner() {
  corner_ = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(corner_, LoadPackTexture("data\\Background.dat", 0, 1000007));
  iSpriteScaleSet(corner_, {7.5f, 3.75f});
  iSpriteLocationSet(corner_, {12, -10});
}

void MenuScene::CreateRavens() {
  ravens_.resize(1);
  for (TMenuRaven& raven : ravens_) raven.Create();
}

void MenuScene::ReloadRavens() {
  for (TMenuRaven& raven : ravens_) raven.Reload();
}

void MenuScene::CreateCharacters() {
  for (TMenuCompanion& companion : companions_) companion.Create();
  quester_.Create(companions_);
}

void MenuScene::ReloadCharacters() {
  quester_.Reload();
  for (TMenuCompanion& companion : companions_) companion.Reload();
}

void MenuScene::ShowBackdrop() const {
  iSpriteShow(backdrop_);
}

void MenuScene::ShowCorner() const {
  iSpriteShow(corner_);
}

void MenuScene::ShowSunAndCloud() const {
  iSpriteShow(sun_);
  iSpriteShow(cloud_);
}

void MenuScene::ShowCast() const {
  for (const TMenuCompanion& companion : companions_) companion.Show();
  quester_.Show();
  for (const TMenuRaven& raven : ravens_) raven.Show();
}

void MenuScene::ShowAll() const {
  for (const TMenuRaven& raven : ravens_) raven.Show();
  iSpriteShow(backdrop_);
  iSpriteShow(cloud_);
  iSpriteShow(sun_);
  iSpriteShow(corner_);
  quester_.Show();
  for (const TMenuCompanion& companion : companions_) companion.Show();
}

void MenuScene::HideAll() const {
  iSpriteHide(backdrop_);
  iSpriteHide(corner_);
  iSpriteHide(sun_);
  iSpriteHide(cloud_);
  for (const TMenuCompanion& companion : companions_) companion.Hide();
  quester_.Hide();
  for (const TMenuRaven& raven : ravens_) raven.Hide();
}

void MenuScene::Update(std::uint32_t nowMs) {
  quester_.Update(nowMs, companions_);
  for (const int kind : {quester_.firstCompanion(), quester_.secondCompanion()}) {
    if (kind >= 0 && kind < kCompanionKinds) {
      companions_[static_cast<std::size_t>(kind)].Update(nowMs);
    }
  }
  for (TMenuRaven& raven : ravens_) raven.Update(nowMs);
  UpdateSun();
}

void MenuScene::UpdateSun() {
  sunPhase_ += 0.1L;
  if (sunPhase_ > kSunPhaseWrap) sunPhase_ = 0;
  const float scale = static_cast<float>(std::sin(sunPhase_ / 4) * 0.3L + 6.4L);
  sunScale_ = {scale, scale};
  iSpriteScaleSet(sun_, sunScale_);
  sunAngle_ += 0.05L;
  if (sunAngle_ > kSunAngleWrap) sunAngle_ = 0;
  // The angle counts degrees (it wraps at 360); the engine turns by radians.
  iSpriteOrientationSet(sun_, static_cast<float>(sunAngle_ * kRadiansPerDegree));
}

}  // namespace screens
