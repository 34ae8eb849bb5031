#include "game/level_inputs.h"

#include "engine/engine.h"
#include "platform/key_codes.h"
#include "platform/platform.h"

namespace game {

StepInput LiveStepInput(platform::Platform& platform) {
  using namespace platform::keys;
  StepInput input;
  input.keys.left = iKeyDown(kKeyLeft);
  input.keys.right = iKeyDown(kKeyRight);
  input.keys.down = iKeyDown(kKeyDown);
  input.keys.jump = iKeyClick(kKeyUp);
  input.keys.fire = iKeyClick(kKeyLeftCtrl) || iKeyClick(kKeyRightCtrl);
  input.ticks = platform.TickCount();
  return input;
}

}  // namespace game
