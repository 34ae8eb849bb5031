// TMainMenu: the hub screen. Six items in a central column and two small buttons
// at the bottom left, each a plain picture with a glowing highlight over it
// that fades in while the item is selected and out otherwise.
#pragma once

#include <array>

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"

namespace screens {

class TMainMenu {
 public:
  static constexpr int kItems = 8;
  enum Item : int {
    kNewGame = 1,
    kOptions = 2,
    kHighScores = 3,
    kHelp = 4,
    kWebSite = 5,
    kExit = 6,
    kTellAFriend = 7,
    kSubscribe = 8,
  };

  explicit TMainMenu(MenuContext& context) : context_(context) {}

  // Selection 1 and every sprite made and placed.
  void Create();
  // The sprites again after an engine restart, with the current opacities.
  void Reload();
  void Show() const;
  void Hide() const;

  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  // Every frame while the main menu is up.
  void FadeHighlights();

  void Activate(int item);

  int selection() const { return list_.selection(); }
  double opacity(int item) const { return opacity_[static_cast<std::size_t>(item - 1)]; }
  iHandle plainSprite(int item) const { return plain_[static_cast<std::size_t>(item - 1)].sprite; }
  iHandle highlightSprite(int item) const {
    return highlight_[static_cast<std::size_t>(item - 1)].sprite;
  }

 private:
  void CreateSprites();

  MenuContext& context_;
  MenuList list_{kItems, 1};
  std::array<engine::OwnedPicture, kItems> plain_;
  std::array<engine::OwnedPicture, kItems> highlight_;
  std::array<double, kItems> opacity_{};
};

}  // namespace screens
