// A level without the game around it: a headless engine, a GameContext over
// objects and state the test fills directly, image slots holding tiny pictures
// (each texture is told apart by its texture id), the game's own textures, the
// bonus sounds, and a millisecond tick the test sets.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/persistent_files.h"
#include "engine/engine.h"
#include "engine/image.h"
#include "game/balloon.h"
#include "game/bonus_emitter.h"
#include "game/delivered_bonuses.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/level_platform.h"
#include "platform/clock.h"
#include "platform/scripted/scripted_platform.h"
#include "tests/game/null_host.h"
#include "tests/screens/menu_screen_fixture.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"

namespace game {

// A clock the test moves by whole milliseconds. The level reads its ticks
// once per step, so the reading it runs on (`ticks`) moves with the clock.
class MillisecondClock final : public platform::Clock {
 public:
  std::int64_t NowNs() const override { return ms_ * 1'000'000; }
  void Set(std::uint32_t ms) {
    ms_ = ms;
    if (ticks_ != nullptr) *ticks_ = ms;
  }
  void MoveWith(std::uint32_t& ticks) { ticks_ = &ticks; }
  void Advance(std::uint32_t ms) { Set(static_cast<std::uint32_t>(ms_) + ms); }

 private:
  std::int64_t ms_ = 0;
  std::uint32_t* ticks_ = nullptr;
};

// Texture ids of the game's own bonus textures in the fixture.
inline constexpr std::int32_t kBananaTag = 71;
inline constexpr std::int32_t kPearTag = 72;
inline constexpr std::int32_t kClockTag = 73;
inline constexpr std::int32_t kSnowBurstTag = 74;
inline constexpr std::int32_t kLifePlusBurstTag = 75;
inline constexpr std::int32_t kBalloonBurstTag = 76;

class BonusLevelTest : public testing_support::EngineTest {
 protected:
  BonusLevelTest() {
    clock.MoveWith(game.step.ticks);
    for (const char* sound : {"allstop.wav", "drinking.wav", "money.wav", "baloon.wav"}) {
      testing_support::WriteSilentWav(std::filesystem::path("sound") / sound, 1100);
    }
    const std::vector<std::uint8_t> png = TinyPng();
    for (int slot = 1; slot <= 36; ++slot) {
      resources.images[slot].Data = png;
      resources.images[slot].Size = static_cast<std::int32_t>(png.size());
    }
    const auto texture = [&png](std::int32_t tag) {
      return engine::OwnedTexture(
          iTextureCreateFromMemory(png.data(), static_cast<std::int32_t>(png.size()), tag));
    };
    resources.bananaTexture = texture(kBananaTag);
    resources.pearTexture = texture(kPearTag);
    resources.clockTexture = texture(kClockTag);
    resources.snowBurstTexture = texture(kSnowBurstTag);
    resources.lifePlusBurstTexture = texture(kLifePlusBurstTag);
    resources.balloonBurstTexture = texture(kBalloonBurstTag);
    for (engine::OwnedPicture& icon : resources.lifeIcons)
      icon.sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
    counters.SetLives(3);
  }

  static std::vector<std::uint8_t> TinyPng() {
    engine::Image image;
    image.width = 1;
    image.height = 1;
    image.rgba = {255, 255, 255, 255};
    return engine::EncodePng(image);
  }

  // A platform box centred on (x, y).
  TPlatform& AddPlatform(long double x, long double y, long double halfWidth = 2.75L,
                         long double halfHeight = 0.5L) {
    auto platform = std::make_unique<TPlatform>(game, 1);
    platform->x = x;
    platform->y = y;
    platform->halfWidth = halfWidth;
    platform->halfHeight = halfHeight;
    objects.platforms.push_back(std::move(platform));
    return *objects.platforms.back();
  }

  // The five special bonuses as the level builder makes them: loaded, at
  // (0, 0), updated once, out of play, each with its parked burst.
  void AddDeliveredBonuses() {
    for (int i = 0; i < kDeliveredBonusCount; ++i) {
      objects.bonuses.push_back(MakeDeliveredBonus(game, i));
      TBonus& bonus = *objects.bonuses.back();
      bonus.Load();
      bonus.Update();
      bonus.taken = true;
      bonus.burstIndex = AddEmitter(bonus.BurstTexture());
    }
  }

  TBaloon& AddBalloon() {
    objects.balloons.push_back(std::make_unique<TBaloon>(game));
    objects.balloons.back()->Load();
    objects.balloons.back()->burstIndex = AddEmitter(resources.balloonBurstTexture);
    return *objects.balloons.back();
  }

  // A parked burst; its index among the emitters.
  int AddEmitter(iHandle texture) {
    objects.emitters.push_back(std::make_unique<TBonusEmitter>());
    TBonusEmitter& emitter = *objects.emitters.back();
    emitter.CreateBurstSprites(game.camera, texture);
    emitter.StartBurst(100, 100);
    emitter.HideBurst();
    return static_cast<int>(objects.emitters.size() - 1);
  }

  // What the engine holds for a sprite.
  const engine::Sprite& SpriteOf(iHandle sprite) { return world().sprites.at(sprite); }
  bool Shown(iHandle sprite) { return SpriteOf(sprite).shown; }
  // The texture id of the picture a sprite shows (0 for none).
  std::int32_t PictureTag(iHandle sprite) {
    const auto it = world().textures.find(SpriteOf(sprite).texture);
    return it == world().textures.end() ? 0 : it->second.tag;
  }
  std::string SoundFile(iHandle sound) {
    return std::filesystem::path(world().sounds.at(sound).path).filename().string();
  }

  testing_support::TempDir dir_;
  MillisecondClock clock;
  platform::ScriptedPlatform platform{clock};
  core::GameSettings settings;
  Counters counters;
  LevelState state;
  GameResources resources;
  NullHost host;
  LevelObjects objects;  // last: its objects go first, while the engine is there
  GameContext game{settings, platform, counters, objects, state, resources, host};
};

}  // namespace game
