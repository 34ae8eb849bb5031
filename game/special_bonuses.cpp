// Stand-in until the special bonuses are written: a bonus that does nothing.
#include "game/special_bonuses.h"

#include "game/game_context.h"

namespace game {
namespace {

class StandInBonus : public TBonus {
 public:
  StandInBonus(GameContext& game, BonusKind kind) : TBonus(game), kind_(kind) {}
  void Reload() override {}
  void Load() override {}
  void Update() override {}
  BonusKind kind() const override { return kind_; }
  void ApplyEffect() override {}
  iHandle BurstTexture() const override { return 0; }

 private:
  BonusKind kind_;
};

}  // namespace

std::unique_ptr<TBonus> MakeSpecialBonus(GameContext& game, int i) {
  constexpr BonusKind kKinds[kSpecialBonusCount] = {
      BonusKind::Snow, BonusKind::LifePlus, BonusKind::Banana, BonusKind::Pear, BonusKind::Clock};
  return std::make_unique<StandInBonus>(game, kKinds[i]);
}

}  // namespace game
