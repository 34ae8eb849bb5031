// A level made by hand for the enemy tests: platforms, a hero, diamonds and
// enemies in the game's lists, on the headless engine and the scripted
// platform, with the enemies' sounds and a one-pixel picture in every enemy
// image slot (so each texture is real and carries its id).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/persistent_files.h"
#include "engine/engine.h"
#include "engine/image.h"
#include "game/counters.h"
#include "game/diamond.h"
#include "game/enemy.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "platform/scripted/scripted_platform.h"
#include "tests/game/null_host.h"
#include "tests/screens/menu_screen_fixture.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"

namespace game {

class EnemyTest : public testing_support::EngineTest {
 protected:
  EnemyTest() {
    for (const char* name : {"sound/eating.wav", "sound/enemy_die.wav", "sound/diam_down.wav"}) {
      testing_support::WriteSilentWav(name, 22050);  // one second
    }
    engine::Image pixel{1, 1, {200, 100, 50, 255}};
    const std::vector<std::uint8_t> png = engine::EncodePng(pixel);
    for (std::size_t slot = 95; slot < resources_.images.size(); ++slot) {
      resources_.images[slot].Data = png;
      resources_.images[slot].Size = static_cast<std::int32_t>(png.size());
    }
    hero_ = std::make_unique<THero>(context_);
    context_.hero = hero_.get();
    // Far away, so that only the tests that mean to meet him do.
    hero_->x = -15;
    hero_->y = -30;
  }

  ~EnemyTest() override { objects_.Clear(); }

  // A platform centred on (x, y) with the game's size, 5.5 by 1.0.
  TPlatform& AddPlatform(long double x, long double y) {
    objects_.platforms.push_back(std::make_unique<TPlatform>(context_, 1));
    TPlatform& p = *objects_.platforms.back();
    p.x = x;
    p.y = y;
    return p;
  }

  // An enemy placed as the level builder places one: loaded, standing on its
  // platform at x, drawn.
  TEnemy& AddEnemy(EnemyKind kind, int platform, long double x) {
    objects_.enemies.push_back(MakeEnemy(context_, static_cast<int>(kind)));
    TEnemy& e = *objects_.enemies.back();
    e.Load();
    const TPlatform& p = *objects_.platforms[static_cast<std::size_t>(platform)];
    e.x = x;
    e.y = e.halfHeight + p.Top() + 0.1L;
    e.Draw();
    e.platformIndex = platform;
    return e;
  }

  // A diamond standing on its platform at x.
  TDiamond& AddDiamond(int platform, long double x) {
    objects_.bonuses.push_back(std::make_unique<TDiamond>(context_));
    auto& d = static_cast<TDiamond&>(*objects_.bonuses.back());
    d.halfWidth = 0.4L;
    d.halfHeight = 0.4L;
    d.x = x;
    d.y = objects_.platforms[static_cast<std::size_t>(platform)]->Top() + d.halfHeight + 0.1L;
    return d;
  }

  // The hero standing on the ground at (x, y).
  void PutHero(long double x, long double y) {
    hero_->x = x;
    hero_->y = y;
  }

  // One run phase of game time, then every enemy's Update.
  void Frame() {
    RunPhase();
    context_.step = LiveStepInput(platform_);
    for (auto& enemy : objects_.enemies) enemy->Update();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Frames until `done` holds, at most `limit`; false when it never did.
  template <typename Done>
  bool FramesUntil(Done done, int limit = 2000) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      Frame();
    }
    return done();
  }

  // The pack image the enemy's sprite shows (its texture's id less the kind's
  // base), -1 without a picture.
  int ShownImage(const TEnemy& e) {
    const auto sprite = world().sprites.find(e.sprite);
    if (sprite == world().sprites.end()) return -1;
    const auto texture = world().textures.find(sprite->second.texture);
    if (texture == world().textures.end()) return -1;
    return texture->second.tag - e.look().textureBase;
  }
  int Image(const TEnemy& e, EnemySet set, int frame) {
    return e.look().ImageIndex(set, e.direction, frame);
  }
  iVec2 SpriteScale(const TEnemy& e) { return world().sprites.at(e.sprite).scale; }

  testing_support::TempDir dir_;
  core::GameSettings settings_;
  platform::ScriptedPlatform platform_{backend().virtualClock()};
  Counters counters_;
  LevelObjects objects_;
  LevelState state_;
  GameResources resources_;
  NullHost host_;
  GameContext context_{settings_, platform_, counters_, objects_, state_, resources_, host_};
  std::unique_ptr<THero> hero_;
};

}  // namespace game
