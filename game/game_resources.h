// The game's loaded textures, sounds and image slots, and the life icons. They
// are loaded once per run (the image slots) or once per engine run (every
// engine object), in the steps TGame calls in its loading order.
#pragma once

#include <array>
#include <cstdint>

#include "engine/texture_pack.h"
#include "engine/types.h"

namespace game {

class GameResources {
 public:
  static constexpr int kImageSlots = 272;

  // Cloud textures and the game's four sounds.
  void LoadCloudTexturesAndSounds();
  // Block textures 1..4 (Blocks images 0..3) and the clock, banana and pear
  // pictures.
  void LoadBlockAndFruitTextures();
  // Reads every pack image the enemies, the raven, its parcel and the bonuses
  // make textures from into its slot. Blobs are program memory: once per run.
  void FillImageSlots();
  // The burst pictures of the snow, diamond, extra-life and balloon bonuses,
  // made from their first image slot.
  void MakeBurstTextures();
  void MakeLifeIcons(iHandle camera);
  // All three life icons hidden, then one shown per life left (at most three).
  void ShowLifeIcons(std::int32_t lives) const;

  // A texture made from image slot `slot` (1..272) with the engine tag `tag`.
  iHandle TextureFromSlot(int slot, std::int32_t tag) const;

  // Raw image files kept in memory, slots 1..272 (slot 0 unused).
  std::array<ImageBlob, kImageSlots + 1> images{};

  std::array<iHandle, 5> blockTextures{};  // 1..4
  std::array<iHandle, 2> cloudTextures{};
  iHandle lifePlusBurstTexture = 0;
  iHandle bananaTexture = 0;
  iHandle pearTexture = 0;
  iHandle clockTexture = 0;
  iHandle diamondBurstTexture = 0;
  iHandle snowBurstTexture = 0;
  iHandle balloonBurstTexture = 0;

  iHandle sndLevelComplete = 0;
  iHandle sndGameOver = 0;
  iHandle sndUfo = 0;
  iHandle sndOutOfTime = 0;

  std::array<iHandle, 3> lifeIcons{};  // icons 1, 2, 3 from the right
};

}  // namespace game
