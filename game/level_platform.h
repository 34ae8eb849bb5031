// TPlatform: one block of ground. The hero and the enemies stand on its top,
// it blocks the hero from the sides and from below; platforms never move.
#pragma once

#include "engine/owned.h"
#include "engine/types.h"
#include "game/rect_box.h"

namespace game {

struct GameContext;

class TPlatform {
 public:
  // picture: 1..4, the block texture of the game's blockTextures.
  TPlatform(GameContext& game, int picture);
  ~TPlatform();
  TPlatform(const TPlatform&) = delete;
  TPlatform& operator=(const TPlatform&) = delete;

  // Places the sprite at (x, y).
  void Refresh() const;
  // After an engine restart: a new sprite, with a block picture drawn again at
  // random among the four.
  void Reload();
  void Show() const;
  void Hide() const;
  void SetLayer(int layer) const;

  long double Top() const { return y + halfHeight; }
  RectBox Box() const { return BoxAround(x, y, halfWidth, halfHeight); }

  long double x = 0;
  long double y = -4;
  long double halfHeight = 0.5L;
  long double halfWidth = 2.75L;
  engine::OwnedSprite sprite;

 private:
  GameContext& game_;
};

}  // namespace game
