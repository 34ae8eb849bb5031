#include "shell/main_loop.h"

#include "engine/engine.h"
#include "platform/harness_stop.h"
#include "platform/key_codes.h"
#include "shell/fatal_error.h"

namespace shell {

using core::DriverFlags;
using core::GameHooks;
using core::GameSettings;
using core::Program;
using core::ssOptions;
using core::ssOptionsBossKey;
using core::ssPaused;
using core::ssPlaying;
using core::TWindowParams;

namespace {

using platform::Message;
using platform::WindowId;

using namespace platform::keys;

unsigned BossModifiers(const GameSettings& s) {
  return (s.BossCtrl ? platform::MOD_CONTROL : 0u) | (s.BossAlt ? platform::MOD_ALT : 0u) |
         (s.BossShift ? platform::MOD_SHIFT : 0u);
}

enum class WaitResult { NewRun, EndProgram, RetryWindow };

// The hidden wait of a restart: the window waits for the boss hot key (or, after
// a web link, for its task-bar button) before the next engine run.
WaitResult WaitHidden(Program& program, WindowId window, const VirtualKeyTableType& keys) {
  platform::Platform& p = program.platform;
  DriverFlags& flags = program.driver;
  const GameSettings& settings = program.persistent.settings;

  p.ShowGameWindow(window, platform::ShowCommand::Hide);
  if (flags.MinimisedForLink) p.ShowGameWindow(window, platform::ShowCommand::Minimize);

  if (!p.RegisterHotKey(window, kBossHotKey, BossModifiers(settings),
                        keys[program.windowParams.BossKey])) {
    p.MessageBox(window, kHotKeyFailedText, kFatalCaption, platform::MB_ICONERROR);
    p.DestroyGameWindow(window);
    return WaitResult::EndProgram;
  }

  Message message;
  int got = 0;
  for (;;) {
    got = p.GetMessage(message, window);
    if (got <= 0 || !flags.WindowProcActive) break;
    p.TranslateMessage(message);
    p.DispatchMessage(message);
  }

  if (flags.MinimisedForLink) p.ShowGameWindow(window, platform::ShowCommand::ShowNormal);
  flags.RestartRequested = 0;
  p.UnregisterHotKey(window, kBossHotKey);

  if (got < 0) {
    p.DestroyGameWindow(window);
    const int answer =
        p.MessageBox(0, kGetMessageFailedText, kFatalCaption,
                     platform::MB_YESNO | platform::MB_ICONWARNING | platform::MB_TOPMOST);
    return answer == platform::IDYES ? WaitResult::RetryWindow : WaitResult::EndProgram;
  }
  return WaitResult::NewRun;
}

// Drives the engine's phases until the run ends; pumps one message per turn.
void FrameLoop(Program& program, GameHooks& hooks, WindowId window, bool neverSkip) {
  platform::Platform& p = program.platform;
  while (i3ImpactIsRendering()) {
    Message message;
    if (p.PeekMessage(message)) {
      p.TranslateMessage(message);
      p.DispatchMessage(message);
      continue;
    }
    if (!i3ImpactIsActive() || !i3ImpactIsReady()) {
      // A minimised window runs no phases, so a restart asked for meanwhile
      // (the boss key or a lost focus in full screen) is acted on here.
      if (program.driver.RestartRequested != 0) break;
      continue;
    }
    i3ImpactMain();
    if (!i3ImpactIsExecuting()) continue;
    if (i3ImpactIsInitializing()) {
      i3ImpactInitBegin();
      if (hooks.InitialiseAll) hooks.InitialiseAll();
      i3ImpactInitEnd();
      if (i3ImpactErrorFlag()) break;
    }
    if (!i3ImpactIsRendering()) break;
    if (neverSkip || !i3ImpactIsSkippingRunPhase()) {
      i3ImpactRunBegin();
      if (hooks.DispatchFrame) hooks.DispatchFrame();
      CheckBossKey(program, window);
      i3ImpactRunEnd();
      if (program.driver.RestartRequested != 0) break;
      if (i3ImpactErrorFlag()) break;
    }
    if (!neverSkip && i3ImpactIsSkippingRenderPhase()) continue;
    i3ImpactRender();
  }
}

// One engine run on the window, from opening to the exit phase.
void EngineRun(Program& program, GameHooks& hooks, WindowId window,
               const VirtualKeyTableType& keys) {
  platform::Platform& p = program.platform;
  TWindowParams& params = program.windowParams;

  i3ImpactErrorFlagSet(0);
  program.driver.MinimisedForLink = false;
  program.driver.WindowProcActive = true;
  if (!i3ImpactOpen(p.EngineWindow(window), 0)) return;

  const std::int32_t record[6] = {0,
                                  0,
                                  static_cast<std::int32_t>(params.SettingsWord3),
                                  params.SettingsWord4,
                                  params.FullScreen,
                                  params.SettingsWord6};
  params.SettingsWord6 = -1;
  if (!i3ImpactSettings(record)) return;

  // Alt+Tab and Alt+F4 are swallowed while a full-screen run lasts.
  if (iDisplayMode() > 0) p.RegisterHotKey(window, kAltTabHotKey, platform::MOD_ALT, keys[kKeyTab]);
  if (iDisplayMode() > 0) p.RegisterHotKey(window, kAltF4HotKey, platform::MOD_ALT, keys[kKeyF4]);

  bool neverSkip = false;
  switch (params.FrequencyMode) {
    case 1:
      iSimulationFrqSet(1.0f / params.SimulationRate);
      iFrqSet(1.0f / params.FrameRate);
      break;
    case 2: {
      int hertz = 0;
      if (!p.DisplayRefreshRate(hertz) || hertz <= 0) {
        i3ImpactExitBegin();
        i3ImpactExitEnd();
        return;
      }
      iSimulationFrqSet(1.0f / static_cast<float>(hertz));
      iFrqSet(1.0f / static_cast<float>(hertz));
      break;
    }
    case 3:
      neverSkip = true;
      break;
    default:
      break;
  }

  FrameLoop(program, hooks, window, neverSkip);
  i3ImpactExitBegin();
  i3ImpactExitEnd();
}

}  // namespace

void RunMainLoop(Program& program, GameHooks& hooks) {
  platform::Platform& p = program.platform;
  TWindowParams& params = program.windowParams;
  DriverFlags& flags = program.driver;
  const GameSettings& settings = program.persistent.settings;

  const VirtualKeyTableType keys = MakeVirtualKeyTable();
  flags.RestartRequested = 0;
  p.RegisterWindowClass(params.ClassName, [&program](WindowId window, std::uint32_t message,
                                                     std::uintptr_t wParam, std::intptr_t lParam) {
    return GameWindowProc(program, window, message, wParam, lParam);
  });

  for (;;) {
    const WindowId window =
        p.CreateGameWindow(params.ClassName, params.Caption, params.Left, params.Top,
                           params.Right - params.Left, params.Bottom - params.Top);
    params.BossKey = settings.BossKey;

    if (flags.RestartRequested != 0) {
      if (flags.DisplayChanged) {
        // A new display mode: reopen at once.
        flags.DisplayChanged = false;
        flags.RestartRequested = 0;
        params.FullScreen = settings.Windowed == 1 ? 0 : -1;
      } else {
        const WaitResult result = WaitHidden(program, window, keys);
        if (result == WaitResult::EndProgram) return;
        if (result == WaitResult::RetryWindow) continue;
      }
    }

    const auto closeRun = [&] {
      if (iDisplayMode() > 0) p.UnregisterHotKey(window, kAltTabHotKey);
      if (iDisplayMode() > 0) p.UnregisterHotKey(window, kAltF4HotKey);
      i3ImpactClose();
      p.DestroyGameWindow(window);
    };
    try {
      EngineRun(program, hooks, window, keys);
    } catch (const platform::HarnessStop&) {
      throw;
    } catch (...) {
      // The run is closed on the way out, so that the fatal message is not
      // left behind a full-screen window.
      closeRun();
      throw;
    }
    closeRun();
    if (flags.RestartRequested == 0) return;
  }
}

int RunProgram(Program& program, GameHooks& hooks) {
  try {
    RunMainLoop(program, hooks);
    return 0;
  } catch (const platform::HarnessStop&) {
    throw;
  } catch (...) {
    return ReportFatalError(program.platform, true, DescribeError(std::current_exception()));
  }
}

std::intptr_t GameWindowProc(Program& program, WindowId window, std::uint32_t message,
                             std::uintptr_t wParam, std::intptr_t lParam) {
  platform::Platform& p = program.platform;
  DriverFlags& flags = program.driver;
  if (!flags.WindowProcActive) return 0;

  switch (message) {
    case platform::WM_ACTIVATE:
      flags.WindowActivated = true;
      if (flags.MinimisedForLink) {
        // The player came back from the web page: end the wait.
        p.PostQuitMessage(0);
        flags.WindowProcActive = false;
        return 0;
      }
      break;
    case platform::WM_PAINT:
      if (i3ImpactIsReady()) iScreenWipe(0, 0, 0);
      break;
    case platform::WM_CLOSE:
      i3ImpactIsRenderingSet(0);
      p.PostQuitMessage(0);
      return 0;
    case platform::WM_ACTIVATEAPP:
      if ((wParam & 0xFF) == 0 && !i3ImpactIsInitializing() && i3ImpactIsRendering() &&
          iDisplayMode() > 0) {
        flags.RestartRequested = -1;
        return 0;
      }
      break;
    case platform::WM_HOTKEY:
      if (program.ScreenState == ssOptionsBossKey) {
        // The combination is being captured in the options: it only ends the capture.
        program.ScreenState = ssOptions;
        break;
      }
      if (wParam == static_cast<std::uintptr_t>(kBossHotKey)) {
        p.PostQuitMessage(0);
        return 0;
      }
      break;
    default:
      break;
  }
  return p.DefWindowProc(window, message, wParam, lParam);
}

void CheckBossKey(Program& program, WindowId window) {
  const GameSettings& s = program.persistent.settings;
  program.windowParams.BossKey = s.BossKey;
  if (!iKeyClick(program.windowParams.BossKey)) return;

  const unsigned required =
      (s.BossAlt ? 1u : 0u) + (s.BossShift ? 4u : 0u) + (s.BossCtrl ? 2u : 0u);
  const unsigned held = (iKeyDown(kKeyLeftAlt) || iKeyDown(kKeyRightAlt) ? 1u : 0u) +
                        (iKeyDown(kKeyLeftCtrl) || iKeyDown(kKeyRightCtrl) ? 2u : 0u) +
                        (iKeyDown(kKeyLeftShift) || iKeyDown(kKeyRightShift) ? 4u : 0u);
  if (held != required) return;

  if (s.Windowed != 0 && program.ScreenState == ssPlaying) program.ScreenState = ssPaused;
  program.music.MusicStop("1");
  program.music.MusicStop("2");
  program.driver.WindowActivated = false;
  program.platform.SendMessage(window, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
}

}  // namespace shell
