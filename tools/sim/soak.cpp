#include "tools/sim/soak.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/screen_state.h"
#include "engine/runtime.h"
#include "platform/scripted/scripted_platform.h"
#include "screens/scene.h"
#include "tools/sim/invariants.h"
#include "tools/sim/json_writer.h"
#include "tools/sim/monkey.h"
#include "tools/sim/session.h"

namespace sim {
namespace {

// The resident set size of this process in KiB (0 where /proc is missing).
long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Every engine object alive now: a clean game leaves none behind, so the main
// menu after each game holds as many as after the first.
long LiveEngineObjects(engine::Engine& e) {
  const engine::World& w = e.world();
  return static_cast<long>(w.textures.size() + w.sprites.size() + w.fonts.size() +
                           w.particleSystems.size() + w.emitters.size() + w.sounds.size() +
                           w.cameras.size());
}

}  // namespace

int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& errors) {
  const auto started = std::chrono::steady_clock::now();
  const long rssStart = ResidentKiB();
  long rssTenth = 0;
  // After each tenth of the phases, the first time the main menu is up: the
  // same screen each time, so the figures show whether memory grows.
  std::vector<long> rssTenthsAtMenu;
  Monkey monkey(options.monkeySeed);
  long phasesDone = 0;
  int runs = 0;
  long playingPhases = 0;  // phases with a level on the screen
  int highestLevel = 0;
  std::set<std::uint8_t> statesSeen;
  // Engine objects and memory at the main menu after each game, within a run.
  std::vector<long> objectsAfterGames;
  std::vector<long> rssAfterGamesKiB;
  long leakedObjects = 0;
  int status = 0;
  std::string broken;

  while (phasesDone < options.phases && broken.empty() && status == 0) {
    monkey.Restart();
    Session::Options sessionOptions;
    sessionOptions.seed = options.gameSeed + static_cast<std::uint64_t>(runs);
    sessionOptions.firstLevel = options.firstLevel;
    sessionOptions.input = [&](int frame, bool waiting, std::vector<ScriptEvent>& events) {
      monkey.Events(frame, waiting, events);
    };
    Session session(std::move(sessionOptions));
    ++runs;
    const long before = phasesDone;
    bool inGame = false;
    long firstObjectsAtMenu = -1;
    session.Run(
        static_cast<int>(options.phases - phasesDone), [](int) { return false; },
        [&](const FrameRecord& record) {
          phasesDone = before + record.frame;
          if (rssTenth == 0 && phasesDone >= options.phases / 10) rssTenth = ResidentKiB();
          const std::uint8_t state = session.program().ScreenState.load();
          statesSeen.insert(state);
          const long tenthsDone = options.phases >= 10 ? phasesDone / (options.phases / 10) : 0;
          if (state == core::ssMainMenu &&
              static_cast<long>(rssTenthsAtMenu.size()) < std::min(tenthsDone, 10L)) {
            rssTenthsAtMenu.push_back(ResidentKiB());
          }
          if (state == core::ssPlaying) ++playingPhases;
          if (state == core::ssPlaying || state == core::ssNewGame) inGame = true;
          if (state == core::ssMainMenu && inGame) {
            // Back from a game: whatever the game made is gone again.
            inGame = false;
            const long objects = LiveEngineObjects(session.engine());
            objectsAfterGames.push_back(objects);
            rssAfterGamesKiB.push_back(ResidentKiB());
            if (firstObjectsAtMenu < 0) firstObjectsAtMenu = objects;
            if (objects > firstObjectsAtMenu && broken.empty()) {
              leakedObjects = objects - firstObjectsAtMenu;
              broken = "phase " + std::to_string(before + record.frame) + " (run " +
                       std::to_string(runs) + "): " + std::to_string(leakedObjects) +
                       " engine objects more at the main menu than after this run's first game (" +
                       std::to_string(firstObjectsAtMenu) + " -> " + std::to_string(objects) + ")";
            }
          }
          highestLevel = std::max(highestLevel, session.scene().game().GetLevel());
          if (!broken.empty()) return;
          if (std::string what = BrokenInvariant(session); !what.empty()) {
            broken = "phase " + std::to_string(phasesDone) + " (run " + std::to_string(runs) +
                     ", frame " + std::to_string(record.frame) + "): " + what;
          }
        });
    phasesDone = before + session.framesRun();
    status = session.exitStatus();
    if (status != 0 && !session.platform().MessageBoxes().empty()) {
      errors << "zq-sim: monkey " << options.monkeySeed << ": "
             << session.platform().MessageBoxes().back().text << '\n';
    }
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  JsonWriter json;
  json.BeginObject()
      .Field("monkey", static_cast<long long>(options.monkeySeed))
      .Field("phases", phasesDone)
      .Field("programRuns", runs)
      .Field("playingPhases", playingPhases)
      .Field("highestLevel", highestLevel);
  json.Key("screenStates").BeginArray();
  for (std::uint8_t state : statesSeen) json.Value(core::ScreenStateName(state));
  json.EndArray()
      .Field("seconds", seconds)
      .Field("rssStartKiB", rssStart)
      .Field("rssTenthKiB", rssTenth)
      .Field("rssEndKiB", ResidentKiB());
  json.Key("rssTenthsAtMenuKiB").BeginArray();
  for (long kib : rssTenthsAtMenu) json.Value(kib);
  json.EndArray();
  json.Key("engineObjectsAfterGames").BeginArray();
  for (long n : objectsAfterGames) json.Value(n);
  json.EndArray();
  json.Key("rssAfterGamesKiB").BeginArray();
  for (long kib : rssAfterGamesKiB) json.Value(kib);
  json.EndArray().Field("ok", broken.empty() && status == 0).EndObject();
  out << json.str() << '\n';
  if (!broken.empty()) {
    errors << "zq-sim: monkey " << options.monkeySeed << ": invariant broken at " << broken << '\n';
    return 3;
  }
  return status;
}

}  // namespace sim
