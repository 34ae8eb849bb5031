// The game binary: loads the persistent files, describes the window, runs the
// driver on the SDL platform and window backend, and at the end asks the shell
// to open "play.url". Runs in the runtime directory (data/ and sound/). With
// --replay it plays a recorded game instead of the menus and ends with it.
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/persistent_files.h"
#include "core/program.h"
#include "engine/music.h"
#include "engine/runtime.h"
#include "engine/sdl/sdl_backend.h"
#include "online/online_submission.h"
#include "platform/sdl/sdl_platform.h"
#include "screens/replay_files.h"
#include "screens/scene.h"
#include "shell/command_line.h"
#include "shell/fatal_error.h"
#include "shell/main_loop.h"

namespace {

constexpr const char* kProgramName = "zorbelline-quester";

int RunGame(const shell::CommandLine& options, std::optional<protocol::Replay> replay) {
  platform::SdlEventRouter events;
  auto window = std::make_unique<engine::SdlBackend>(events);
  engine::SdlBackend& backend = *window;
  backend.SetWindowScale(options.scale);
  engine::Engine engine(std::move(window));
  engine::ScopedInstall installEngine(engine);
  engine::ScopedMusicInstall installMusic(backend.music());
  platform::SdlPlatform services(events, backend.clock());
  core::Program program(services);

  try {
    core::LoadPersistentFiles(program.persistent);
  } catch (...) {
    return shell::ReportFatalError(services, services.Ready(),
                                   shell::DescribeError(std::current_exception()));
  }
  if (!services.Ready()) {
    std::fprintf(stderr, "%s: no display to open the game window on\n", shell::kFatalCaption);
    return 1;
  }

  int desktopWidth = 0, desktopHeight = 0;
  services.DesktopSize(desktopWidth, desktopHeight);
  core::FillWindowParams(program.windowParams, desktopWidth, desktopHeight,
                         program.persistent.settings);

  online::OnlineSubmission submission;
  screens::Scene scene(program, submission, {.replay = std::move(replay)});
  core::GameHooks hooks{[&scene] { scene.InitialiseAll(); }, [&scene] { scene.DispatchFrame(); }};
  if (const int status = shell::RunProgram(program, hooks); status != 0) return status;

  services.ShellOpen("play.url");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const shell::CommandLine options = shell::ParseCommandLine(args);
  switch (options.action) {
    case shell::CommandLine::Action::kHelp:
      std::fputs(shell::HelpText(kProgramName).c_str(), stdout);
      return 0;
    case shell::CommandLine::Action::kVersion:
      std::printf("%s %s\n", kProgramName, ZQ_VERSION);
      return 0;
    case shell::CommandLine::Action::kError:
      std::fprintf(stderr, "%s: %s (see --help)\n", kProgramName, options.error.c_str());
      return 2;
    case shell::CommandLine::Action::kRun:
      break;
  }
  // A recording that cannot be played is refused before a window opens.
  std::optional<protocol::Replay> replay;
  if (!options.replay.empty()) {
    try {
      replay = screens::LoadReplayFile(options.replay);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s: %s\n", kProgramName, error.what());
      return 2;
    }
  }
  // What escapes the game's own reports ends here, after every object on the
  // way out has closed in order.
  try {
    return RunGame(options, std::move(replay));
  } catch (...) {
    std::fprintf(stderr, "%s: %s\n", shell::kFatalCaption,
                 shell::DescribeError(std::current_exception()).c_str());
    return 1;
  }
}
