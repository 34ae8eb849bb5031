#include "game/build_level.h"

#include <cstdint>
#include <memory>

#include "engine/engine.h"
#include "game/balloon.h"
#include "game/bonus_emitter.h"
#include "game/delivered_bonuses.h"
#include "game/diamond.h"
#include "game/enemy.h"
#include "game/game_context.h"
#include "game/game_resources.h"
#include "game/hero.h"
#include "game/level_platform.h"
#include "game/raven.h"
#include "platform/random.h"

namespace game {
namespace {

using platform::random;

constexpr std::size_t kFirstGenerated = 4;

struct FixedPlatform {
  long double x, y;
};
constexpr FixedPlatform kStairs[] = {
    {-10.0L, -10.3L}, {-16.0L, -6.3L}, {-11.0L, -2.0L}, {-15.0L, 2.3L}};

// A burst parked off screen until a bonus is taken or a balloon pops; its index
// among the emitters.
int AddParkedBurst(GameContext& game, iHandle texture) {
  auto emitter = std::make_unique<TBonusEmitter>();
  emitter->CreateBurstSprites(game.camera, texture);
  emitter->StartBurst(100, 100);
  emitter->HideBurst();
  game.objects.emitters.push_back(std::move(emitter));
  return static_cast<int>(game.objects.emitters.size() - 1);
}

// x somewhere on a platform: its centre moved by up to 0.29 of its half-width
// to a side drawn first.
long double SpotOn(const TPlatform& platform) {
  const long double side = random(2) == 0 ? 1 : -1;
  return platform.x + side * (random(30) / 100.0L) * platform.halfWidth;
}

void PlaceHeroOn(GameContext& game, const TPlatform& platform) {
  if (!game.hero) return;
  THero& hero = *game.hero;
  hero.x = -10;
  hero.y = platform.y + 0.5L + hero.halfHeight + 0.1L;
  hero.PlaceHero();
}

void AddDiamonds(GameContext& game) {
  auto& platforms = game.objects.platforms;
  for (std::size_t p = kFirstGenerated; p < platforms.size(); ++p) {
    const int tries = random(3) + 1;
    for (int t = 0; t < tries; ++t) {
      if (random(9) >= 3) continue;
      auto owned = std::make_unique<TDiamond>(game);
      TDiamond& diamond = *owned;
      game.objects.bonuses.push_back(std::move(owned));
      diamond.Load();
      diamond.x = SpotOn(*platforms[p]);
      diamond.y = diamond.halfHeight + platforms[p]->Top() + 0.1L;
      diamond.Update();
      diamond.burstIndex = AddParkedBurst(game, diamond.BurstTexture());
    }
  }
}

// One of each bonus the raven delivers, out of play until it brings it.
void AddDeliveredBonuses(GameContext& game) {
  for (int i = 0; i < kDeliveredBonusCount; ++i) {
    std::unique_ptr<TBonus> owned = MakeDeliveredBonus(game, i);
    TBonus& bonus = *owned;
    game.objects.bonuses.push_back(std::move(owned));
    bonus.Load();
    bonus.x = 0;
    bonus.y = 0;
    bonus.Update();
    bonus.taken = true;
    bonus.burstIndex = AddParkedBurst(game, bonus.BurstTexture());
  }
}

void AddEnemies(GameContext& game) {
  auto& platforms = game.objects.platforms;
  for (std::size_t p = kFirstGenerated; p < platforms.size(); ++p) {
    if (random(2) != 0) continue;
    std::unique_ptr<TEnemy> owned = MakeEnemy(game, random(4));
    TEnemy& enemy = *owned;
    game.objects.enemies.push_back(std::move(owned));
    enemy.Load();
    enemy.x = SpotOn(*platforms[p]);
    enemy.y = enemy.halfHeight + platforms[p]->Top() + 0.1L;
    enemy.Draw();
    enemy.platformIndex = static_cast<std::int32_t>(p);
  }
}

void AddRaven(GameContext& game) {
  game.objects.ravens.push_back(std::make_unique<TRaven>(game));
  game.objects.ravens.back()->SetUp();
}

void AddBalloons(GameContext& game, int count) {
  for (int j = 0; j < count; ++j) {
    game.objects.balloons.push_back(std::make_unique<TBaloon>(game));
    game.objects.balloons.back()->Load();
    game.objects.balloons.back()->burstIndex =
        AddParkedBurst(game, game.resources.balloonBurstTexture);
  }
}

}  // namespace

void BuildPlatforms(GameContext& game) {
  auto& platforms = game.objects.platforms;
  for (const FixedPlatform& stair : kStairs) {
    platforms.push_back(std::make_unique<TPlatform>(game, 4));
    TPlatform& platform = *platforms.back();
    platform.x = stair.x;
    platform.y = stair.y;
    platform.Refresh();
    if (platforms.size() == 1) PlaceHeroOn(game, platform);
  }

  long double columnX = 0;
  int parity = 1;
  while (columnX < 20) {
    long double y = parity * 4 - 18;
    int side = 1;
    while (y < 10) {
      y += random(100) / 300.0L + 5;
      if (y <= 9) {
        platforms.push_back(std::make_unique<TPlatform>(game, random(4) + 1));
        TPlatform& platform = *platforms.back();
        platform.x = columnX + (1 - 2 * side) * 1.5L;
        platform.y = y;
        platform.Refresh();
        side = 1 - side;
      }
    }
    columnX += 12;
    parity = 1 - parity;
  }
}

void BuildLevel(GameContext& game, std::vector<TCloud>& clouds, int level) {
  MakeClouds(clouds, game.resources, game.camera);
  BuildPlatforms(game);
  AddDiamonds(game);
  AddDeliveredBonuses(game);
  AddEnemies(game);
  AddRaven(game);
  if (IsBonusLevel(level)) AddBalloons(game, level);
}

}  // namespace game
