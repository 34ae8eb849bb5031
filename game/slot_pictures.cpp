#include "game/slot_pictures.h"

#include "engine/engine.h"
#include "game/game_resources.h"

namespace game {

iHandle TextureFromSlot(const GameResources& resources, int slot, std::int32_t tag) {
  const ImageBlob& blob = resources.images[static_cast<std::size_t>(slot)];
  return iTextureCreateFromMemory(blob.Data.data(), blob.Size, tag);
}

}  // namespace game
