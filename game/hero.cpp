// Stand-in until the hero is written: the interface TGame calls, doing nothing.
#include "game/hero.h"

#include "game/game_context.h"

namespace game {

THero::THero(GameContext& game) : game_(game) {}
THero::~THero() = default;
void THero::LoadHero() {}
void THero::ReloadHero() {}
void THero::UpdateHero() {}
void THero::CatchHero(std::int32_t) {}
void THero::PlaceHero() const {}
void THero::WalkFacing(std::uint8_t) {}
void THero::SetAirPose(std::uint8_t) {}
void THero::StandStill() {}
bool THero::IsBlocked(long double, long double) const {
  return false;
}
void THero::ResetForLevel() {}
void THero::AdvanceRunPicture(std::uint32_t, int) {}
void THero::Show() const {}
void THero::Hide() const {}
void THero::SetLayer(int) const {}
void THero::SetColor(float, float, float, float) const {}

THeroMissile::~THeroMissile() = default;
void THeroMissile::CreateParticles() {}
void THeroMissile::AdvanceMissile(GameContext&) {}

}  // namespace game
