// The options screen: a working copy of the settings record edited row by row
// (display mode, sound, music, the player's country and the boss-key
// combination), written to "data\settings.dat" and made live by APPLY, dropped
// by CANCEL. The same page is drawn while an item is chosen (ssOptions), while
// the country is typed (ssOptionsCountry) and while the boss key is captured
// (ssOptionsBossKey).
#pragma once

#include <string>

#include "core/persistent_files.h"
#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"
#include "screens/text_entry.h"

namespace screens {

class TOptMenu {
 public:
  enum Item : int {
    kDisplay = 1,
    kSound = 2,
    kMusic = 3,
    kCountry = 4,
    kBossKey = 5,
    kApply = 6,
    kCancel = 7,
  };

  explicit TOptMenu(MenuContext& context) : context_(context) {}

  // Makes the panel sprite (again after an engine restart, shown again if the
  // screen was up).
  void Create();
  void Reload() { Create(); }

  // Main menu item Options: the panel, ssOptions, a fresh working copy.
  void Open();
  // Working copy := live settings.
  void CopyLiveSettings();
  void Show();
  void Hide();

  // The key handling of the three options states.
  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  void Draw();

  void Apply();
  void Cancel();

  int selection() const { return list_.selection(); }
  const core::GameSettings& edit() const { return edit_; }
  bool displayChanged() const { return displayChanged_; }
  bool shown() const { return shown_; }

 private:
  void HandleChoosingKeys();
  void HandleCountryKeys();
  void HandleBossKeyCapture();
  void Toggle(int item);
  void Activate(int item);
  // Back from typing or capturing to choosing, one item up.
  void LeaveSubState();
  void DrawOnOffRow(const char* label, long double labelX, long double y, bool on) const;

  MenuContext& context_;
  MenuList list_{7, kDisplay};
  core::GameSettings edit_;
  bool displayChanged_ = false;
  CursorBlink cursor_;
  bool shown_ = false;
  engine::OwnedPicture panel_;
};

// Whether `code` may be the boss key: keys with a name on the main block and
// the function keys, but not Esc, Enter or a modifier alone.
bool IsBossKeyCandidate(int code);

// The boss-key combination as the options show it: "F6+SHIFT+CTRL".
std::string BossKeyText(const core::GameSettings& settings);

}  // namespace screens
