// What a menu screen may do beyond itself: read and set the screen state, use
// the shared menu tick and font, reach the program's files and the game, and
// move to the other screens through named steps. The scene provides it; a menu
// never sees the scene or another menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/program.h"
#include "engine/types.h"
#include "game/game.h"
#include "screens/menu_sound.h"
#include "screens/submission.h"

namespace screens {

// What came of asking to watch the recorded game of a high-score entry.
enum class Watching {
  kStarted,      // the game plays in place of the table, which comes back after it
  kNoRecording,  // the entry has none
  kUnplayable,   // its file cannot be played (reported on standard error)
};

class MenuContext {
 public:
  virtual core::Program& program() = 0;
  virtual std::uint8_t state() const = 0;
  virtual void SetState(std::uint8_t state) = 0;
  virtual const MenuSound& menuSound() const = 0;
  virtual iHandle font() const = 0;
  virtual SubmissionWorker& submission() = 0;
  virtual game::TGame& game() = 0;

  // --- The other screens ---
  virtual void ShowMainMenu() = 0;
  // The options page, editing a copy of the live settings.
  virtual void OpenOptions() = 0;
  virtual void OpenHelp() = 0;
  virtual void OpenRecords() = 0;
  // The question of a dialog state (ssConfirmQuit...), YES selected.
  virtual void OpenQuestion(std::uint8_t state) = 0;
  // The dialog box of the current question shown, or NO selected in it.
  virtual void ShowQuestionBox() = 0;
  virtual void SelectNoInQuestion() = 0;
  // The name entry for a score that makes the table; false when it does not.
  virtual bool OpenRecordEntry(std::int32_t score) = 0;
  // The name typed in the last name entry.
  virtual std::string EnteredName() const = 0;
  // The name entry's OK put the last game in the table at `rank` under `name`:
  // its recording is kept for that entry.
  virtual void KeepRecordingForEntry(int rank, const std::string& name) = 0;
  // Plays the recorded game of the high-score entry at `rank` (1..10).
  virtual Watching WatchEntry(int rank) = 0;
  // The last finished game's recording, encoded (with its name once one is
  // entered); empty when there is none or that game did not end with `score`.
  virtual std::vector<std::uint8_t> LastGameRecording(std::int32_t score) const = 0;
  // Hides the sprites of the help, options and high-score screens.
  virtual void HideMenuPages() = 0;
  // From a game back to the main menu (see Scene::ReturnToMenuFromGame).
  virtual void ReturnToMenuFromGame() = 0;
  virtual void HideGameOverPicture() = 0;
  virtual void HidePointer() = 0;
  virtual void ShowMenuScene() = 0;
  virtual void HideMenuScene() = 0;

 protected:
  ~MenuContext() = default;
};

}  // namespace screens
