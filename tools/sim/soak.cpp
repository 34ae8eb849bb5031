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
#include "game/game.h"
#include "platform/scripted/scripted_platform.h"
#include "screens/scene.h"
#include "tools/sim/invariants.h"
#include "tools/sim/json_writer.h"
#include "tools/sim/menu_memory.h"
#include "tools/sim/milestones.h"
#include "tools/sim/monkey.h"
#include "tools/sim/session.h"
#include "tools/sim/sight.h"
#include "tools/sim/soak_submission.h"

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

MenuSample SampleAtMenu(Session& session, int run, long phase) {
  const engine::World& w = session.engine().world();
  MenuSample s;
  s.run = run;
  s.phase = phase;
  s.textures = static_cast<long>(w.textures.size());
  s.sprites = static_cast<long>(w.sprites.size());
  s.engineObjects = static_cast<long>(w.textures.size() + w.sprites.size() + w.fonts.size() +
                                      w.particleSystems.size() + w.emitters.size() +
                                      w.sounds.size() + w.cameras.size());
  s.rssKiB = ResidentKiB();
  return s;
}

FrameFacts FactsOf(Session& session) {
  const game::TGame& game = session.scene().game();
  const game::LevelState& state = game.state();
  FrameFacts f;
  f.screen = session.program().ScreenState.load();
  f.entering = state.entryPhase && state.ufoCountdown >= 1;
  f.levelComplete = state.levelCompletePhase;
  f.timeOver = state.timeOverPhase;
  f.gameOver = state.gameOverPhase;
  return f;
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
  Milestones milestones;
  MenuMemory menuMemory;
  long phasesDone = 0;
  int runs = 0;
  long playingPhases = 0;  // phases with a level on the screen
  int highestLevel = 0;
  std::set<std::uint8_t> statesSeen;
  int status = 0;
  std::string broken;

  while (phasesDone < options.phases && broken.empty() && status == 0) {
    monkey.Restart();
    milestones.NewRun();
    menuMemory.NewRun();
    Session* current = nullptr;
    Session::Options sessionOptions;
    sessionOptions.seed = options.gameSeed + static_cast<std::uint64_t>(runs);
    sessionOptions.firstLevel = options.firstLevel;
    sessionOptions.input = [&](int frame, bool waiting, std::vector<ScriptEvent>& events) {
      monkey.Events(frame, waiting, LookAt(*current), events);
    };
    sessionOptions.worker = MakeSoakSubmission;
    Session session(std::move(sessionOptions));
    current = &session;
    ++runs;
    const long before = phasesDone;
    bool gameSinceMenu = false;
    session.Run(
        static_cast<int>(options.phases - phasesDone), [](int) { return false; },
        [&](const FrameRecord& record) {
          phasesDone = before + record.frame;
          if (rssTenth == 0 && phasesDone >= options.phases / 10) rssTenth = ResidentKiB();
          const FrameFacts facts = FactsOf(session);
          const std::uint8_t state = facts.screen;
          statesSeen.insert(state);
          milestones.See(facts);
          const long tenthsDone = options.phases >= 10 ? phasesDone / (options.phases / 10) : 0;
          if (state == core::ssMainMenu &&
              static_cast<long>(rssTenthsAtMenu.size()) < std::min(tenthsDone, 10L)) {
            rssTenthsAtMenu.push_back(ResidentKiB());
          }
          if (state == core::ssPlaying) ++playingPhases;
          if (state == core::ssPlaying || state == core::ssNewGame) gameSinceMenu = true;
          if (state == core::ssMainMenu && gameSinceMenu) {
            gameSinceMenu = false;
            if (std::string grown = menuMemory.Add(SampleAtMenu(session, runs, phasesDone));
                !grown.empty()) {
              broken = "phase " + std::to_string(phasesDone) + " (run " + std::to_string(runs) +
                       "): " + grown;
              session.Stop();
              return;
            }
          }
          highestLevel = std::max(highestLevel, session.scene().game().GetLevel());
          if (std::string what = BrokenInvariant(session); !what.empty()) {
            broken = "phase " + std::to_string(phasesDone) + " (run " + std::to_string(runs) +
                     ", frame " + std::to_string(record.frame) + "): " + what;
            session.Stop();
          }
        });
    phasesDone = before + session.framesRun();
    status = session.exitStatus();
    if (status != 0 && !session.platform().MessageBoxes().empty()) {
      errors << "zq-sim: monkey " << options.monkeySeed << ": "
             << session.platform().MessageBoxes().back().text << '\n';
    }
  }

  std::string shortOf;
  for (const auto& [name, least] : options.expected) {
    const auto which = Milestones::Find(name);
    const int reached = which ? milestones.count(*which) : 0;
    if (reached < least) {
      shortOf += (shortOf.empty() ? "" : ", ") + name + " " + std::to_string(reached) + " of " +
                 std::to_string(least);
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
  for (const MenuSample& sample : menuMemory.samples()) json.Value(sample.engineObjects);
  json.EndArray();
  json.Key("rssAfterGamesKiB").BeginArray();
  for (const MenuSample& sample : menuMemory.samples()) json.Value(sample.rssKiB);
  json.EndArray().Field("ok", broken.empty() && status == 0 && shortOf.empty());
  json.Key("reached").BeginObject();
  for (std::size_t i = 0; i < Milestones::kNames.size(); ++i) {
    json.Field(Milestones::kNames[i], milestones.count(static_cast<Milestones::Name>(i)));
  }
  json.EndObject().EndObject();
  out << json.str() << '\n';
  if (!broken.empty()) {
    errors << "zq-sim: monkey " << options.monkeySeed << ": invariant broken at " << broken << '\n';
    return 3;
  }
  if (status != 0) return status;
  if (!shortOf.empty()) {
    errors << "zq-sim: monkey " << options.monkeySeed << ": reached too seldom: " << shortOf
           << '\n';
    return 4;
  }
  return 0;
}

}  // namespace sim
