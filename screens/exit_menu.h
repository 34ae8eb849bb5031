// TExitMenu: the one yes/no dialog box. Which question it asks is given by
// ScreenState alone: exit the game, leave the game, clear the high scores, send
// the result, connection failed (retry), and the please-wait notice while the
// score is being sent (no buttons, no input).
#pragma once

#include <cstdint>

#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"
#include "screens/submission.h"

namespace screens {

// True for the six states the dialog box draws.
bool IsDialogState(std::uint8_t state);

class TExitMenu {
 public:
  static constexpr int kYes = 1;
  static constexpr int kNo = 2;

  explicit TExitMenu(MenuContext& context) : context_(context) {}

  // The box: image 3 of "data\Forms.dat", 10 x 8, centred.
  void Create();
  void Reload() { CreateBox(); }
  // The box made again while the old one is alive (a new level): the old
  // sprite and texture are freed first.
  void RemakeBox();
  void ShowBox() const;
  void HideBox() const;

  // Shows the box and asks the question of `state`. The selection stays as the
  // last dialog left it.
  void Open(std::uint8_t state);
  void SelectNo() { list_.Select(kNo); }

  void Toggle();
  void Draw() const;
  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  // At the start of each frame: a submission worker that has ended shows the
  // retry question, or closes the notice and returns to the main menu.
  void TakeSubmissionOutcome();

  int selection() const { return list_.selection(); }
  iHandle boxSprite() const { return box_; }

 private:
  void CreateBox();
  void Answer(int button);
  void Yes();
  void No();
  void LeaveGame();
  void ClearRecords();
  void BackToTable();
  SubmissionRecord SubmissionToSend();

  MenuContext& context_;
  MenuList list_{2, kYes};
  engine::OwnedTexture boxTexture_;
  engine::OwnedSprite box_;
};

}  // namespace screens
