#include "screens/key_names.h"

#include <array>
#include <cctype>

namespace screens {
namespace {

constexpr std::array<std::string_view, 256> MakeKeyNames() {
  std::array<std::string_view, 256> names{};
  names[1] = "ESCAPE";
  constexpr std::string_view kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
  for (int i = 0; i < 10; ++i) names[2 + i] = kDigits[i];
  names[12] = "-";
  names[13] = "=";
  names[14] = "BACKSPACE";
  names[15] = "TAB";
  constexpr std::string_view kTop[] = {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P"};
  for (int i = 0; i < 10; ++i) names[16 + i] = kTop[i];
  names[26] = "[";
  names[27] = "]";
  constexpr std::string_view kHome[] = {"A", "S", "D", "F", "G", "H", "J", "K", "L"};
  for (int i = 0; i < 9; ++i) names[30 + i] = kHome[i];
  constexpr std::string_view kBottom[] = {"Z", "X", "C", "V", "B", "N", "M"};
  for (int i = 0; i < 7; ++i) names[44 + i] = kBottom[i];
  constexpr std::string_view kFunction[] = {"F1", "F2", "F3", "F4", "F5",
                                            "F6", "F7", "F8", "F9", "F10"};
  for (int i = 0; i < 10; ++i) names[59 + i] = kFunction[i];
  names[87] = "F11";
  names[88] = "F12";
  return names;
}

constexpr std::array<std::string_view, 256> kKeyNames = MakeKeyNames();

}  // namespace

std::string_view KeyName(int code) {
  if (code < 0 || code >= static_cast<int>(kKeyNames.size())) return {};
  return kKeyNames[static_cast<std::size_t>(code)];
}

bool IsLetterKey(int code) {
  return (code >= 16 && code <= 25) || (code >= 30 && code <= 38) || (code >= 44 && code <= 50);
}

char KeyLetter(int code, bool shifted) {
  if (!IsLetterKey(code)) return 0;
  const char upper = KeyName(code)[0];
  return shifted ? upper : static_cast<char>(std::tolower(static_cast<unsigned char>(upper)));
}

}  // namespace screens
