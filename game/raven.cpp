// Stand-in until the raven is written: the interface TGame calls.
#include "game/raven.h"

#include "game/game_context.h"

namespace game {

TRaven::TRaven(GameContext& game) : game_(game) {}
TRaven::~TRaven() = default;
void TRaven::SetUp() {}
void TRaven::NewRun() {}
void TRaven::FlyStep() {}
void TRaven::Reload() {}
void TRaven::Show() const {}
void TRaven::Hide() const {}

}  // namespace game
