#include "screens/menu_scene.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/texture_pack.h"

namespace screens {
namespace {

constexpr long double kSunPhaseWrap = 25.132741228718345908L;  // 8 pi
constexpr long double kSunAngleWrap = 360;
constexpr long double kRadiansPerDegree = 3.14159265358979323846L / 180;

engine::OwnedPicture FilePicture(const char* file) {
  return engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0),
                                  [file] { return iTextureCreate(file); });
}

engine::OwnedPicture BackgroundPicture(std::uint16_t image, std::int32_t tag) {
  return engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0), [=] {
    return LoadPackTexture("data\\Background.dat", image, tag);
  });
}

}  // namespace

MenuScene::MenuScene()
    : companions_{TMenuCompanion(kCangoroo), TMenuCompanion(kMouse), TMenuCompanion(kBlue),
                  TMenuCompanion(kToothy)} {}

void MenuScene::CreateBackdrop() {
  backdrop_ = BackgroundPicture(1, 1000005);
  iSpriteScaleSet(backdrop_.sprite, backdropScale_);
  iSpritePrioritySet(backdrop_.sprite, 2);
  iSpriteLocationSet(backdrop_.sprite, backdropPosition_);
}

void MenuScene::SetBackdrop(iVec2 scale, iVec2 position) {
  backdropScale_ = scale;
  backdropPosition_ = position;
  iSpriteScaleSet(backdrop_.sprite, scale);
  iSpriteLocationSet(backdrop_.sprite, position);
}

void MenuScene::CreateSun() {
  sun_ = FilePicture("data\\Sun.png");
  sunScale_ = {6.4f, 6.4f};
  iSpriteScaleSet(sun_.sprite, sunScale_);
  sunPhase_ = 0;
  sunAngle_ = 0;
  iSpriteOrientationSet(sun_.sprite, 0);
  iSpriteLocationSet(sun_.sprite, {-10.5f, 9});
}

void MenuScene::CreateCloud() {
  cloud_ = FilePicture("data\\Menu_Cloud.png");
  iSpriteScaleSet(cloud_.sprite, {12.8f, 6.4f});
  iSpriteLocationSet(cloud_.sprite, {0, 9});
}

void MenuScene::CreateCorner() {
  corner_ = BackgroundPicture(0, 1000007);
  iSpriteScaleSet(corner_.sprite, {7.5f, 3.75f});
  iSpriteLocationSet(corner_.sprite, {12, -10});
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
  iSpriteShow(backdrop_.sprite);
}

void MenuScene::ShowCorner() const {
  iSpriteShow(corner_.sprite);
}

void MenuScene::ShowSunAndCloud() const {
  iSpriteShow(sun_.sprite);
  iSpriteShow(cloud_.sprite);
}

void MenuScene::ShowCast() const {
  for (const TMenuCompanion& companion : companions_) companion.Show();
  quester_.Show();
  for (const TMenuRaven& raven : ravens_) raven.Show();
}

void MenuScene::ShowAll() const {
  for (const TMenuRaven& raven : ravens_) raven.Show();
  iSpriteShow(backdrop_.sprite);
  iSpriteShow(cloud_.sprite);
  iSpriteShow(sun_.sprite);
  iSpriteShow(corner_.sprite);
  quester_.Show();
  for (const TMenuCompanion& companion : companions_) companion.Show();
}

void MenuScene::HideAll() const {
  iSpriteHide(backdrop_.sprite);
  iSpriteHide(corner_.sprite);
  iSpriteHide(sun_.sprite);
  iSpriteHide(cloud_.sprite);
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
  iSpriteScaleSet(sun_.sprite, sunScale_);
  sunAngle_ += 0.05L;
  if (sunAngle_ > kSunAngleWrap) sunAngle_ = 0;
  // The angle counts degrees (it wraps at 360); the engine turns by radians.
  iSpriteOrientationSet(sun_.sprite, static_cast<float>(sunAngle_ * kRadiansPerDegree));
}

}  // namespace screens
