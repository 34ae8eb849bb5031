#include "screens/game_recording.h"

#include "game/game.h"
#include "game/level_hash.h"

namespace screens {
namespace {

#ifndef ZQ_VERSION
#define ZQ_VERSION "0"
#endif

constexpr auto kCheckpointFrames = protocol::kReplayCheckpointFrames;

protocol::ReplayStepKind KindOf(game::LevelStep step) {
  return static_cast<protocol::ReplayStepKind>(static_cast<std::uint8_t>(step));
}

}  // namespace

void GameRecorder::BeginGame(const platform::RandomPosition& random, std::int32_t firstLevel) {
  recording_ = true;
  frames_ = 0;
  replay_ = {};
  replay_.programVersion = ZQ_VERSION;
  replay_.seed = random.seed;
  replay_.draws = random.draws;
  replay_.firstLevel = firstLevel;
}

game::StepInput GameRecorder::Take(game::LevelStep step, const game::StepInput& live) {
  if (!recording_) return live;
  if (step == game::LevelStep::Frame) {
    if (frames_ > 0 && frames_ % kCheckpointFrames == 0) Checkpoint(replay_);
    ++frames_;
  }
  // A recording that would outgrow what a reader accepts stops here; the game goes on.
  if (replay_.steps.size() >= protocol::kReplayMaxSteps) {
    recording_ = false;
    return live;
  }
  replay_.steps.push_back({KindOf(step), live.keys.Bits(), live.ticks});
  return live;
}

void GameRecorder::Checkpoint(protocol::Replay& replay) const {
  if (!replay.checkpoints.empty() && replay.checkpoints.back().frame == frames_) return;
  replay.checkpoints.push_back({frames_, game::LevelHash(game_)});
}

std::optional<protocol::Replay> GameRecorder::Current(std::int32_t score,
                                                      std::int32_t level) const {
  if (!recording_) return std::nullopt;
  protocol::Replay replay = replay_;
  replay.score = score;
  replay.level = level;
  Checkpoint(replay);
  return replay;
}

void GameRecorder::Finish(std::int32_t score, std::int32_t level) {
  if (!recording_) return;
  last_ = Current(score, level);
  recording_ = false;
}

void GameRecorder::NameLast(const std::string& name) {
  if (last_) last_->name = name.substr(0, protocol::kReplayMaxName);
}

void GamePlayer::BeginGame(const platform::RandomPosition&, std::int32_t) {
  platform::SeekRandom({replay_.seed, replay_.draws});
}

game::StepInput GamePlayer::Take(game::LevelStep step, const game::StepInput& live) {
  if (step == game::LevelStep::Frame) {
    Compare(frames_);
    ++frames_;
  }
  if (done() || replay_.steps[next_].kind != KindOf(step)) {
    Depart(frames_);
    return {{}, live.ticks};
  }
  const protocol::ReplayStep& recorded = replay_.steps[next_++];
  return {game::GameKeys::FromBits(recorded.keys), recorded.ticks};
}

bool GamePlayer::NextIsReload() const {
  return !done() && replay_.steps[next_].kind == protocol::ReplayStepKind::Reload;
}

void GamePlayer::Compare(std::uint32_t frame) {
  const auto& checkpoints = replay_.checkpoints;
  while (nextCheckpoint_ < checkpoints.size() && checkpoints[nextCheckpoint_].frame < frame) {
    ++nextCheckpoint_;
  }
  if (nextCheckpoint_ < checkpoints.size() && checkpoints[nextCheckpoint_].frame == frame) {
    if (checkpoints[nextCheckpoint_].digest != game::LevelHash(game_)) Depart(frame);
    ++nextCheckpoint_;
  }
}

void GamePlayer::Finish(std::int32_t score, std::int32_t level) {
  if (finished_) return;
  Compare(frames_);
  finished_ = true;
  score_ = score;
  level_ = level;
  if (!done()) Depart(frames_);
}

bool GamePlayer::Verified() const {
  return finished_ && done() && !firstDifference_ && score_ == replay_.score &&
         level_ == replay_.level;
}

}  // namespace screens
