// The program as the simulator runs it: the real driver (RunMainLoop) and scene
// on the scripted platform and the headless engine, in the current directory,
// with its input from a script. Frame n is the n-th run phase; the state of a
// frame is taken when it is over (after the driver's boss-key check).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/image.h"
#include "engine/world.h"
#include "platform/harness_stop.h"
#include "protocol/replay.h"
#include "tools/sim/script.h"

namespace engine {
class Engine;
class HeadlessBackend;
class MusicMixer;
}  // namespace engine
namespace platform {
class ScriptedPlatform;
}
namespace core {
struct Program;
}
namespace screens {
class Scene;
class SubmissionWorker;
}  // namespace screens

namespace sim {

// What one frame left behind.
struct FrameRecord {
  int frame = 0;
  // Printed texts as the frame left them, and its picture for the frames the
  // caller asked to see.
  std::vector<engine::PrintedText> texts;
  std::optional<engine::Image> picture;
  // Sounds started during the frame (file names).
  std::vector<std::string> sounds;
};

class Session {
 public:
  enum class End {
    ProgramEnded,     // the driver returned
    FramesRanOut,     // the frame limit was reached
    ScriptExhausted,  // the program waited for input the script no longer has
    Stopped,          // Stop() was called
  };

  struct Options {
    std::uint64_t seed = 1;
    std::vector<ScriptEvent> script;
    int firstLevel = 1;  // the level the first new game starts at
    // When set, input comes from here instead of the script: called once for
    // each run phase `frame` before it, and for each wait step of a hidden
    // wait (waiting true, frame the next run phase); it appends that moment's events.
    std::function<void(int frame, bool waiting, std::vector<ScriptEvent>& out)> input = {};
    // When set, the score submission's worker is made here instead of by
    // ZQ_SCORE_SERVER (a service of our own) or the stand-in that never ends.
    std::function<std::unique_ptr<screens::SubmissionWorker>()> worker = {};
    // When set, the program plays this recorded game and ends with it.
    std::optional<protocol::Replay> replay = {};
    // False for a run that never draws a frame (a recording's check): pictures
    // are read for their sizes only, not decoded, and Run makes no pictures.
    // The game runs the same either way; it never sees a pixel.
    bool pixels = true;
  };

  // Loads the persistent files from the current directory (creating missing
  // ones, as the game does) and prepares the program; nothing runs yet.
  explicit Session(Options options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs until the program ends, `maxFrames` run phases are over (0: no limit)
  // or the script runs dry while the program waits. `picture(n)` says whether
  // frame n is drawn (never without pixels); `onFrame` sees every frame once it
  // is over, with the program in its state at that moment.
  End Run(int maxFrames, const std::function<bool(int)>& picture,
          const std::function<void(const FrameRecord&)>& onFrame);

  // Ends the run before the next run phase or wait step (from `onFrame` or the
  // input).
  void Stop() { stopRequested_ = true; }

  int framesRun() const { return framesRun_; }
  // What the program entry would return: 0, or 1 after a fatal file error
  // during play (reported in a message box of the scripted platform).
  int exitStatus() const { return exitStatus_; }
  // The song playing now: "1", "2", or empty.
  std::string CurrentSong() const;

  core::Program& program();
  screens::Scene& scene();
  platform::ScriptedPlatform& platform();
  engine::HeadlessBackend& backend();
  engine::World& world();
  engine::Engine& engine();

 private:
  struct StopRun : platform::HarnessStop {};

  void AfterInitialise();
  void BeforeDispatch();
  void AfterDispatch();
  // The program waits hidden and runs no phases: the next scripted moment
  // happens now, or the run stops when there is none.
  void Idle();
  void FinishFrame();
  void Deliver(const ScriptEvent& event);
  void DeliverUpTo(int frame);
  void DeliverGenerated(int frame, bool waiting);

  Options options_;
  std::size_t nextEvent_ = 0;
  int generatedUpTo_ = 0;  // the last run phase whose input was generated
  std::vector<ScriptEvent> generated_;
  int framesRun_ = 0;
  int exitStatus_ = 0;
  int maxFrames_ = 0;
  bool stopRequested_ = false;
  std::optional<FrameRecord> pending_;
  const std::function<bool(int)>* picture_ = nullptr;
  const std::function<void(const FrameRecord&)>* onFrame_ = nullptr;

  engine::HeadlessBackend* headless_ = nullptr;
  std::unique_ptr<engine::Engine> engine_;
  std::unique_ptr<engine::MusicMixer> mixer_;
  std::unique_ptr<platform::ScriptedPlatform> platform_;
  std::unique_ptr<core::Program> program_;
  std::unique_ptr<screens::SubmissionWorker> worker_;
  std::unique_ptr<screens::Scene> scene_;
};

}  // namespace sim
