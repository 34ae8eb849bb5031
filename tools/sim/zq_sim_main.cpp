// zq-sim: runs the game headless in a runtime directory with a seed and an input
// script, and prints the state of chosen frames as JSON lines. See options.h and
// script.h for the command line and the script.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/image.h"
#include "platform/atomic_file.h"
#include "platform/scripted/scripted_platform.h"
#include "protocol/replay.h"
#include "screens/replay_files.h"
#include "screens/scene.h"
#include "tools/sim/check_directory.h"
#include "tools/sim/frame_json.h"
#include "tools/sim/options.h"
#include "tools/sim/script.h"
#include "tools/sim/session.h"
#include "tools/sim/soak.h"

namespace fs = std::filesystem;

namespace {

int Fail(int code, const std::string& message) {
  std::cerr << "zq-sim: " << message << "\n";
  return code;
}

// What --verify prints: the result the replay reached and whether it is the
// recorded one.
std::string VerifyJson(const screens::GamePlayer& player) {
  std::string json = "{\"verified\": ";
  json += player.Verified() ? "true" : "false";
  json += ", \"score\": " + std::to_string(player.score());
  json += ", \"level\": " + std::to_string(player.level());
  json += ", \"phases\": " + std::to_string(player.framesRun());
  json += ", \"firstDifferentPhase\": ";
  json += player.firstDifferentFrame() ? std::to_string(*player.firstDifferentFrame()) : "null";
  json += ", \"recordedScore\": " + std::to_string(player.replay().score);
  json += ", \"recordedLevel\": " + std::to_string(player.replay().level);
  json += ", \"recordedPhases\": " + std::to_string(player.replay().Frames());
  return json + "}";
}

// The run's last game, finished or not, as --record writes it.
std::optional<protocol::Replay> LastGame(sim::Session& session) {
  screens::Scene& scene = session.scene();
  const auto current = scene.recorder().Current(scene.game().GetScore(), scene.game().GetLevel());
  return current ? current : scene.recorder().last();
}

int Simulate(const sim::CommandLine& line) {
  std::optional<protocol::Replay> replay;
  if (line.replay) {
    try {
      replay = screens::LoadReplayFile(*line.replay);
    } catch (const std::exception& error) {
      return Fail(2, error.what());
    }
  }
  const fs::path recordTo = line.record ? fs::absolute(*line.record) : fs::path();
  std::vector<sim::ScriptEvent> script;
  if (line.input) {
    std::ifstream in(*line.input);
    if (!in) return Fail(2, "cannot read the input script \"" + *line.input + "\"");
    script = sim::ParseScript(in, *line.input);
  }
  // Pictures are written relative to where zq-sim was started.
  std::map<int, std::vector<fs::path>> shots;
  for (const sim::Shot& shot : line.shots) shots[shot.frame].push_back(fs::absolute(shot.file));
  if (line.dir) {
    std::error_code error;
    fs::current_path(*line.dir, error);
    if (error)
      return Fail(2, "cannot enter the directory \"" + *line.dir + "\": " + error.message());
  }

  if (line.monkey) {
    return sim::RunSoak(
        {*line.monkey, line.seed, line.level, line.frames.value_or(20000), line.expected},
        std::cout, std::cerr);
  }
  // A check plays in a scratch copy of the runtime tree made of links, without
  // its saved files; it is removed when the check ends.
  std::optional<sim::CheckDirectory> checkDirectory;
  if (line.verify) {
    std::error_code error;
    try {
      checkDirectory.emplace(fs::current_path());
    } catch (const std::exception& failure) {
      return Fail(2, failure.what());
    }
    fs::current_path(checkDirectory->path(), error);
    if (error) return Fail(2, "cannot enter the check's directory: " + error.message());
  }
  // A playback ends with its recording; the bound only stops a program that
  // somehow never gets there.
  const int frames = line.frames.value_or(replay ? static_cast<int>(replay->steps.size()) + 1000
                                                 : (script.empty() ? 1 : script.back().frame));
  sim::Session::Options options{line.seed, std::move(script), line.level, {}};
  options.replay = std::move(replay);
  // A check looks at no frame, so its pictures need no pixels.
  options.pixels = !line.verify || !shots.empty();
  sim::Session session(std::move(options));
  std::string last;
  bool any = false;
  const auto onFrame = [&](const sim::FrameRecord& record) {
    any = true;
    if (auto it = shots.find(record.frame); it != shots.end() && record.picture) {
      for (const fs::path& file : it->second) engine::WritePng(file, *record.picture);
      shots.erase(it);
    }
    if (line.verify) return;
    switch (line.dump) {
      case sim::CommandLine::Dump::All:
        std::cout << sim::FrameJson(record, session) << '\n';
        break;
      case sim::CommandLine::Dump::Listed:
        if (line.dumpFrames.count(record.frame)) {
          std::cout << sim::FrameJson(record, session) << '\n';
        }
        break;
      case sim::CommandLine::Dump::Last:
        last = sim::FrameJson(record, session);
        break;
    }
  };
  session.Run(
      frames, [&](int frame) { return shots.count(frame) > 0; }, onFrame);
  if (line.verify) {
    const screens::GamePlayer& player = *session.scene().player();
    std::cout << VerifyJson(player) << std::endl;
    return player.Verified() ? 0 : 1;
  }
  if (line.record) {
    const std::optional<protocol::Replay> game = LastGame(session);
    if (!game) return Fail(1, "no game was begun with New Game: nothing to record");
    platform::WriteFileAtomically(recordTo, protocol::EncodeReplay(*game));
  }
  if (line.dump == sim::CommandLine::Dump::Last) {
    // A program that ended before its first run phase still reports its state.
    if (!any) last = sim::FrameJson(sim::FrameRecord{}, session);
    std::cout << last << '\n';
  }
  for (const auto& [frame, files] : shots) {
    for (const fs::path& file : files) {
      std::cerr << "zq-sim: frame " << frame << " never ran; " << file.string() << " not written\n";
    }
  }
  std::cout.flush();
  if (session.exitStatus() != 0 && !session.platform().MessageBoxes().empty()) {
    std::cerr << "zq-sim: " << session.platform().MessageBoxes().back().text << '\n';
  }
  return session.exitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return Simulate(sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const sim::UsageError& e) {
    std::cerr << "zq-sim: " << e.what() << "\n" << sim::kUsage;
    return 2;
  } catch (const sim::ScriptError& e) {
    return Fail(2, e.what());
  } catch (const std::exception& e) {
    return Fail(1, e.what());
  } catch (...) {
    return Fail(1, "an unexpected error ended the simulation");
  }
}
