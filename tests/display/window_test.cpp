#include <SDL.h>

#include "engine/sdl/sdl_backend.h"
#include "tests/display/display_fixture.h"
#include "tests/display/x_client.h"

namespace {

using testing_support::DisplayTest;

TEST_F(DisplayTest, PointerFormulaOfTheWindowMapsOntoTheClientArea) {
  const platform::WindowId window = NewWindow(112, 84);
  platform_->ShowGameWindow(window, platform::ShowCommand::ShowNormal);
  SDL_Window* sdl = static_cast<SDL_Window*>(platform_->EngineWindow(window));
  int clientX = 0, clientY = 0;
  SDL_GetWindowPosition(sdl, &clientX, &clientY);

  struct Case {
    int x, y;  // in the client area
  };
  for (const Case c : {Case{0, 0}, Case{400, 300}, Case{799, 599}, Case{200, 150}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    SDL_WarpMouseInWindow(sdl, c.x, c.y);
    // The pointer's motion event (and a window manager's move of the window)
    // arrive through the message pump.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int mx = -1, my = -1;
    const auto arrived = [&] {
      SDL_GetMouseState(&mx, &my);
      return SDL_GetMouseFocus() == sdl && mx == c.x && my == c.y;
    };
    while (std::chrono::steady_clock::now() < deadline && !arrived()) {
      platform::Message m;
      while (platform_->PeekMessage(m)) {
      }
      SDL_Delay(10);
    }
    int px = 0, py = 0;
    ASSERT_TRUE(platform_->CursorPos(px, py));
    platform::Rect rect;
    ASSERT_EQ(platform_->FindWindowByCaption("Zorbelline Quester"), window);
    ASSERT_TRUE(platform_->WindowRect(window, rect));
    rect.top += platform_->CaptionHeight();
    const double w = rect.right - rect.left, h = rect.bottom - rect.top;
    EXPECT_DOUBLE_EQ((px - rect.left) / w * 32 - 16, c.x / 800.0 * 32 - 16);
    EXPECT_DOUBLE_EQ(12 - (py - rect.top) / h * 24, 12 - c.y / 600.0 * 24);
  }
  platform_->DestroyGameWindow(window);
  EXPECT_EQ(platform_->FindWindowByCaption("Zorbelline Quester"), 0u);
}

TEST_F(DisplayTest, WindowEventsBecomeWindowMessages) {
  const platform::WindowId window = NewWindow();
  SDL_Window* sdl = static_cast<SDL_Window*>(platform_->EngineWindow(window));
  struct Case {
    Uint32 type;
    Uint8 windowEvent;
    std::uint32_t message;
    std::uintptr_t wParam;
  };
  const Case cases[] = {
      {SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE, platform::WM_CLOSE, 0},
      {SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED, platform::WM_ACTIVATE, 1},
      {SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST, platform::WM_ACTIVATEAPP, 0},
      {SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED, platform::WM_PAINT, 0},
      {SDL_QUIT, 0, platform::WM_CLOSE, 0},  // SIGTERM or SIGINT
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    SDL_Event event{};
    event.type = c.type;
    event.window.windowID = SDL_GetWindowID(sdl);
    event.window.event = c.windowEvent;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    const auto message = WaitFor(c.message);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->window, window);
    EXPECT_EQ(message->wParam, c.wParam);
  }
}

TEST_F(DisplayTest, QuitMessageEndsGetMessage) {
  const platform::WindowId window = NewWindow();
  platform_->PostQuitMessage(0);
  platform::Message message;
  EXPECT_EQ(platform_->GetMessage(message, window), 0);
  EXPECT_EQ(message.message, platform::WM_QUIT);
}

TEST_F(DisplayTest, BackendDrawsTheWorldInTheWindowAndLetterboxesFullScreen) {
  engine::SdlBackend backend(router_);
  testing_support::OtherXClient screen;
  ASSERT_TRUE(screen.connected());
  engine::World world;
  auto image = std::make_shared<engine::Image>();
  image->width = image->height = 4;
  for (int i = 0; i < 16; ++i) image->rgba.insert(image->rgba.end(), {255, 0, 0, 255});
  world.textures[1].image = image;
  engine::Sprite& sprite = world.sprites[2];
  sprite.texture = 1;
  sprite.location = {14, 10};  // near the top right corner: 750, 50 in the picture
  sprite.scale = {1, 1};       // 40 x 40 pixels
  sprite.shown = true;

  int desktopWidth = 0, desktopHeight = 0;
  platform_->DesktopSize(desktopWidth, desktopHeight);
  struct Case {
    bool fullScreen;
  };
  for (const Case c : {Case{false}, Case{true}}) {
    SCOPED_TRACE(c.fullScreen ? "full screen" : "window");
    const platform::WindowId window = NewWindow(100, 50);
    ASSERT_TRUE(backend.Open(platform_->EngineWindow(window), c.fullScreen));
    EXPECT_EQ(backend.DisplayMode(), c.fullScreen ? 1 : 0);
    EXPECT_FALSE(backend.RendererName().empty());
    // Let the window settle at its size, then draw after a run phase.
    for (int i = 0; i < 10; ++i) {
      platform::Message m;
      while (platform_->PeekMessage(m)) {
      }
      backend.TakeRunPhase();
      backend.Present(world);
    }
    SDL_Delay(200);
    // Where picture pixel (px, py) lands on the screen.
    double scale = 1, left = 100, top = 50;
    if (c.fullScreen) {
      scale = std::min(desktopWidth / 800.0, desktopHeight / 600.0);
      left = (desktopWidth - 800 * scale) / 2;
      top = (desktopHeight - 600 * scale) / 2;
    }
    const auto at = [&](int px, int py) {
      return screen.Pixel(static_cast<int>(left + px * scale), static_cast<int>(top + py * scale));
    };
    const testing_support::ScreenRgb red = at(750, 50);
    EXPECT_GT(red.r, 200);
    EXPECT_LT(red.g, 50);
    EXPECT_LT(at(400, 300).r, 30) << "the background is black";
    if (c.fullScreen && left >= 2) {
      EXPECT_LT(screen.Pixel(static_cast<int>(left) - 2, desktopHeight / 2).r, 30) << "bar";
    }
    backend.Close();
    platform_->DestroyGameWindow(window);
  }
}

}  // namespace
