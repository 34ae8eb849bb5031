// Collects keys and mouse between two run phases with the engine's edge rules:
// a key or button that went down since the previous snapshot counts as clicked
// once, even when it was released again before the snapshot.
#pragma once

#include <bitset>

#include "engine/world.h"

namespace engine {

class InputEdges {
 public:
  // The keys held now; those that were up before count as pressed.
  void SetHeld(const std::bitset<256>& held) {
    pressedSince_ |= held & ~held_;
    held_ = held;
  }
  const std::bitset<256>& held() const { return held_; }
  void MoveMouse(float x, float y) {
    mouseX_ = x;
    mouseY_ = y;
  }
  void PressButton(int button) {
    if (button >= 0 && button < 3) buttonPressedSince_[button] = true;
  }
  // Fills the snapshot for the run phase that begins and starts counting anew.
  void TakeSnapshot(InputSnapshot& input) {
    input.down = held_;
    input.clicked = pressedSince_;
    pressedSince_.reset();
    input.mouseX = mouseX_;
    input.mouseY = mouseY_;
    for (int b = 0; b < 3; ++b) {
      input.mouseClicked[b] = buttonPressedSince_[b];
      buttonPressedSince_[b] = false;
    }
  }

 private:
  std::bitset<256> held_;
  std::bitset<256> pressedSince_;
  float mouseX_ = 0.5f;
  float mouseY_ = 0.5f;
  bool buttonPressedSince_[3] = {false, false, false};
};

}  // namespace engine
