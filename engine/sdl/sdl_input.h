// Keyboard, mouse and game controllers as the engine's input snapshot: keys by
// DirectInput code, held and "went down since the previous run phase" (a press
// and release in between still counts once; key auto-repeat never counts), the
// mouse as fractions of the 800 x 600 picture, and any game controller mapped
// onto keys: D-pad and left stick as the arrows, A as Up, B or X as left Ctrl,
// Start as P, Back as Esc.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>

#include "engine/input_edges.h"
#include "engine/world.h"

union SDL_Event;

namespace engine {

class SdlInput {
 public:
  SdlInput();
  ~SdlInput();
  SdlInput(const SdlInput&) = delete;
  SdlInput& operator=(const SdlInput&) = delete;

  // Mouse events must already be in picture coordinates (0..800, 0..600), as SDL
  // delivers them once the renderer has its logical size.
  void Handle(const SDL_Event& event);
  // Fills the snapshot for the run phase that begins and starts counting anew.
  void Read(InputSnapshot& input);
  void SetMouse(float x, float y);
  // Everything released (the window lost the focus or the engine closed).
  void ReleaseAll();
  // Closes the open game controllers; due before SDL's controller subsystem is
  // shut down, which frees them.
  void CloseControllers();
  int openControllers() const;

  static constexpr int kStickThreshold = 16000;  // of 32767

 private:
  struct Pad {
    void* controller = nullptr;  // SDL_GameController*, null for events without a device
    std::bitset<32> buttons;
    int x = 0;
    int y = 0;
  };
  void SetKeyboard(int code, bool down);
  // Recomputes the keys the controllers hold; a key going down counts as a press.
  void UpdatePads();
  void Update(const std::bitset<256>& keyboard, const std::bitset<256>& pads);

  std::bitset<256> keyboard_;
  std::bitset<256> pads_;
  InputEdges edges_;
  std::map<std::int32_t, Pad> padsById_;
};

}  // namespace engine
