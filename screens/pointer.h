// The game's own pointer: where it is in screen units and its sprite. In a
// window (the Windowed setting exactly 1, the driver's own test) the position
// comes from the system pointer over the game window's client area, and the
// system pointer is hidden while over it; in full screen it comes from the
// engine's mouse.
#pragma once

#include <optional>

#include "core/program.h"
#include "engine/owned.h"
#include "engine/types.h"

namespace screens {

struct ScreenPoint {
  long double x = 0;
  long double y = 0;
};

class Pointer {
 public:
  explicit Pointer(core::Program& program) : program_(program) {}

  // "data\cursor.png" on the front layer; the engine's mouse back to the centre.
  void Create();
  // At (0.5, 0.5) on the front layer, shown.
  void PlaceAtStart() const;
  void Show() const;
  void Hide() const;
  iHandle sprite() const { return picture_.sprite; }

  // The pointer position this frame, with the sprite moved there; nullopt when
  // the system pointer is outside the game window (nothing is hovered or clicked).
  std::optional<ScreenPoint> Read();

  // The position of the previous frame (PointerX, PointerY).
  const ScreenPoint& last() const { return last_; }
  void Remember(const ScreenPoint& point) { last_ = point; }

 private:
  std::optional<ScreenPoint> ReadWindowed();
  void SetSystemPointerShown(bool shown);

  core::Program& program_;
  engine::OwnedPicture picture_;
  ScreenPoint last_;
  std::optional<bool> systemPointerShown_;
};

}  // namespace screens
