// Run phases per second of the whole program in the menus, headless: the real
// driver, scene, music player and menu characters, from a fresh start (the
// intro, then the main menu) with the pointer moving and keys pressed now and
// then, in a generated runtime tree.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

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

}  // namespace
