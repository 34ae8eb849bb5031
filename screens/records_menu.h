// The local high-score table: ten rows of name and score over a panel, and the
// buttons BACK, Clear High Score (through the yes/no question) and View World's
// High Score (the publisher's page, opened through the shell). A click on a row,
// or its rank's digit key (0 for the tenth), plays the entry's recorded game.
#pragma once

#include <string>

#include "core/persistent_files.h"
#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"

namespace screens {

// The world high-score page of the publisher's web service.
std::string WorldHighScoresLink();

// One row of the table: the name right-aligned in 10 characters, three spaces,
// the score right-aligned in 6 digits.
std::string RecordRowText(const core::TRecordEntry& entry);

class TRecordsMenu {
 public:
  enum Button : int { kBack = 1, kClear = 2, kViewWorld = 3 };

  explicit TRecordsMenu(MenuContext& context) : context_(context) {}

  // Makes the panel sprite (again after an engine restart, shown again if the
  // table was up).
  void Create();
  void Reload() { Create(); }

  // Main menu item High scores: ssRecords and the table.
  void Open();
  void Show();
  void Hide();

  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  void Draw() const;

  void Back();
  void Clear();
  void ViewWorldHighScores();
  // Plays the recorded game of the entry at `rank`; nothing when it has none,
  // a notice on the table when it cannot be played.
  void Watch(int rank);

  int selection() const { return list_.selection(); }
  bool shown() const { return shown_; }
  // The line under the stars: how to watch a game (when an entry has a
  // recording), or why the last one asked for cannot be played.
  std::string HintLine() const;

 private:
  void Activate(int button);

  MenuContext& context_;
  MenuList list_{3, kBack};
  bool shown_ = false;
  bool anyRecording_ = false;  // looked at each time the table opens
  bool unplayable_ = false;
  engine::OwnedPicture panel_;
};

}  // namespace screens
