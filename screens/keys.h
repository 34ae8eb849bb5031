// The screens name keys by their DirectInput scan codes (kKeyEsc, kKeyEnter, ...).
#pragma once

#include "platform/key_codes.h"

namespace screens {

using namespace platform::keys;

}  // namespace screens
