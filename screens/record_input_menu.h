// The name entry after a game whose score earns a place in the high-score
// table: a name and a country typed letter by letter, OK to insert the entry,
// save the table and ask whether to send the result, CANCEL back to the main
// menu. The name typed last time and the country stay for the next game.
#pragma once

#include <cstdint>
#include <string>

#include "core/persistent_files.h"
#include "engine/owned.h"
#include "engine/types.h"
#include "screens/menu_context.h"
#include "screens/menu_list.h"
#include "screens/text_entry.h"

namespace screens {

class TRecordInputMenu {
 public:
  enum Item : int { kName = 1, kCountry = 2, kOk = 3, kCancel = 4 };

  explicit TRecordInputMenu(MenuContext& context) : context_(context) {}

  // Makes the page sprite (again after an engine restart, shown again if the
  // screen was up).
  void Create();
  void Reload() { Create(); }
  // The panel made again while the old one is alive (a new level): the old
  // sprite and texture are freed first.
  void RemakePage();

  // The one way into the name entry, used when a game ends (game over or the
  // leave-game question): when `score` beats an entry of the table, it becomes
  // the score to enter, its rank the insertion position, the live country the
  // country field, and the screen opens; true then. Otherwise nothing changes.
  bool OpenForScore(std::int32_t score);
  // The page again as it was.
  void Show();

  void HandleKeys();
  void Hover(long double x, long double y);
  void Click(long double x, long double y);
  void Draw();

  void Ok();
  void Cancel();

  int selection() const { return list_.selection(); }
  int rank() const { return rank_; }
  std::int32_t score() const { return score_; }
  const std::string& name() const { return name_; }
  const std::string& country() const { return country_; }
  bool shown() const { return shown_; }

 private:
  void Open();
  void Close();
  void MoveUp();
  void MoveDown();
  // ScreenState follows the selection: typing the name, the country, or choosing.
  void FollowSelection();
  void HandleTypingKeys(std::string& field);
  void DrawField(const std::string& field, long double y, bool typing, bool selected);

  MenuContext& context_;
  MenuList list_{4, kName};
  CursorBlink cursor_;
  std::string country_;
  std::string name_;
  int rank_ = 10;
  std::int32_t score_ = 0;
  bool shown_ = false;
  engine::OwnedPicture page_;
};

}  // namespace screens
