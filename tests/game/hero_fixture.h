// A hero on a small hand-made level: platforms, bonuses, balloons and enemies
// are put into the lists directly, and each Frame() is one run phase (input
// read, clock on by 1/75 s) followed by the hero's update.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/persistent_files.h"
#include "game/bonus_emitter.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "platform/scripted/scripted_platform.h"
#include "tests/support/engine_fixture.h"

namespace game::testing {

class RecordingHost : public GameHost {
 public:
  void ShowAndRenderLoadingPicture() override {}
  void HideLoadingPicture() override {}
  void ShowGameOverPicture() override { ++gameOverPictures; }
  void HideGameOverPicture() override {}
  bool OpenRecordEntry(std::int32_t) override { return false; }
  void ReturnToMainMenu() override {}
  void ShowPointer() override {}
  void RecreateDialogPictures() override {}

  int gameOverPictures = 0;
};

class HeroTest : public testing_support::EngineTest {
 protected:
  HeroTest() {
    counters.SetLives(3);
    for (engine::OwnedPicture& icon : resources.lifeIcons)
      icon.sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
    context.hero = &hero;
    hero.LoadHero();
    hero.Show();
  }

  TPlatform& AddPlatform(long double x, long double y) {
    auto platform = std::make_unique<TPlatform>(context, 4);
    platform->x = x;
    platform->y = y;
    platform->Refresh();
    objects.platforms.push_back(std::move(platform));
    return *objects.platforms.back();
  }

  // Standing still on `platform` at `atX`, as the level puts him there.
  void StandOn(const TPlatform& platform, long double atX) {
    hero.x = atX;
    hero.y = platform.Top() + hero.halfHeight + 0.1L;
    hero.PlaceHero();
  }

  // An emitter for every bonus and balloon, as the level gives them.
  void AddEmitters() {
    while (objects.emitters.size() < objects.bonuses.size() + objects.balloons.size()) {
      objects.emitters.push_back(std::make_unique<TBonusEmitter>());
    }
  }

  void Frame() {
    RunPhase();
    context.step = LiveStepInput(platform);
    hero.UpdateHero();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
  }
  // Frames until `done` holds, at most `limit`; the number run.
  template <typename Done>
  int FramesUntil(Done done, int limit = 1000) {
    int count = 0;
    while (!done() && count < limit) {
      Frame();
      ++count;
    }
    return count;
  }

  void Hold(int key) { backend().KeyDown(key); }
  void Release(int key) { backend().KeyUp(key); }
  void Tap(int key) { backend().KeyTap(key); }

  bool IconShown(int icon) { return world().sprites[resources.lifeIcons[icon].sprite].shown; }
  float HeroAlpha() { return world().sprites[hero.sprite].color.a; }
  bool HeroShown() { return world().sprites[hero.sprite].shown; }

  core::GameSettings settings;
  platform::ScriptedPlatform platform{backend().virtualClock()};
  Counters counters;
  LevelObjects objects;
  LevelState state;
  GameResources resources;
  RecordingHost host;
  GameContext context{settings, platform, counters, objects, state, resources, host};
  THero hero{context};
};

}  // namespace game::testing
