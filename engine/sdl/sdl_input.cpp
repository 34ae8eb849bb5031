#include "engine/sdl/sdl_input.h"

#include <SDL.h>

#include <algorithm>

#include "engine/sdl/key_map.h"
#include "platform/key_codes.h"

namespace engine {
namespace {

using namespace platform::keys;

struct PadButton {
  SDL_GameControllerButton button;
  int code;
};
constexpr PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kKeyUp},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kKeyDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kKeyLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kKeyRight},
    {SDL_CONTROLLER_BUTTON_A, kKeyUp},           {SDL_CONTROLLER_BUTTON_B, kKeyLeftCtrl},
    {SDL_CONTROLLER_BUTTON_X, kKeyLeftCtrl},     {SDL_CONTROLLER_BUTTON_START, kKeyP},
    {SDL_CONTROLLER_BUTTON_BACK, kKeyEsc},
};

float Fraction(int value, int size) {
  return std::clamp(static_cast<float>(value) / static_cast<float>(size), 0.0f, 1.0f);
}

}  // namespace

SdlInput::SdlInput() = default;

SdlInput::~SdlInput() {
  CloseControllers();
}

void SdlInput::CloseControllers() {
  for (auto& [id, pad] : padsById_)
    if (pad.controller) SDL_GameControllerClose(static_cast<SDL_GameController*>(pad.controller));
  padsById_.clear();
  UpdatePads();
}

int SdlInput::openControllers() const {
  int open = 0;
  for (const auto& [id, pad] : padsById_) open += pad.controller ? 1 : 0;
  return open;
}

void SdlInput::Update(const std::bitset<256>& keyboard, const std::bitset<256>& pads) {
  keyboard_ = keyboard;
  pads_ = pads;
  edges_.SetHeld(keyboard_ | pads_);
}

void SdlInput::SetKeyboard(int code, bool down) {
  if (code <= 0 || code >= 256) return;
  std::bitset<256> keyboard = keyboard_;
  keyboard[static_cast<std::size_t>(code)] = down;
  Update(keyboard, pads_);
}

void SdlInput::UpdatePads() {
  std::bitset<256> held;
  for (const auto& [id, pad] : padsById_) {
    for (const PadButton& b : kPadButtons)
      if (pad.buttons[b.button]) held[b.code] = true;
    if (pad.x <= -kStickThreshold) held[kKeyLeft] = true;
    if (pad.x >= kStickThreshold) held[kKeyRight] = true;
    if (pad.y <= -kStickThreshold) held[kKeyUp] = true;
    if (pad.y >= kStickThreshold) held[kKeyDown] = true;
  }
  Update(keyboard_, held);
}

void SdlInput::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (event.key.repeat == 0)
        SetKeyboard(DirectInputCodeOfScancode(event.key.keysym.scancode), true);
      break;
    case SDL_KEYUP:
      SetKeyboard(DirectInputCodeOfScancode(event.key.keysym.scancode), false);
      break;
    case SDL_MOUSEMOTION:
      edges_.MoveMouse(Fraction(event.motion.x, kScreenWidth),
                       Fraction(event.motion.y, kScreenHeight));
      break;
    case SDL_MOUSEBUTTONDOWN: {
      edges_.MoveMouse(Fraction(event.button.x, kScreenWidth),
                       Fraction(event.button.y, kScreenHeight));
      const int index = event.button.button == SDL_BUTTON_LEFT     ? 0
                        : event.button.button == SDL_BUTTON_RIGHT  ? 1
                        : event.button.button == SDL_BUTTON_MIDDLE ? 2
                                                                   : -1;
      edges_.PressButton(index);
      break;
    }
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (!controller) break;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      Pad& pad = padsById_[id];
      if (pad.controller) SDL_GameControllerClose(static_cast<SDL_GameController*>(pad.controller));
      pad.controller = controller;
      break;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = padsById_.find(event.cdevice.which);
      if (it == padsById_.end()) break;
      if (it->second.controller)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(it->second.controller));
      padsById_.erase(it);
      UpdatePads();
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (event.cbutton.button < 32) {
        padsById_[event.cbutton.which].buttons[event.cbutton.button] =
            event.type == SDL_CONTROLLERBUTTONDOWN;
        UpdatePads();
      }
      break;
    case SDL_CONTROLLERAXISMOTION: {
      Pad& pad = padsById_[event.caxis.which];
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) pad.x = event.caxis.value;
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) pad.y = event.caxis.value;
      UpdatePads();
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) ReleaseAll();
      break;
    default:
      break;
  }
}

void SdlInput::Read(InputSnapshot& input) {
  edges_.TakeSnapshot(input);
}

void SdlInput::SetMouse(float x, float y) {
  edges_.MoveMouse(x, y);
}

void SdlInput::ReleaseAll() {
  keyboard_.reset();
  for (auto& [id, pad] : padsById_) {
    pad.buttons.reset();
    pad.x = pad.y = 0;
  }
  pads_.reset();
  edges_.SetHeld(keyboard_ | pads_);
}

}  // namespace engine
