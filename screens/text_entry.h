// Typing into the short text fields of the menus (the country in the options,
// the name and country of a new high score): the lowest key clicked in a frame
// is the one that counts, letter keys append, Backspace erases, and a blinking
// "I" marks the field being typed.
#pragma once

#include <string>

namespace screens {

// Longest text a field holds (the length-prefixed fields of the files).
inline constexpr std::size_t kTextFieldCapacity = 10;

// The lowest scan code (1..255) clicked in this run phase, or 0 when none was.
int LowestClickedKey();

// Left or Right Shift held now.
bool ShiftHeld();

// Applies one key to `field`: a letter key appends its letter while the field
// has fewer than 10 characters, Backspace removes the last character if any.
// Every other key leaves the field alone.
void TypeKey(std::string& field, int code, bool shifted);

// The cursor of the field being typed: it flips between shown and hidden each
// time more than half a second of engine time has passed since the last flip.
class CursorBlink {
 public:
  static constexpr long double kPeriod = 0.5L;

  // Called every frame the field is typed, with the engine time in seconds.
  void Update(long double now);
  bool visible() const { return visible_; }

 private:
  long double lastBlink_ = 0;
  bool visible_ = true;
};

}  // namespace screens
