// THero's poses and picture animations: running, standing, in the air,
// take-off, landing and joy. Picture steps are timed by the millisecond tick.
#include <algorithm>

#include "game/game_context.h"
#include "game/hero.h"
#include "game/slot_pictures.h"

namespace game {
namespace {

constexpr std::uint32_t kJoyStepMs = 100;
constexpr std::uint32_t kJumpStepMs = 40;
constexpr std::uint32_t kRunStepMs = 80;
constexpr int kRunFrames = 8;
constexpr std::int32_t kAirFrame = 3;

template <std::size_t N>
iHandle PictureAt(const std::array<engine::OwnedTexture, N>& pictures, std::int32_t frame) {
  return pictures[static_cast<std::size_t>(
      std::clamp<std::int32_t>(frame, 1, static_cast<std::int32_t>(N - 1)))];
}

}  // namespace

void THero::WalkFacing(std::uint8_t d) {
  if (rising || falling) {
    if (d != direction) {
      ShowPicture(jumpPictures[d][kAirFrame]);
      frame = kAirFrame;
      direction = d;
    }
    return;
  }
  if (d != direction) {
    ShowPicture(runPictures[d][1]);
    frame = 1;
    direction = d;
  }
  running = true;
}

void THero::SetAirPose(std::uint8_t d) {
  if (rising || falling) {
    ShowPicture(jumpPictures[d][kAirFrame]);
    frame = kAirFrame;
  } else {
    ShowPicture(jumpPictures[d][1]);
    frame = 1;
  }
  direction = d;
  running = false;
}

void THero::StandStill() {
  ShowPicture(runPictures[direction][1]);
  frame = 1;
  running = false;
}

void THero::StartJoy() {
  joy = true;
  running = false;
  frame = 1;
  ShowPicture(joyPictures[direction][1]);
}

void THero::AdvanceRunPicture(std::uint32_t intervalMs, int lastFrame) {
  if (!PictureStepDue(Now(), lastPictureTick, intervalMs)) return;
  if (++frame > lastFrame) frame = 1;
  ShowPicture(PictureAt(runPictures[direction], frame));
}

iHandle THero::CurrentPicture() const {
  if (dying) return PictureAt(diePictures[direction], frame);
  if (joy) return PictureAt(joyPictures[direction], frame);
  if (takeOff || landing || rising || falling) return PictureAt(jumpPictures[direction], frame);
  return PictureAt(runPictures[direction], frame);
}

void THero::StepJoy() {
  if (frame > 4) {
    joy = false;
    frame = 1;
    ShowPicture(runPictures[direction][1]);
    return;
  }
  if (!PictureStepDue(Now(), lastPictureTick, kJoyStepMs)) return;
  ++frame;
  ShowPicture(PictureAt(joyPictures[direction], frame));
}

void THero::StepTakeOff() {
  if (frame > 2) {
    takeOff = false;
    rising = true;
    return;
  }
  if (!PictureStepDue(Now(), lastPictureTick, kJumpStepMs)) return;
  ++frame;
  ShowPicture(PictureAt(jumpPictures[direction], frame));
}

void THero::StepLanding() {
  if (frame > 4) {
    landing = false;
    falling = false;
    frame = 1;
    ShowPicture(runPictures[direction][1]);
    return;
  }
  if (!PictureStepDue(Now(), lastPictureTick, kJumpStepMs)) return;
  ++frame;
  ShowPicture(PictureAt(jumpPictures[direction], frame));
}

void THero::StepRunPicture() {
  AdvanceRunPicture(kRunStepMs, kRunFrames);
}

}  // namespace game
