// Run phases per second of the whole program, headless, in a generated runtime
// tree: the real driver, scene, music player and level objects.
//  * BM_MenuRunPhases: from a fresh start (the intro, then the main menu) with
//    the pointer moving and keys pressed now and then.
//  * BM_LevelRunPhases: New Game on a busy late level (all four enemy kinds,
//    the raven) with the hero running back and forth, jumping and throwing;
//    a game that ends is started again.
//  * BM_VerifyRecording: a stored recording (a 110 s game to game over) checked
//    as zq-sim --verify checks it, from a new program to the verdict; the
//    argument says whether the pictures keep their pixels (1, as when a frame
//    is to be drawn) or only their sizes (0, a check's own way). Processor time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/program.h"
#include "core/screen_state.h"
#include "engine/types.h"
#include "platform/key_codes.h"
#include "screens/replay_files.h"
#include "screens/scene.h"
#include "tools/assets/runtime_tree.h"
#include "tools/sim/script.h"
#include "tools/sim/session.h"

namespace {

namespace fs = std::filesystem;

// A runtime tree made once per process, entered as the current directory.
class RuntimeDir {
 public:
  RuntimeDir() : path_(fs::temp_directory_path() / "zq_sim_bench") {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    assets::WriteRuntimeTree(path_);
    fs::current_path(path_);
  }
  ~RuntimeDir() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(path_, ignored);
  }

  // Each run starts from the files as the game first writes them.
  void Reset() const {
    std::error_code ignored;
    fs::remove(path_ / "data" / "settings.dat", ignored);
    fs::remove(path_ / "data" / "records.dat", ignored);
  }

 private:
  fs::path path_;
};

std::vector<sim::ScriptEvent> MenuScript(int frames) {
  std::vector<sim::ScriptEvent> script;
  for (int f = 1; f <= frames; f += 10) {
    sim::ScriptEvent move;
    move.frame = f;
    move.kind = sim::ScriptEvent::Kind::Mouse;
    move.x = -8 + (f / 10 % 16);
    move.y = 5 - (f / 10 % 16);
    script.push_back(move);
    if (f % 150 == 1) {
      sim::ScriptEvent key;
      key.frame = f;
      key.kind = sim::ScriptEvent::Kind::Key;
      key.code = 208;  // Down
      script.push_back(key);
    }
  }
  return script;
}

void BM_MenuRunPhases(benchmark::State& state) {
  static const RuntimeDir dir;
  const int frames = static_cast<int>(state.range(0));
  for (auto _ : state) {
    dir.Reset();
    sim::Session session({.seed = 1, .script = MenuScript(frames)});
    const auto end = session.Run(
        frames, [](int) { return false; }, [](const sim::FrameRecord&) {});
    if (end != sim::Session::End::FramesRanOut || session.framesRun() != frames) {
      state.SkipWithError("the menu run ended early");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["run_phases_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations() * frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MenuRunPhases)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A busy player: outside a level Enter now and then (New Game, and the
// dialogs after a game ends); in a level the hero runs for a second each way,
// jumps every 40 phases and throws every 8.
class BusyPlayer {
 public:
  void Watch(const core::Program& program) { program_ = &program; }

  void operator()(int frame, bool waiting, std::vector<sim::ScriptEvent>& out) const {
    namespace keys = platform::keys;
    if (waiting || program_ == nullptr) return;
    const auto add = [&](sim::ScriptEvent::Kind kind, int code) {
      sim::ScriptEvent e;
      e.frame = frame;
      e.kind = kind;
      e.code = code;
      out.push_back(e);
    };
    if (program_->ScreenState.load() != core::ssPlaying) {
      if (frame % 100 == 0) add(sim::ScriptEvent::Kind::Key, keys::kKeyEnter);
      return;
    }
    if (frame % 150 == 0) {
      const bool right = frame / 150 % 2 == 0;
      add(sim::ScriptEvent::Kind::Up, right ? keys::kKeyLeft : keys::kKeyRight);
      add(sim::ScriptEvent::Kind::Down, right ? keys::kKeyRight : keys::kKeyLeft);
    }
    if (frame % 40 == 20) add(sim::ScriptEvent::Kind::Key, keys::kKeyUp);
    if (frame % 8 == 4) add(sim::ScriptEvent::Kind::Key, keys::kKeyLeftCtrl);
  }

 private:
  const core::Program* program_ = nullptr;
};

void BM_LevelRunPhases(benchmark::State& state) {
  static const RuntimeDir dir;
  const int frames = static_cast<int>(state.range(0));
  long playing = 0;
  double playingSeconds = 0;  // wall time of the phases that ran in a level
  for (auto _ : state) {
    dir.Reset();
    BusyPlayer player;
    sim::Session session(
        {.seed = 1,
         .script = {},
         .firstLevel = 12,
         .input = [&player](int frame, bool waiting, auto& out) { player(frame, waiting, out); }});
    player.Watch(session.program());
    auto last = std::chrono::steady_clock::now();
    bool wasPlaying = false;
    session.Run(
        frames, [](int) { return false; },
        [&](const sim::FrameRecord&) {
          const auto now = std::chrono::steady_clock::now();
          const bool isPlaying = session.program().ScreenState.load() == core::ssPlaying;
          // A phase that starts and ends in a level: its time is the level's own
          // (loading a level happens on the phase that enters it).
          if (wasPlaying && isPlaying) {
            ++playing;
            playingSeconds += std::chrono::duration<double>(now - last).count();
          }
          wasPlaying = isPlaying;
          last = now;
        });
    if (session.framesRun() != frames) {
      state.SkipWithError("the program ended early");
      break;
    }
  }
  const double phases = static_cast<double>(state.iterations() * frames);
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["run_phases_per_second"] = benchmark::Counter(phases, benchmark::Counter::kIsRate);
  state.counters["share_in_a_level"] = static_cast<double>(playing) / phases;
  state.counters["level_phases_per_second"] =
      playingSeconds > 0 ? static_cast<double>(playing) / playingSeconds : 0;
}
BENCHMARK(BM_LevelRunPhases)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_VerifyRecording(benchmark::State& state) {
  static const RuntimeDir dir;
  static const protocol::Replay replay = screens::LoadReplayFile(
      fs::path(ZQ_SOURCE_DIR) / "tests" / "golden" / "recordings" / "monkey_game_over.zqr");
  const bool pixels = state.range(0) != 0;
  for (auto _ : state) {
    dir.Reset();
    sim::Session session({.seed = 1, .script = {}, .replay = replay, .pixels = pixels});
    session.Run(
        static_cast<int>(replay.steps.size()) + 1000, [](int) { return false; },
        [](const sim::FrameRecord&) {});
    if (!session.scene().player()->Verified()) {
      state.SkipWithError("the recording did not reach its result");
      break;
    }
  }
  const double games = static_cast<double>(state.iterations());
  const double playSeconds =
      games * static_cast<double>(replay.Frames()) / engine::kRunPhasesPerSecond;
  state.counters["recordings_per_second"] = benchmark::Counter(games, benchmark::Counter::kIsRate);
  state.counters["times_real_time"] = benchmark::Counter(playSeconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VerifyRecording)
    ->Arg(0)
    ->Arg(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
