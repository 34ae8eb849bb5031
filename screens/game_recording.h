// Recording a game and playing one back. The recorder sees every level step
// of every game begun with New Game and keeps what it ran on, with a digest of
// the game every kReplayCheckpointFrames frames; the player hands a recorded
// game's steps back to the level in their order and compares the digests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/level_inputs.h"
#include "protocol/replay.h"

namespace game {
class TGame;
}

namespace screens {

class GameRecorder final : public game::LevelInputs {
 public:
  explicit GameRecorder(const game::TGame& game) : game_(game) {}

  void BeginGame(const platform::RandomPosition& random, std::int32_t firstLevel) override;
  game::StepInput Take(game::LevelStep step, const game::StepInput& live) override;

  bool recording() const { return recording_; }
  // The game has ended with this score and level: the recording is complete.
  // Nothing happens when no game is being recorded.
  void Finish(std::int32_t score, std::int32_t level);
  // The last complete recording, if any; its name is set when one is entered.
  const std::optional<protocol::Replay>& last() const { return last_; }
  void NameLast(const std::string& name);
  // The game being recorded, ended now with the score and level it has
  // (the simulator's end of run).
  std::optional<protocol::Replay> Current(std::int32_t score, std::int32_t level) const;

 private:
  void Checkpoint(protocol::Replay& replay) const;

  const game::TGame& game_;
  bool recording_ = false;
  protocol::Replay replay_;
  std::uint32_t frames_ = 0;
  std::optional<protocol::Replay> last_;
};

class GamePlayer final : public game::LevelInputs {
 public:
  GamePlayer(protocol::Replay replay, const game::TGame& game)
      : replay_(std::move(replay)), game_(game) {}

  void BeginGame(const platform::RandomPosition& random, std::int32_t firstLevel) override;
  game::StepInput Take(game::LevelStep step, const game::StepInput& live) override;

  const protocol::Replay& replay() const { return replay_; }
  // The next step is the reload of an engine restart (the scene makes it happen).
  bool NextIsReload() const;
  // Every recorded step has been run.
  bool done() const { return next_ >= replay_.steps.size(); }
  std::uint32_t framesRun() const { return frames_; }
  // The first frame after which the game's digest differed from the recorded
  // one, or where the game asked for another kind of step than was recorded.
  std::optional<std::uint32_t> firstDifferentFrame() const { return firstDifference_; }
  // The game ended (or the steps ran out) with this score and level.
  void Finish(std::int32_t score, std::int32_t level);
  bool finished() const { return finished_; }
  std::int32_t score() const { return score_; }
  std::int32_t level() const { return level_; }
  // The recorded result was reached: every step run, no departure, the same
  // score and level.
  bool Verified() const;

 private:
  void Compare(std::uint32_t frame);
  void Depart(std::uint32_t frame) {
    if (!firstDifference_) firstDifference_ = frame;
  }

  protocol::Replay replay_;
  const game::TGame& game_;
  std::size_t next_ = 0;
  std::size_t nextCheckpoint_ = 0;
  std::uint32_t frames_ = 0;
  std::optional<std::uint32_t> firstDifference_;
  bool finished_ = false;
  std::int32_t score_ = 0;
  std::int32_t level_ = 0;
};

}  // namespace screens
