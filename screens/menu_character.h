// What every character of the menu scene shares: one sprite, a table of
// animation images in two rows (row 0 walking left, row 1 walking right), a
// direction, a frame counted from 1, the tick of the last frame change and a
// position. Image k of row r is pack image r * n + k - 1.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/owned.h"
#include "engine/types.h"

namespace screens {

enum Direction : int { kLeft = 0, kRight = 1 };

struct CharacterLook {
  const char* pack;          // texture pack of the walk frames
  int framesPerRow;          // n
  float size;                // sprite scale, both axes
  long double y;             // height of the walk line (the raven picks its own)
  long double walk;          // units per frame
  std::uint32_t intervalMs;  // the frame changes after more than this
  std::int32_t tagBase;      // texture tag of image k of row r: tagBase + r * n + k
};

class MenuCharacter {
 public:
  explicit MenuCharacter(const CharacterLook& look) : look_(look) {}
  virtual ~MenuCharacter() = default;
  MenuCharacter(MenuCharacter&&) noexcept = default;

  // Makes the sprite and its images again after an engine restart, showing the
  // current image at the current position.
  void Reload();
  void Show() const;
  void Hide() const;

  Direction direction() const { return direction_; }
  int frame() const { return frame_; }
  long double x() const { return x_; }
  long double y() const { return y_; }
  iHandle sprite() const { return sprite_; }

 protected:
  void CreateSprite();
  void ShowImage() const;  // image `frame_` of the row of `direction_`
  void Place() const;
  // One walk step in the current direction.
  void Walk() { x_ += direction_ == kRight ? look_.walk : -look_.walk; }
  // Advances the frame through 1..n when more than the interval has passed since
  // the last change; true when it changed.
  bool Animate(std::uint32_t nowMs);
  // Frame 1 of the row of `direction`, shown.
  void Turn(Direction direction);

  const CharacterLook& look_;
  Direction direction_ = kRight;
  int frame_ = 1;
  std::uint32_t lastChangeMs_ = 0;
  long double x_ = 0;
  long double y_ = 0;

 private:
  engine::OwnedSprite sprite_;
  std::vector<engine::OwnedTexture> images_;  // row-major: row * n + frame - 1
};

}  // namespace screens
