// The five special bonuses the raven delivers, one of each per level, out of
// play until delivered: TSnow (freezes the enemies), TLifePlus (an extra life),
// TBanana and TPear (points), TClock (stops the level timer).
#pragma once

#include <memory>

#include "game/bonus.h"

namespace game {

// Special bonus number i of BuildLevel's order: 0 TSnow, 1 TLifePlus, 2 TBanana,
// 3 TPear, 4 TClock.
inline constexpr int kSpecialBonusCount = 5;
std::unique_ptr<TBonus> MakeSpecialBonus(GameContext& game, int i);

}  // namespace game
