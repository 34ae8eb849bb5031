// One frame of a simulated run as a line of JSON.
#pragma once

#include <string>
#include <string_view>

#include "tools/sim/session.h"

namespace sim {

// JSON string literal of `text`; bytes outside ASCII are written as \u00XX
// (the game's texts are single-byte), so the output is always valid.
std::string JsonString(std::string_view text);

// The frame's record with the program's state as it is now: frame, screenState,
// menuSceneActive, texts, sounds, music, shellOpened, mainMenu, dialog,
// settings, records, game.
std::string FrameJson(const FrameRecord& record, Session& session);

}  // namespace sim
