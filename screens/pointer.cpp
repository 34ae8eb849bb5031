#include "screens/pointer.h"

#include "engine/engine.h"

namespace screens {

void Pointer::Create() {
  sprite_ = iSpriteCreate("data\\sprite.x", 0);
  iSpriteTextureSet(sprite_, iTextureCreate("data\\cursor.png"));
  iSpriteScaleSet(sprite_, {1, 1});
  iMouseReset({0.5f, 0.5f});
}

void Pointer::PlaceAtStart() const {
  iSpriteLocationSet(sprite_, {0.5f, 0.5f});
  iSpriteShow(sprite_);
  iSpritePrioritySet(sprite_, 1);
}

void Pointer::Show() const {
  iSpriteShow(sprite_);
}

void Pointer::Hide() const {
  iSpriteHide(sprite_);
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
  iSpriteLocationSet(sprite_, {static_cast<float>(point->x), static_cast<float>(point->y)});
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
