#include <gtest/gtest.h>

#include "shell/main_loop.h"

namespace {

TEST(VirtualKeyTable, EveryKeyTheOptionsCanChooseHasAVirtualKey) {
  const auto table = shell::MakeVirtualKeyTable();
  // The named keys of the options screen: Esc, 1..=, Backspace, Tab, Q..], A..L, Z..M, F1..F12.
  for (int code = 1; code <= 88; ++code) {
    const bool named = code <= 27 || (code >= 30 && code <= 38) || (code >= 44 && code <= 50) ||
                       (code >= 59 && code <= 68) || code == 87 || code == 88;
    if (named) {
      EXPECT_NE(table[code], 0) << code;
    }
  }
  for (int code : {0, 84, 85, 86, 89, 255}) EXPECT_EQ(table[code], 0) << code;
  EXPECT_EQ(table[88], 123);  // F12
  EXPECT_EQ(table[15], 9);    // Tab, for the Alt+Tab hot key
  EXPECT_EQ(table[62], 115);  // F4
  EXPECT_EQ(table[183], 42);  // SysRq to the Print key
}

}  // namespace
