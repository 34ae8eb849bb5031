#include "game/game_resources.h"

#include "engine/engine.h"

namespace game {
namespace {

// Image slots: the n-th slot of a range holds image n - 1 of its pack. Listed in
// the order they are filled; slots 37..94 stay empty.
struct SlotRange {
  int first;
  int count;
  const char* pack;
};
constexpr SlotRange kSlotRanges[] = {
    {1, 12, "data\\Raven.dat"},     {13, 7, "data\\Banka.dat"},   {26, 2, "data\\LifePlus.dat"},
    {20, 6, "data\\Baloon.dat"},    {28, 4, "data\\Diamond.dat"}, {32, 5, "data\\Snow.dat"},
    {95, 44, "data\\Cangoroo.dat"}, {139, 48, "data\\Mouse.dat"}, {187, 46, "data\\Blue.dat"},
    {233, 40, "data\\Toothy.dat"},
};

constexpr iVec2 kLifeIconPlaces[3] = {{12, 10.8f}, {10.5f, 10.8f}, {9, 10.8f}};

}  // namespace

void GameResources::LoadCloudTexturesAndSounds() {
  cloudTextures[0] = engine::OwnedTexture(iTextureCreate("data\\cloud1.png"));
  cloudTextures[1] = engine::OwnedTexture(iTextureCreate("data\\cloud2.png"));
  sndLevelComplete = engine::OwnedSound(iSoundCreate("sound\\level_complete.wav", 0));
  sndGameOver = engine::OwnedSound(iSoundCreate("sound\\game_over.wav", 0));
  sndUfo = engine::OwnedSound(iSoundCreate("sound\\UFO.wav", 0));
  sndOutOfTime = engine::OwnedSound(iSoundCreate("sound\\out_time.wav", 0));
}

void GameResources::LoadBlockAndFruitTextures() {
  for (int i = 1; i <= 4; ++i) {
    blockTextures[static_cast<std::size_t>(i)] = engine::OwnedTexture(
        LoadPackTexture("data\\Blocks.dat", static_cast<std::uint16_t>(i - 1), 1001099 + i));
  }
  clockTexture = engine::OwnedTexture(iTextureCreate("data\\clock.png"));
  bananaTexture = engine::OwnedTexture(iTextureCreate("data\\Banana.png"));
  pearTexture = engine::OwnedTexture(iTextureCreate("data\\Pear.png"));
}

void GameResources::FillImageSlots() {
  for (const SlotRange& range : kSlotRanges) {
    for (int n = 0; n < range.count; ++n) {
      LoadPackBlob(images[static_cast<std::size_t>(range.first + n)], n, range.pack);
    }
  }
}

iHandle GameResources::TextureFromSlot(int slot, std::int32_t tag) const {
  const ImageBlob& blob = images[static_cast<std::size_t>(slot)];
  if (blob.Data.empty()) return 0;
  return iTextureCreateFromMemory(blob.Data.data(), blob.Size, tag);
}

void GameResources::MakeBurstTextures() {
  snowBurstTexture = engine::OwnedTexture(TextureFromSlot(32, 1001246));
  diamondBurstTexture = engine::OwnedTexture(TextureFromSlot(28, 1001256));
  lifePlusBurstTexture = engine::OwnedTexture(TextureFromSlot(26, 1001276));
  balloonBurstTexture = engine::OwnedTexture(TextureFromSlot(20, 1001268));
}

void GameResources::MakeLifeIcons(iHandle camera) {
  for (std::size_t i = 0; i < lifeIcons.size(); ++i) {
    lifeIcons[i] = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", camera), [] {
      return LoadPackTexture("data\\Interface.dat", 1, 1000009);
    });
    iSpriteScaleSet(lifeIcons[i].sprite, {1.25f, 1.25f});
    iSpriteLocationSet(lifeIcons[i].sprite, kLifeIconPlaces[i]);
  }
}

void GameResources::ShowLifeIcons(std::int32_t lives) const {
  for (const engine::OwnedPicture& icon : lifeIcons) iSpriteHide(icon.sprite);
  if (lives >= 3) iSpriteShow(lifeIcons[2].sprite);
  if (lives >= 2) iSpriteShow(lifeIcons[1].sprite);
  if (lives >= 1) iSpriteShow(lifeIcons[0].sprite);
}

}  // namespace game
