// What the help, options and high-score screens ask of the rest of the program
// when they hand over to another screen or to the game. The scene implements
// it; tests use a recording one.
#pragma once

#include "engine/types.h"

namespace screens {

class MenuHost {
 public:
  virtual ~MenuHost() = default;

  // The one font of the menus (made again after every engine restart).
  virtual iHandle Font() const = 0;

  virtual void ShowMainMenu() = 0;

  // The box of the yes/no questions, and making NO its selection.
  virtual void ShowDialogBox() = 0;
  virtual void SelectDialogNo() = 0;

  // The backdrop, corner picture, sun, cloud, menu characters and ravens.
  virtual void ShowMenuScene() = 0;

  // The game behind the name entry: its hero and balloons behind the page, all
  // its sprites hidden, and the game reset for the next one.
  virtual void LowerGameSprites() = 0;
  virtual void HideGameSprites() = 0;
  virtual void ResetGame() = 0;
};

}  // namespace screens
