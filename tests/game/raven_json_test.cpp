// The simulator's record of the balloons and the raven.
#include "tools/sim/raven_json.h"

#include <gtest/gtest.h>

#include "game/raven.h"
#include "tests/game/bonus_level_fixture.h"

namespace game {
namespace {

class RavenJsonTest : public BonusLevelTest {};

TEST_F(RavenJsonTest, WritesEveryBalloonAndTheRaven) {
  AddDeliveredBonuses();
  TBaloon& balloon = AddBalloon();
  balloon.x = 1.5L;
  balloon.y = -13;
  balloon.frame = 2;
  iSpriteShow(balloon.sprite);
  objects.ravens.push_back(std::make_unique<TRaven>(game));
  TRaven& raven = *objects.ravens.back();
  raven.SetUp();
  raven.x = -19.5L;
  raven.y = 8.25L;
  raven.direction = 1;
  raven.frame = 3;
  raven.idle = false;
  raven.delay = 2.5L;
  raven.bonusIndex = 4;
  raven.dropX = -3;
  raven.endX = 19.25L;
  raven.parcelX = -19.75L;
  raven.parcelY = 7.5L;
  raven.Hide();

  sim::JsonWriter json;
  json.BeginObject();
  sim::AppendBalloons(json, objects);
  sim::AppendRaven(json, objects);
  json.EndObject();

  EXPECT_EQ(json.str(),
            R"({"balloons":[{"x":1.5,"y":-13,"taken":false,"frame":2,"shown":true}],)"
            R"("raven":{"x":-19.5,"y":8.25,"direction":1,"frame":3,"idle":false,"delay":2.5,)"
            R"("dropped":false,"done":false,"bonusIndex":4,"dropX":-3,"endX":19.25,)"
            R"("parcelX":-19.75,"parcelY":7.5,"parcelShown":false}})");
}

TEST_F(RavenJsonTest, NoLevelMeansNoBalloonsAndANullRaven) {
  sim::JsonWriter json;
  json.BeginObject();
  sim::AppendBalloons(json, objects);
  sim::AppendRaven(json, objects);
  json.EndObject();
  EXPECT_EQ(json.str(), R"({"balloons":[],"raven":null})");
}

}  // namespace
}  // namespace game
