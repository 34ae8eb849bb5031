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

  void Reload() override;
  // Engine objects, first frame, and a place below the screen.
  void Load() override;
  // Floats up and animates; plays the pop, then hides.
  void Update() override;
  BonusKind kind() const override { return BonusKind::Balloon; }
  void ApplyEffect() override;
  iHandle BurstTexture() const override;

  // The hero touched it: +10, its burst (emitter emitterIndex) at (x, y + 1.5),
  // its sound, taken; its own Update plays the pop.
  void Pop(int emitterIndex);
  void SetLayer(int layer) const;

  std::array<iHandle, 7> pictures{};  // 1..6
  std::uint8_t frame = 1;
  std::uint32_t lastStepTime = 0;
};

}  // namespace game
