// The game's loaded pictures, sounds and image slots, and the HUD sprites.
#pragma once

#include <array>

#include "engine/texture_pack.h"
#include "engine/types.h"

namespace game {

class GameResources {
 public:
  // Raw image files kept in memory, slots 1..272 (slot 0 unused): the
  // enemies, the raven, its parcel and the bonuses make their textures from them.
  std::array<ImageBlob, 273> images{};

  std::array<iHandle, 5> blockTextures{};  // 1..4
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

  std::array<iHandle, 3> lifeIcons{};
};

}  // namespace game
