// One update runs the states one after another: a state left in this update
// lets the next one start at once, except where walking ends the update (a jump
// planned at the edge, the hero caught, no diamond underfoot).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyUpdateOrderTest : public EnemyTest {
 protected:
  // Platform 0 at (0, -4), an enemy on it standing at y -2.8, turning at
  // x +-2.55; platform 1 at (8, -1) lies within reach up to the right.
  EnemyUpdateOrderTest() {
    AddPlatform(0, -4);
    AddPlatform(8, -1);
  }

  // Its last picture or path step long enough ago for the next one.
  void StepDue(TEnemy& e) { e.lastStepTime = context_.Ticks() - 200; }

  int Chomps() {
    const std::vector<std::string> sounds = backend().TakeStartedSounds();
    return static_cast<int>(std::count_if(sounds.begin(), sounds.end(), [](const std::string& s) {
      return s.find("eating") != std::string::npos;
    }));
  }
};

const char* StateOf(const TEnemy& e) {
  if (e.lying) return "lying";
  if (e.crouching) return "crouching";
  if (e.jumping) return "jumping";
  if (e.landing) return "landing";
  if (e.eating) return "eating";
  if (e.knockedDown) return e.goingDown ? "falling" : "getting up";
  return "walking";
}

struct OrderCase {
  const char* name;
  // Puts the Cangoroo (crouch end 3) where the case starts.
  std::function<void(TEnemy&)> setUp;
  const char* state;  // after one update
  int frame;
  bool tookFirstPathPoint;
};

TEST_F(EnemyUpdateOrderTest, AStateLeftLetsTheNextStartInTheSameUpdateUnlessWalkingEndsIt) {
  const OrderCase cases[] = {
      {"a diamond underfoot: the hop crouches in the same update",
       [&](TEnemy& e) { AddDiamond(0, e.x + 1.2L); }, "crouching", 2, false},
      {"a jump planned at the edge ends the update on the first crouch picture",
       [&](TEnemy& e) {
         e.x = 2.6L;
         PutHero(9, 1);
       },
       "crouching", 1, false},
      {"the crouch ends: the first point of the path in the same update",
       [&](TEnemy& e) {
         e.PlanHop();
         e.crouching = true;
         e.frame = 3;
         StepDue(e);
       },
       "jumping", 3, true},
      {"the end mark: landing starts, its pictures from the next update",
       [&](TEnemy& e) {
         e.PlanHop();
         e.jumping = true;
         e.frame = 3;
         while (e.pathIndex() < e.PathLength()) {
           StepDue(e);
           e.Update();
         }
         StepDue(e);
       },
       "landing", 3, false},
      {"the hero caught ends the update: the meal starts next time",
       [&](TEnemy& e) { PutHero(e.x + 1.5L, -1.9L); }, "eating", 1, false},
      {"the meal over: it walks from the next update",
       [&](TEnemy& e) {
         e.eating = true;
         e.frame = e.look().eatShown;
         StepDue(e);
       },
       "walking", 1, false},
      {"up again: it walks from the next update",
       [&](TEnemy& e) {
         e.knockedDown = true;
         e.goingDown = false;
         e.frame = 2;
         StepDue(e);
       },
       "walking", 1, false},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.name);
    objects_.enemies.clear();
    objects_.bonuses.clear();
    PutHero(-15, -30);
    hero_->dying = false;
    TEnemy& e = AddEnemy(EnemyKind::Cangoroo, 0, 0);
    c.setUp(e);
    Chomps();
    const long double x = e.x;
    const bool walkingBefore = std::string(StateOf(e)) == "walking";
    const TEnemy::PathPoint first = e.path()[0];

    Frame();
    EXPECT_STREQ(StateOf(e), c.state);
    EXPECT_EQ(e.frame, c.frame);
    if (c.tookFirstPathPoint) {
      EXPECT_EQ(e.pathIndex(), 1);
      EXPECT_EQ(e.x, first.x);
      EXPECT_EQ(e.y, first.y);
    }
    // A state that ends into walking takes no walking step as well.
    if (!walkingBefore && std::string(c.state) == "walking") {
      EXPECT_EQ(e.x, x);
    }
    // The chomp comes with the meal's updates, not with the catch.
    if (walkingBefore) {
      EXPECT_EQ(Chomps(), 0);
    }
  }
}

}  // namespace
}  // namespace game
