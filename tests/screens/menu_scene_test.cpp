// The sun over the menu scene: it pulses and turns a twentieth of a degree a
// frame, and both counters wrap around.
#include "screens/menu_scene.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/screens/menu_screen_fixture.h"

namespace {

class MenuSceneTest : public testing_support::MenuScreenTest {};

TEST_F(MenuSceneTest, SunPulsesAndTurnsSlowly) {
  const screens::MenuScene& scene = scene_.menuScene();
  for (int i = 0; i < 9; ++i) Frame();  // ten frames with the fixture's own
  EXPECT_NEAR(static_cast<double>(scene.sunPhase()), 1.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(scene.sunAngle()), 0.5, 1e-9);
  const engine::Sprite& sun = world().sprites.at(scene.sunSprite());
  EXPECT_FLOAT_EQ(sun.scale.x, static_cast<float>(std::sin(1.0 / 4) * 0.3 + 6.4));
  EXPECT_FLOAT_EQ(sun.scale.y, sun.scale.x);
  EXPECT_FLOAT_EQ(sun.orientation, static_cast<float>(0.5 * M_PI / 180));  // degrees on screen

  // The phase returns to 0 in the frame that takes it past 8 pi, the 252nd.
  for (int i = 10; i < 251; ++i) Frame();
  EXPECT_NEAR(static_cast<double>(scene.sunPhase()), 25.1, 1e-9);
  Frame();
  EXPECT_EQ(scene.sunPhase(), 0);
}

}  // namespace
