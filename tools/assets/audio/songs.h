// The two songs: 1.xm plays in the menus, 2.xm during the levels.
#pragma once

#include "tools/assets/audio/xm_writer.h"

namespace assets::music {

xm::Module MenuSong();  // cheerful, C major, 125 bpm
xm::Module GameSong();  // faster and driving, A minor, 150 bpm

}  // namespace assets::music
