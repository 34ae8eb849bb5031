// The game's loaded textures, sounds and image slots, and the life icons. They
// are loaded once per run (the image slots) or once per engine run (every
// engine object), in the steps TGame calls in its loading order.
#pragma once

#include <array>
#include <cstdint>

#include "engine/owned.h"
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

  // A new texture made from image slot `slot` (1..272) with the engine tag
  // `tag`, for the caller to own.
  iHandle TextureFromSlot(int slot, std::int32_t tag) const;

  // Raw image files kept in memory, slots 1..272 (slot 0 unused).
  std::array<ImageBlob, kImageSlots + 1> images{};

  // Shared by the level objects that show them; they only refer to them.
  std::array<engine::OwnedTexture, 5> blockTextures;  // 1..4
  std::array<engine::OwnedTexture, 2> cloudTextures;
  engine::OwnedTexture lifePlusBurstTexture;
  engine::OwnedTexture bananaTexture;
  engine::OwnedTexture pearTexture;
  engine::OwnedTexture clockTexture;
  engine::OwnedTexture diamondBurstTexture;
  engine::OwnedTexture snowBurstTexture;
  engine::OwnedTexture balloonBurstTexture;

  engine::OwnedSound sndLevelComplete;
  engine::OwnedSound sndGameOver;
  engine::OwnedSound sndUfo;
  engine::OwnedSound sndOutOfTime;

  std::array<engine::OwnedPicture, 3> lifeIcons;  // icons 1, 2, 3 from the right
};

}  // namespace game
