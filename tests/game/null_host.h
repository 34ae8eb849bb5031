// A scene that does nothing for the game: level-object tests that need no
// loading picture, game-over picture or way back to the menus.
#pragma once

#include <cstdint>

#include "game/game_context.h"

namespace game {

class NullHost final : public GameHost {
 public:
  void ShowAndRenderLoadingPicture() override {}
  void HideLoadingPicture() override {}
  void ShowGameOverPicture() override {}
  void HideGameOverPicture() override {}
  bool OpenRecordEntry(std::int32_t) override { return false; }
  void ReturnToMainMenu() override {}
  void ShowPointer() override {}
  void RecreateDialogPictures() override {}
};

}  // namespace game
