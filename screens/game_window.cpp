#include "screens/game_window.h"

namespace screens {

void MinimiseGameWindow(core::Program& program) {
  const platform::WindowId window =
      program.platform.FindWindowByCaption(program.windowParams.Caption);
  if (window != 0) {
    program.platform.SendMessage(window, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
  }
}

void OpenLinkFromGame(core::Program& program, const std::string& target) {
  // Any Windowed value but 1 runs full screen (the driver's rule), so the link
  // must end the engine run for those too.
  if (program.persistent.settings.Windowed != 1) {
    program.driver.MinimisedForLink = true;
    program.driver.RestartRequested = -1;
  }
  MinimiseGameWindow(program);
  program.platform.ShellOpen(target);
}

}  // namespace screens
