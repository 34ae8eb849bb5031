// Names of the DirectInput scan codes as the menus show them, and the letters
// they type: the options screen shows the boss key by this table, and the
// country and name fields take their letters from it.
#pragma once

#include <string_view>

#include "screens/keys.h"

namespace screens {

// "ESCAPE", "1", "Q", "F11", ...; empty for a code without a name.
std::string_view KeyName(int code);

// The letter keys: Q..P (16..25), A..L (30..38) and Z..M (44..50).
bool IsLetterKey(int code);

// The letter a letter key types, upper case when shifted; 0 for any other key.
char KeyLetter(int code, bool shifted);

}  // namespace screens
