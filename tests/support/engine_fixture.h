// An installed headless engine, opened on a dummy window and past its
// initialisation phase, for tests that create engine objects and render them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "engine/headless/headless_backend.h"
#include "engine/image.h"
#include "engine/runtime.h"

namespace testing_support {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest();
  ~EngineTest() override;

  engine::World& world() { return engine_.world(); }
  engine::HeadlessBackend& backend() { return *backend_; }

  // Runs one run phase (input is read at its start, particles step at its end).
  void RunPhase();
  // A texture of one solid colour.
  iHandle SolidTexture(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255,
                       int width = 4, int height = 4);
  // A shown sprite of a solid colour.
  iHandle SolidSprite(std::uint8_t r, std::uint8_t g, std::uint8_t b, iVec2 location, iVec2 scale,
                      int layer = 0);
  engine::Image Render() { return backend_->RenderFrame(world()); }

 private:
  engine::HeadlessBackend* backend_;
  engine::Engine engine_;
  engine::ScopedInstall install_;
};

// RGBA of one pixel of a rendered frame.
struct Rgba {
  std::uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};
Rgba PixelAt(const engine::Image& image, int x, int y);
void PrintTo(const Rgba& c, std::ostream* os);

}  // namespace testing_support
