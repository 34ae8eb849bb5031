#include "core/window_params.h"

namespace core {

void FillWindowParams(TWindowParams& params, int desktopWidth, int desktopHeight,
                      const GameSettings& settings) {
  params = TWindowParams{};
  // C++ division truncates toward zero, as the layout requires.
  params.Left = desktopWidth / 2 - 400;
  params.Top = desktopHeight / 2 - 300;
  params.Right = desktopWidth / 2 + 400;
  params.Bottom = desktopHeight / 2 + 300;
  params.FullScreen = settings.Windowed == 1 ? 0 : -1;
  params.BossKey = settings.BossKey;
}

}  // namespace core
