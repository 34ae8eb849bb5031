// The recorded games kept in the player's data directory: the last game, and
// one per entry of the high-score table (data\replays\rank-NN.zqr), moved down
// with their entries and removed when the table is cleared. A recording that
// cannot be saved is reported on standard error and the game goes on.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "protocol/replay.h"

namespace screens {

inline constexpr std::string_view kLastGameReplay = "data\\replays\\last.zqr";

std::string RankReplayPath(int rank);
bool RankReplayExists(int rank);

// Atomic, like every file the game writes; the folder is made when missing.
void SaveReplay(std::string_view gamePath, const protocol::Replay& replay);
// An entry was inserted at `rank`: the recordings of ranks rank..9 move one down
// and the tenth is dropped, as the table's entries do.
void MakeRoomForRank(int rank);
void RemoveRankReplays();

// A problem with a recorded game, reported on standard error.
void WarnAboutReplay(const std::string& what);

// Reads and checks a recording; throws protocol::ReplayError (or
// std::runtime_error for a file that cannot be read) with the reason.
protocol::Replay LoadReplayFile(const std::filesystem::path& file);

}  // namespace screens
