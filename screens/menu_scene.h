// The menu scene behind every menu screen: the backdrop (which the intro grows
// from nothing), the corner title picture, the pulsing and turning sun, the
// cloud, the running hero with his companions and the raven.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_characters.h"

namespace screens {

class MenuScene {
 public:
  MenuScene();

  // Backdrop: image 1 of "data\Background.dat" on the back layer, at the
  // current scale and position.
  void CreateBackdrop();
  void SetBackdrop(iVec2 scale, iVec2 position);
  iVec2 backdropScale() const { return backdropScale_; }
  iVec2 backdropPosition() const { return backdropPosition_; }

  // The sun starts over: phase and angle 0.
  void CreateSun();
  void CreateCloud();
  void CreateCorner();

  // The cast: made the first time, rebuilt with their state after a restart.
  void CreateRavens();
  void ReloadRavens();
  void CreateCharacters();
  void ReloadCharacters();

  void ShowBackdrop() const;
  void ShowCorner() const;
  void ShowSunAndCloud() const;
  void ShowCast() const;  // hero, companions, ravens
  void ShowAll() const;
  void HideAll() const;

  // One frame of the scene: hero, his companions, the raven, the sun.
  void Update(std::uint32_t nowMs);

  const TMenuQuester& quester() const { return quester_; }
  const Companions& companions() const { return companions_; }
  const std::vector<TMenuRaven>& ravens() const { return ravens_; }
  iHandle backdropSprite() const { return backdrop_.sprite; }
  iHandle sunSprite() const { return sun_.sprite; }
  iHandle cloudSprite() const { return cloud_.sprite; }
  long double sunPhase() const { return sunPhase_; }
  long double sunAngle() const { return sunAngle_; }  // degrees

 private:
  void UpdateSun();

  engine::OwnedPicture backdrop_;
  engine::OwnedPicture corner_;
  engine::OwnedPicture sun_;
  engine::OwnedPicture cloud_;
  iVec2 backdropScale_{0, 0};
  iVec2 backdropPosition_{0, 0};
  long double sunPhase_ = 0;
  long double sunAngle_ = 0;
  iVec2 sunScale_{6.4f, 6.4f};

  TMenuQuester quester_;
  Companions companions_;
  std::vector<TMenuRaven> ravens_;
};

}  // namespace screens
