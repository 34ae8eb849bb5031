// Stand-in until the enemies are written: the interface TGame calls.
#include "game/enemy.h"

#include "game/game_context.h"

namespace game {

TEnemy::TEnemy(GameContext& game, EnemyKind kind) : game_(game), kind_(kind) {}
TEnemy::~TEnemy() = default;
void TEnemy::Reload() {}
void TEnemy::Load() {}
void TEnemy::Update() {}
void TEnemy::Draw() {}
void TEnemy::KnockDown() {}
void TEnemy::Show() const {}
void TEnemy::Hide() const {}

std::unique_ptr<TEnemy> MakeEnemy(GameContext& game, int kind) {
  return std::make_unique<TEnemy>(game, static_cast<EnemyKind>(kind));
}

}  // namespace game
