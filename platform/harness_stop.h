// The signal a harness that drives the program (the simulator, the scripted
// platform) throws to end a run at once, where it stands. It is not an error:
// the program's boundaries let it pass untouched, neither closing the engine run
// nor reporting it, so that the harness sees the last frame as it was.
#pragma once

namespace platform {

struct HarnessStop {};

}  // namespace platform
