// The enemies in the simulator's frame record.
#include "tools/sim/enemy_json.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/game/enemy_fixture.h"

namespace game {
namespace {

class EnemyJsonTest : public EnemyTest {
 protected:
  std::string Enemies() {
    sim::JsonWriter json;
    json.BeginObject();
    sim::AppendEnemies(json, objects_);
    json.EndObject();
    return json.str();
  }
};

TEST_F(EnemyJsonTest, EachEnemyWithItsKindPlaceAndPath) {
  AddPlatform(0, -4);
  AddPlatform(8, -1);
  TEnemy& walker = AddEnemy(EnemyKind::Cangoroo, 0, 2.6L);
  TEnemy& lying = AddEnemy(EnemyKind::Toothy, 0, -1);
  lying.y = -2.5L;
  lying.lying = true;
  lying.lyingTimer = 4.5L;
  lying.frame = 6;
  lying.direction = 0;
  PutHero(9, 1);
  walker.Update();  // at the edge: plans a jump onto platform 1
  walker.y = 0.5L;

  EXPECT_EQ(Enemies(),
            "{\"enemies\":[{\"kind\":\"cangoroo\",\"x\":2.6,\"y\":0.5,\"direction\":1,\"frame\":1,"
            "\"state\":\"crouching\",\"platformIndex\":1,\"pathLength\":" +
                std::to_string(walker.PathLength()) +
                ",\"lyingTimer\":0},{\"kind\":\"toothy\",\"x\":-1,\"y\":-2.5,\"direction\":0,"
                "\"frame\":6,\"state\":\"lying\",\"platformIndex\":0,\"pathLength\":0,"
                "\"lyingTimer\":4.5}]}");
  EXPECT_GT(walker.PathLength(), 0);
}

TEST_F(EnemyJsonTest, TheStateNamesTheBehaviourRunning) {
  struct Case {
    const char* state;
    void (*set)(TEnemy&);
  };
  const Case cases[] = {
      {"walking", [](TEnemy&) {}},
      {"crouching", [](TEnemy& e) { e.crouching = true; }},
      {"jumping", [](TEnemy& e) { e.jumping = true; }},
      {"landing", [](TEnemy& e) { e.landing = true; }},
      {"eating", [](TEnemy& e) { e.eating = true; }},
      {"falling", [](TEnemy& e) { e.knockedDown = e.goingDown = true; }},
      {"gettingUp", [](TEnemy& e) { e.knockedDown = true; }},
      {"lying", [](TEnemy& e) { e.lying = true; }},
  };
  AddPlatform(0, -4);
  for (const Case& c : cases) {
    objects_.enemies.clear();
    c.set(AddEnemy(EnemyKind::Mouse, 0, 0));
    EXPECT_NE(Enemies().find(std::string("\"state\":\"") + c.state + "\""), std::string::npos)
        << c.state;
  }
}

}  // namespace
}  // namespace game
