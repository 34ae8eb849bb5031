// TDiamond: lies on a platform from the start of a level; taking every diamond
// wins an ordinary level. An enemy hopping on it sends it sinking into the
// ground for a while.
#pragma once

#include <array>
#include <cstdint>

#include "game/bonus.h"

namespace game {

class TDiamond : public TBonus {
 public:
  using TBonus::TBonus;
  ~TDiamond() override;

  void Reload() override;
  void Load() override;
  void Update() override;
  BonusKind kind() const override { return BonusKind::Diamond; }
  // Score + 50 (the hero starts his joy himself).
  void ApplyEffect() override;
  iHandle BurstTexture() const override;

  // An enemy hopped on it: it waits, sinks, stays down and rises again.
  void SendSinking();
  // Away (sinking, down or rising): neither takeable nor hoppable.
  bool Away() const { return returnTimer >= 0 || returnCounter != 0; }

  std::array<engine::OwnedTexture, 5> pictures;  // 1..4
  std::uint8_t frame = 1;
  std::uint32_t lastStepTime = 0;
  long double returnTimer = 0;
  std::int32_t returnCounter = 0;

 private:
  void CreateEngineObjects();
  void PlaceSparkleEmitter() const;
  // Sprite at (x, y + dy).
  void PlaceSprite(long double dy) const;
  // Height of the picture above y where the sink-and-rise cycle has put it.
  long double PictureOffset() const;
};

}  // namespace game
