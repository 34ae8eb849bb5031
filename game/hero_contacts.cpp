// THero's contacts: bonuses taken on the ground, balloons popped at any time,
// being caught by an enemy, and the dying animation that costs a life.
#include "game/balloon.h"
#include "game/bonus.h"
#include "game/game_context.h"
#include "game/hero.h"
#include "game/lives.h"
#include "game/slot_pictures.h"

namespace game {
namespace {

constexpr std::uint32_t kDieStepMs = 100;
constexpr std::int32_t kDieFrames = 6;

}  // namespace

void THero::TakeBonus() {
  const RectBox box = Box();
  auto& bonuses = game_.objects.bonuses;
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    TBonus& bonus = *bonuses[i];
    if (bonus.taken || !RectsOverlap(box, bonus.Box())) continue;
    bonus.Take(static_cast<int>(i));
    if (bonus.kind() == BonusKind::Diamond) StartJoy();
    return;
  }
}

void THero::PopBalloon() {
  const RectBox box = Box();
  const auto& balloons = game_.objects.balloons;
  const std::size_t bonusCount = game_.objects.bonuses.size();
  for (std::size_t j = 0; j < balloons.size(); ++j) {
    TBaloon& balloon = *balloons[j];
    if (balloon.taken || !RectsOverlap(box, balloon.Box())) continue;
    balloon.Pop(static_cast<int>(bonusCount + j));
    return;
  }
}

void THero::CatchHero(std::int32_t amount) {
  if (game_.state.heroTintTimer >= 0 || amount <= 0 || dying) return;
  ShowPicture(diePictures[direction][1]);
  frame = 1;
  dying = true;
  // Drawn see-through and safe from enemies until the game's tint timer runs out.
  SetColor(1, 1, 1, 0.7f);
  game_.state.heroTintTimer = 2.0L;
}

void THero::StepDying() {
  if (frame >= kDieFrames) {
    frame = 1;
    direction = 1;
    ShowPicture(runPictures[1][1]);
    dying = false;
    LoseLife(game_, LifeLoss::DyingEnded);
    falling = rising = takeOff = landing = joy = false;
    jumpStep = 0;
    return;
  }
  if (!PictureStepDue(Now(), lastPictureTick, kDieStepMs)) return;
  ++frame;
  ShowPicture(diePictures[direction][static_cast<std::size_t>(frame)]);
}

}  // namespace game
