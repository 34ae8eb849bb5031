// TBaloon: on bonus levels, a balloon that floats up from below the screen and
// pops when the hero touches it (or escapes above the top).
#pragma once

#include <array>
#include <cstdint>

#include "game/bonus.h"

namespace game {

class TBaloon : public TBonus {
 public:
  using TBonus::TBonus;
  ~TBaloon() override;

  // Engine objects again, state kept, and the sprites of its burst.
  void Reload() override;
  // Engine objects, first frame, and a place below the screen (random draws in
  // the order first frame, x, y).
  void Load() override;
  // Floats up and animates; plays the pop, then hides.
  void Update() override;
  BonusKind kind() const override { return BonusKind::Balloon; }
  // Popping scores 10.
  void ApplyEffect() override;
  iHandle BurstTexture() const override;

  // The hero touched it: +10, its burst (emitter emitterIndex) at (x, y + 1.5),
  // its sound, taken; its own Update plays the pop.
  void Pop(int emitterIndex);
  void SetLayer(int layer) const;

  // Frames 1..3 float, 4..6 pop; frame 7 means the pop is over (hidden).
  std::array<engine::OwnedTexture, 7> pictures;  // 1..6
  std::uint8_t frame = 1;
  std::uint32_t lastStepTime = 0;

 private:
  void CreateEngineObjects();
  void PlaceSprite() const;
};

}  // namespace game
