#include "core/window_params.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowParams, WindowIsCentredAt800By600WhateverTheDesktop) {
  struct Case {
    int width, height;
    int left, top, right, bottom;
  };
  const Case cases[] = {
      {1024, 768, 112, 84, 912, 684},
      {1023, 767, 111, 83, 911, 683},  // odd sizes: still 800 x 600
      {640, 480, -80, -60, 720, 540},  // smaller desktop: negative edges, no clamping
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    core::TWindowParams params;
    core::FillWindowParams(params, c.width, c.height, core::GameSettings{});
    EXPECT_EQ(params.Left, c.left);
    EXPECT_EQ(params.Top, c.top);
    EXPECT_EQ(params.Right, c.right);
    EXPECT_EQ(params.Bottom, c.bottom);
  }
}

TEST(WindowParams, FullScreenUnlessWindowedIsExactlyOneAndBossKeyFromTheSettings) {
  for (const std::uint8_t windowed : {0, 1, 2, 7}) {
    core::GameSettings settings;
    settings.Windowed = windowed;
    settings.BossKey = 59;
    core::TWindowParams params;
    core::FillWindowParams(params, 1024, 768, settings);
    EXPECT_EQ(params.FullScreen, windowed == 1 ? 0 : -1) << int{windowed};
    EXPECT_EQ(params.BossKey, 59);
    EXPECT_EQ(params.SettingsWord3, 15360000u);
    EXPECT_EQ(params.SettingsWord6, -1);
    EXPECT_EQ(params.FrequencyMode, 0);
  }
}

}  // namespace
