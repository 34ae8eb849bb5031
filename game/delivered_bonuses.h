// The five bonuses the raven delivers, one of each per level, out of
// play until delivered: TSnow (freezes the enemies), TLifePlus (an extra life),
// TBanana and TPear (points), TClock (stops the level timer).
//
// The five differ only in data (pictures, animation, sound, burst) and in what
// taking them does, so one class runs them all from a row of DeliveredBonusLook.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "game/bonus.h"

namespace game {

class GameResources;

// Delivered bonus number i of BuildLevel's order: 0 TSnow, 1 TLifePlus, 2 TBanana,
// 3 TPear, 4 TClock.
inline constexpr int kDeliveredBonusCount = 5;
std::unique_ptr<TBonus> MakeDeliveredBonus(GameContext& game, int i);

// What one delivered bonus kind is made of.
struct DeliveredBonusLook {
  BonusKind kind;
  // Animated kinds: picture n is image slot firstSlot + n - 1, texture id
  // firstTag + n - 1. Still kinds (firstSlot 0) show the game's own texture.
  int firstSlot;
  int pictureCount;
  std::int32_t firstTag;
  engine::OwnedTexture GameResources::*gameTexture;
  engine::OwnedTexture GameResources::*burstTexture;
  const char* sound;
  long double spriteRise;  // the picture is drawn this far above (x, y)
  std::uint32_t stepMs;    // next picture every stepMs; 0: never changes
  int firstFrameChoices;   // first frame random(n) + 1; 0: frame 1
  void (*effect)(GameContext& game);
};

// The row of delivered bonus number i (order as for MakeDeliveredBonus).
const DeliveredBonusLook& DeliveredBonusLookAt(int i);

class TDeliveredBonus : public TBonus {
 public:
  TDeliveredBonus(GameContext& game, const DeliveredBonusLook& look) : TBonus(game), look_(look) {}
  ~TDeliveredBonus() override;

  void Reload() override;
  void Load() override;
  void Update() override;
  BonusKind kind() const override { return look_.kind; }
  void ApplyEffect() override;
  iHandle BurstTexture() const override;

  const DeliveredBonusLook& look() const { return look_; }

  // Picture n (1..pictureCount): its own, or the game's one picture of its kind.
  iHandle Picture(int n) const;
  std::uint8_t frame = 1;
  std::uint32_t lastStepTime = 0;

 private:
  // Pictures, sprite (current picture, draw layer 2) and sound.
  void CreateEngineObjects();
  bool OwnsPictures() const { return look_.firstSlot != 0; }
  std::array<engine::OwnedTexture, 6> ownPictures_;  // 1..pictureCount, when it owns them

  const DeliveredBonusLook& look_;
};

}  // namespace game
