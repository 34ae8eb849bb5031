#include "tests/display/display_fixture.h"
#include "tests/display/x_client.h"

namespace {

using testing_support::DisplayTest;
using testing_support::SendKeys;

constexpr int kF10 = 121, kF12 = 123, kB = 66;

TEST_F(DisplayTest, HotKeyFiresWithItsModifiersWhateverTheLockKeys) {
  struct Case {
    unsigned modifiers;
    int virtualKey;
    const char* press;
    const char* other;  // the same key with other modifiers: no hot key
  };
  const Case cases[] = {
      {0, kF12, "F12", "shift+F12"},
      // (Ctrl+Alt with a function key switches consoles on X: the server keeps it.)
      {platform::MOD_CONTROL | platform::MOD_ALT, kB, "ctrl+alt+b", "ctrl+b"},
  };
  const platform::WindowId window = NewWindow();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press);
    ASSERT_TRUE(platform_->RegisterHotKey(window, 200, c.modifiers, c.virtualKey));
    for (const char* locks : {"", "Num_Lock", "Caps_Lock"}) {
      SCOPED_TRACE(locks);
      if (*locks) SendKeys(locks);
      SendKeys(c.press);
      const auto hotKey = WaitFor(platform::WM_HOTKEY);
      ASSERT_TRUE(hotKey);
      EXPECT_EQ(hotKey->window, window);
      EXPECT_EQ(hotKey->wParam, 200u);
      if (*locks) SendKeys(locks);  // lock off again
    }
    SendKeys(c.other);
    EXPECT_FALSE(WaitFor(platform::WM_HOTKEY));
    platform_->UnregisterHotKey(window, 200);
    SendKeys(c.press);
    EXPECT_FALSE(WaitFor(platform::WM_HOTKEY)) << "still grabbed after unregistering";
  }
}

TEST_F(DisplayTest, CombinationHeldByAnotherClientIsRefused) {
  testing_support::OtherXClient other;
  ASSERT_TRUE(other.connected());
  other.GrabShiftF10();

  const platform::WindowId window = NewWindow();
  EXPECT_FALSE(platform_->RegisterHotKey(window, 200, platform::MOD_SHIFT, kF10));
  // Another combination still works, and so does the same one once it is free.
  EXPECT_TRUE(platform_->RegisterHotKey(window, 100, platform::MOD_ALT, kF10));
  other.UngrabShiftF10();
  EXPECT_TRUE(platform_->RegisterHotKey(window, 200, platform::MOD_SHIFT, kF10));
  SendKeys("shift+F10");
  const auto hotKey = WaitFor(platform::WM_HOTKEY);
  ASSERT_TRUE(hotKey);
  EXPECT_EQ(hotKey->wParam, 200u);
}

TEST_F(DisplayTest, RegistrationFailsForAKeyWithoutCodeOrTwiceTheSameCombination) {
  const platform::WindowId window = NewWindow();
  EXPECT_FALSE(platform_->RegisterHotKey(window, 200, 0, 0));
  EXPECT_FALSE(platform_->RegisterHotKey(window, 200, 0, 255));
  EXPECT_TRUE(platform_->RegisterHotKey(window, 200, 0, kF12));
  EXPECT_FALSE(platform_->RegisterHotKey(window, 201, 0, kF12));
  EXPECT_FALSE(platform_->RegisterHotKey(window, 200, platform::MOD_SHIFT, kF12));
}

TEST_F(DisplayTest, DestroyingTheWindowReleasesItsHotKeys) {
  platform::WindowId window = NewWindow();
  ASSERT_TRUE(platform_->RegisterHotKey(window, 200, 0, kF12));
  platform_->DestroyGameWindow(window);
  window = NewWindow();
  EXPECT_TRUE(platform_->RegisterHotKey(window, 200, 0, kF12));
}

}  // namespace
