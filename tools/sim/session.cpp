#include "tools/sim/session.h"

#include <cmath>
#include <cstdlib>

#include "core/program.h"
#include "engine/engine.h"
#include "engine/headless/headless_backend.h"
#include "engine/music.h"
#include "engine/runtime.h"
#include "online/online_submission.h"
#include "platform/scripted/scripted_platform.h"
#include "screens/publisher.h"
#include "screens/scene.h"
#include "screens/submission.h"
#include "shell/main_loop.h"
#include "tools/sim/soak_submission.h"

namespace sim {

Session::Session(Options options) : options_(std::move(options)) {
  auto backend = std::make_unique<engine::HeadlessBackend>();
  headless_ = backend.get();
  engine_ = std::make_unique<engine::Engine>(std::move(backend));
  engine_->world().decodedImages.SetSizesOnly(!options_.pixels);
  mixer_ = engine::MusicMixer::Virtual(headless_->virtualClock());
  platform_ = std::make_unique<platform::ScriptedPlatform>(headless_->virtualClock());
  program_ = std::make_unique<core::Program>(*platform_);
  core::LoadPersistentFiles(program_->persistent);
  int desktopWidth = 0;
  int desktopHeight = 0;
  platform_->DesktopSize(desktopWidth, desktopHeight);
  core::FillWindowParams(program_->windowParams, desktopWidth, desktopHeight,
                         program_->persistent.settings);
  // Scores go out only to a service named by ZQ_SCORE_SERVER (our own).
  if (options_.worker) {
    worker_ = options_.worker();
  } else if (const char* server = std::getenv("ZQ_SCORE_SERVER"); server && *server) {
    // Each send is waited for before the next frame (bounded by the worker's
    // time-outs), so that the frames do not depend on how fast the service is.
    const std::string root = screens::ScoreServer();
    worker_ =
        std::make_unique<WaitingSubmission>(std::make_unique<online::OnlineSubmission>(root), root);
  } else {
    worker_ = std::make_unique<screens::NoSubmissionWorker>();
  }
  scene_ = std::make_unique<screens::Scene>(*program_, *worker_,
                                            screens::SceneOptions{options_.seed, options_.replay});
  scene_->game().StartNextGameAtLevel(options_.firstLevel);
}

Session::~Session() = default;

core::Program& Session::program() {
  return *program_;
}
screens::Scene& Session::scene() {
  return *scene_;
}
platform::ScriptedPlatform& Session::platform() {
  return *platform_;
}
engine::HeadlessBackend& Session::backend() {
  return *headless_;
}
engine::World& Session::world() {
  return engine_->world();
}
engine::Engine& Session::engine() {
  return *engine_;
}

std::string Session::CurrentSong() const {
  return program_->music.CurrentSongName();
}

Session::End Session::Run(int maxFrames, const std::function<bool(int)>& picture,
                          const std::function<void(const FrameRecord&)>& onFrame) {
  maxFrames_ = maxFrames;
  picture_ = &picture;
  onFrame_ = &onFrame;
  engine::ScopedInstall install(*engine_);
  engine::ScopedMusicInstall music(*mixer_);
  core::GameHooks hooks{[this] {
                          FinishFrame();
                          scene_->InitialiseAll();
                          AfterInitialise();
                        },
                        [this] {
                          BeforeDispatch();
                          scene_->DispatchFrame();
                          AfterDispatch();
                        }};
  End end = End::ProgramEnded;
  try {
    exitStatus_ = shell::RunProgram(*program_, hooks);
  } catch (const StopRun&) {
    if (stopRequested_) {
      end = End::Stopped;
    } else {
      end = maxFrames_ > 0 && framesRun_ >= maxFrames_ ? End::FramesRanOut : End::ScriptExhausted;
    }
  } catch (const platform::ScriptExhausted&) {
    end = End::ScriptExhausted;
  }
  FinishFrame();
  picture_ = nullptr;
  onFrame_ = nullptr;
  return end;
}

void Session::AfterInitialise() {
  // A wait step for every GetMessage of a hidden wait, each putting the next one in place.
  platform_->WhenWaiting([this] { Idle(); });
  DeliverUpTo(framesRun_ + 1);
}

void Session::BeforeDispatch() {
  FinishFrame();
  if (stopRequested_ || (maxFrames_ > 0 && framesRun_ >= maxFrames_)) throw StopRun{};
}

void Session::AfterDispatch() {
  ++framesRun_;
  FrameRecord record;
  record.frame = framesRun_;
  record.texts = engine_->world().texts;
  if (options_.pixels && *picture_ && (*picture_)(framesRun_))
    record.picture = headless_->RenderFrame(engine_->world());
  pending_ = std::move(record);
  // When this engine run ends after this frame, the next events wait for what
  // comes next: a hidden wait asks for them, a new engine run takes them.
  if (program_->driver.RestartRequested == 0 && i3ImpactIsRendering()) DeliverUpTo(framesRun_ + 1);
}

void Session::FinishFrame() {
  if (!pending_) return;
  FrameRecord record = std::move(*pending_);
  pending_.reset();
  record.sounds = headless_->TakeStartedSounds();
  if (*onFrame_) (*onFrame_)(record);
}

void Session::Idle() {
  FinishFrame();
  if (stopRequested_) throw StopRun{};
  if (options_.input) {
    DeliverGenerated(framesRun_ + 1, true);
    platform_->WhenWaiting([this] { Idle(); });
    return;
  }
  if (nextEvent_ >= options_.script.size()) throw StopRun{};
  const int frame = options_.script[nextEvent_].frame;
  while (nextEvent_ < options_.script.size() && options_.script[nextEvent_].frame == frame) {
    Deliver(options_.script[nextEvent_++]);
  }
  platform_->WhenWaiting([this] { Idle(); });
}

void Session::DeliverGenerated(int frame, bool waiting) {
  generated_.clear();
  options_.input(frame, waiting, generated_);
  for (const ScriptEvent& event : generated_) Deliver(event);
}

void Session::DeliverUpTo(int frame) {
  if (options_.input) {
    for (; generatedUpTo_ < frame; ++generatedUpTo_) DeliverGenerated(generatedUpTo_ + 1, false);
    return;
  }
  while (nextEvent_ < options_.script.size() && options_.script[nextEvent_].frame <= frame) {
    Deliver(options_.script[nextEvent_++]);
  }
}

void Session::Deliver(const ScriptEvent& event) {
  using Kind = ScriptEvent::Kind;
  switch (event.kind) {
    case Kind::Key:
      headless_->KeyTap(event.code);
      break;
    case Kind::Down:
      headless_->KeyDown(event.code);
      break;
    case Kind::Up:
      headless_->KeyUp(event.code);
      break;
    case Kind::Mouse: {
      // The engine's mouse (full screen) and the system pointer over the
      // window's client area (in a window) both move there.
      const double fx = (event.x + 16) / 32;
      const double fy = (12 - event.y) / 24;
      headless_->MouseMove(static_cast<float>(fx), static_cast<float>(fy));
      platform::Rect rect;
      const platform::WindowId window = platform_->LastWindow();
      if (window == 0 || !platform_->WindowRect(window, rect)) {
        const core::TWindowParams& p = program_->windowParams;
        rect = {p.Left, p.Top, p.Right, p.Bottom};
      }
      rect.top += platform_->CaptionHeight();
      platform_->SetCursorPos(
          static_cast<int>(std::lround(rect.left + fx * (rect.right - rect.left))),
          static_cast<int>(std::lround(rect.top + fy * (rect.bottom - rect.top))));
      break;
    }
    case Kind::Click:
      headless_->MouseClick(0);
      break;
    case Kind::FocusLost:
      platform_->Deactivate();
      break;
    case Kind::FocusGained:
      platform_->Activate();
      break;
    case Kind::Close:
      platform_->PostToGameWindow(platform::WM_CLOSE);
      break;
    case Kind::HotKey: {
      const core::GameSettings& s = program_->persistent.settings;
      const unsigned modifiers = (s.BossCtrl ? platform::MOD_CONTROL : 0u) |
                                 (s.BossAlt ? platform::MOD_ALT : 0u) |
                                 (s.BossShift ? platform::MOD_SHIFT : 0u);
      platform_->PressHotKey(modifiers, shell::MakeVirtualKeyTable()[s.BossKey]);
      break;
    }
  }
}

}  // namespace sim
