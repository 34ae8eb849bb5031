#include "screens/pointer.h"

#include "engine/engine.h"

namespace screens {

void Pointer::Create() {
  picture_ = engine::MakeOwnedPicture(iSpriteCreate("data\\sprite.x", 0),
                                      [] { return iTextureCreate("data\\cursor.png"); });
  iSpriteScaleSet(picture_.sprite, {1, 1});
  iMouseReset({0.5f, 0.5f});
}

void Pointer::PlaceAtStart() const {
  iSpriteLocationSet(picture_.sprite, {0.5f, 0.5f});
  iSpriteShow(picture_.sprite);
  iSpritePrioritySet(picture_.sprite, 1);
}

void Pointer::Show() const {
  iSpriteShow(picture_.sprite);
}

void Pointer::Hide() const {
  iSpriteHide(picture_.sprite);
}

std::optional<ScreenPoint> Pointer::Read() {
  std::optional<ScreenPoint> point;
  if (program_.persistent.settings.Windowed == 1) {
    point = ReadWindowed();
    SetSystemPointerShown(!point);
    if (!point) return std::nullopt;
  } else {
    point = ScreenPoint{iMouseX() * 32.0L - 16, 12 - iMouseY() * 24.0L};
  }
  iSpriteLocationSet(picture_.sprite, {static_cast<float>(point->x), static_cast<float>(point->y)});
  return point;
}

std::optional<ScreenPoint> Pointer::ReadWindowed() {
  platform::Platform& os = program_.platform;
  int px = 0;
  int py = 0;
  platform::Rect rect;
  if (!os.CursorPos(px, py)) return std::nullopt;
  const platform::WindowId window = os.FindWindowByCaption(program_.windowParams.Caption);
  if (window == 0 || !os.WindowRect(window, rect)) return std::nullopt;
  rect.top += os.CaptionHeight();
  if (px < rect.left || px > rect.right || py < rect.top || py > rect.bottom) return std::nullopt;
  const long double w = rect.right - rect.left;
  const long double h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return std::nullopt;
  return ScreenPoint{(px - rect.left) / w * 32 - 16, 12 - (py - rect.top) / h * 24};
}

// The system pointer is hidden over the game window and shown outside it. Only
// a change is passed on, so a counting ShowCursor stays balanced.
void Pointer::SetSystemPointerShown(bool shown) {
  if (systemPointerShown_ == shown) return;
  systemPointerShown_ = shown;
  program_.platform.ShowCursor(shown);
}

}  // namespace screens
