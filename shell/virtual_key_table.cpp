#include <initializer_list>
#include <utility>

#include "shell/main_loop.h"

namespace shell {

VirtualKeyTableType MakeVirtualKeyTable() {
  VirtualKeyTableType table{};
  // Runs of consecutive DirectInput codes and the virtual keys they map to.
  const auto fill = [&table](int firstCode, std::initializer_list<int> keys) {
    int code = firstCode;
    for (int key : keys) table[static_cast<std::size_t>(code++)] = static_cast<std::uint8_t>(key);
  };
  fill(1, {27});
  fill(2, {49, 50, 51, 52, 53, 54, 55, 56, 57, 48});
  fill(12, {189, 187, 8, 9});
  fill(16, {81, 87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221, 13, 162});
  fill(30, {65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222, 192, 160, 220});
  fill(44, {90, 88, 67, 86, 66, 78, 77, 188, 190, 191, 161, 106, 164, 32, 20});
  fill(59, {112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 144, 145});
  fill(71, {103, 104, 105, 109, 100, 101, 102, 107, 97, 98, 99, 96, 110});
  fill(87, {122, 123});
  fill(156, {13, 163});
  fill(181, {111});
  fill(183, {42, 165});
  fill(197, {19});
  fill(199, {36, 38, 33});
  fill(203, {37});
  fill(205, {39});
  fill(207, {35, 40, 34, 45, 46});
  fill(219, {91, 92, 93});
  fill(223, {95});
  return table;
}

}  // namespace shell
