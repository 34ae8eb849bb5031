// The window backend on SDL's off-screen video driver (no display needed): every
// explicit render is shown whatever the pacing says, at the first engine run and
// after a restart; and a game controller still connected when the backend goes
// away is closed before SDL's controller subsystem shuts down (under ASan,
// closing it afterwards is a use after free).
#include "engine/sdl/sdl_backend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/engine.h"
#include "engine/runtime.h"

namespace {

TEST(SdlBackend, ExplicitRendersAreAllShownBeforeAndAfterARestart) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  // Drawing on the processor: no OpenGL libraries loaded (and left behind).
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    platform::SdlEventRouter router;
    auto owned = std::make_unique<engine::SdlBackend>(router);
    engine::SdlBackend& backend = *owned;
    engine::Engine engine(std::move(owned));
    engine::ScopedInstall install(engine);
    const std::int32_t settings[6] = {0, 0, 15360000, 0, 0, -1};
    for (int run = 1; run <= 2; ++run) {
      SCOPED_TRACE(run == 1 ? "first engine run" : "after a restart");
      SDL_Window* window =
          SDL_CreateWindow("Zorbelline Quester", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
      ASSERT_NE(window, nullptr) << SDL_GetError();
      ASSERT_TRUE(i3ImpactOpen(window, 0));
      ASSERT_TRUE(i3ImpactSettings(settings));
      const int before = backend.framesShown();
      // The initialisation phase draws its loading picture between long steps.
      const iHandle loading = iSpriteCreate("data\\sprite.x", 0);
      i3ImpactMain();
      ASSERT_TRUE(i3ImpactIsInitializing());
      for (int i = 0; i < 8; ++i) iSpriteRender(loading, -1);
      EXPECT_EQ(backend.framesShown() - before, 8);
      i3ImpactClose();
      SDL_DestroyWindow(window);
    }
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(SdlBackend, ControllerStillConnectedAtShutdownIsClosedFirst) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::SdlEventRouter router;
  {
    engine::SdlBackend backend(router);
    const int device = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(device)) << "the virtual device has a controller mapping";
    SDL_Event added{};
    added.type = SDL_CONTROLLERDEVICEADDED;
    added.cdevice.which = device;
    router.Route(added);
    ASSERT_EQ(backend.openControllers(), 1);

    // The controller works as the game's keys through the backend.
    SDL_Event button{};
    button.type = SDL_CONTROLLERBUTTONDOWN;
    button.cbutton.which = SDL_JoystickGetDeviceInstanceID(device);
    button.cbutton.button = SDL_CONTROLLER_BUTTON_START;
    router.Route(button);
    engine::InputSnapshot input;
    backend.ReadInput(input);
    EXPECT_TRUE(input.clicked[25]) << "Start is P";
  }
  SDL_Quit();
}

}  // namespace
