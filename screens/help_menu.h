// The help screen: seven picture pages on a panel, turned with PREVIOUS and
// NEXT (wrapping around both ways), and BACK to the main menu.
#pragma once

#include <array>

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"

namespace screens {

class THelpMenu {
 public:
  enum Button : int { kPrevious = 1, kNext = 2, kBack = 3 };
  static constexpr int kPages = 7;

  explicit THelpMenu(MenuContext& context) : context_(context) {}

  // Makes the panel and page sprites (again after an engine restart, showing
  // them again if the screen was up).
  void Create();
  void Reload() { Create(); }

  // Main menu item Help: ssHelp, the panel and page 1; the button selected at
  // the last visit stays selected.
  void Open();
  // The panel and the current page.
  void Show();
  // Hides the panel and every page.
  void Hide();

  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  void Draw() const;

  int selection() const { return list_.selection(); }
  int page() const { return page_; }
  bool shown() const { return shown_; }
  iHandle pageSprite(int page) const { return pages_[static_cast<std::size_t>(page - 1)].sprite; }

 private:
  void Activate(int button);
  void TurnPage(int step);
  void ShowPage();
  void Back();

  MenuContext& context_;
  MenuList list_{3, kPrevious};
  int page_ = 1;
  bool shown_ = false;
  engine::OwnedPicture panel_;
  std::array<engine::OwnedPicture, kPages> pages_;
};

}  // namespace screens
