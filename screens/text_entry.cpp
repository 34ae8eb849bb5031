#include "screens/text_entry.h"

#include "engine/engine.h"
#include "screens/key_names.h"

namespace screens {

int LowestClickedKey() {
  for (int code = 1; code <= 255; ++code) {
    if (iKeyClick(code)) return code;
  }
  return 0;
}

bool ShiftHeld() {
  return iKeyDown(kKeyLeftShift) || iKeyDown(kKeyRightShift);
}

void TypeKey(std::string& field, int code, bool shifted) {
  if (IsLetterKey(code)) {
    if (field.size() < kTextFieldCapacity) field += KeyLetter(code, shifted);
  } else if (code == kKeyBackspace && !field.empty()) {
    field.pop_back();
  }
}

void CursorBlink::Update(long double now) {
  // The engine time starts again at 0 after an engine restart; without this the
  // cursor would stand still until the new time caught up with the old one.
  if (now < lastBlink_) lastBlink_ = now;
  if (now - lastBlink_ > kPeriod) {
    lastBlink_ = now;
    visible_ = !visible_;
  }
}

}  // namespace screens
