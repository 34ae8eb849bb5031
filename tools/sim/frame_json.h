// One frame of a simulated run as a line of JSON.
#pragma once

#include <string>
#include <string_view>

#include "tools/sim/json_writer.h"
#include "tools/sim/session.h"

namespace sim {

// The frame's record with the program's state as it is now: frame, screenState,
// menuSceneActive, texts, sounds, music, shellOpened, mainMenu, dialog,
// settings, records, game.
std::string FrameJson(const FrameRecord& record, Session& session);

}  // namespace sim
