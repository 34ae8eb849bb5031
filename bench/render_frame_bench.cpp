// Frames drawn in the game window at 800 x 600: on the renderer the game picks,
// on OpenGL (on a machine without a GPU: Mesa's llvmpipe) and on SDL's software
// renderer. Needs an X display; run it under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" ./render_frame_bench
//
// Scenes: a representative level frame, the intro frame with 2,000 particles,
// a bare clear-and-present, and the level's 1,000 particles drawn one call per
// particle (each in a system of its own) against the same particles batched.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "engine/sdl/sdl_backend.h"
#include "platform/sdl/sdl_platform.h"

namespace {

using engine::World;

std::shared_ptr<engine::Image> Picture(int width, int height, std::uint8_t r, std::uint8_t g,
                                       std::uint8_t b, bool softEdge) {
  auto image = std::make_shared<engine::Image>();
  image->width = width;
  image->height = height;
  image->rgba.reserve(static_cast<std::size_t>(width * height * 4));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double dx = (x + 0.5) / width * 2 - 1, dy = (y + 0.5) / height * 2 - 1;
      const double d = std::sqrt(dx * dx + dy * dy);
      const auto a = static_cast<std::uint8_t>(softEdge ? std::max(0.0, 1 - d) * 255 : 255);
      image->rgba.insert(image->rgba.end(), {r, g, b, a});
    }
  return image;
}

class SceneBuilder {
 public:
  explicit SceneBuilder(World& world) : world_(world) {}

  iHandle Texture(int w, int h, bool soft = false) {
    const iHandle handle = next_++;
    world_.textures[handle].image =
        Picture(w, h, static_cast<std::uint8_t>(40 * handle % 256), 160, 200, soft);
    return handle;
  }
  void Sprite(iHandle texture, float x, float y, float w, float h, int layer,
              float orientation = 0) {
    engine::Sprite& s = world_.sprites[next_++];
    s.texture = texture;
    s.location = {x, y};
    s.scale = {w, h};
    s.layer = layer;
    s.orientation = orientation;
    s.shown = true;
    s.order = world_.nextOrder++;
  }
  // `count` particles in one system, or each in a system of its own.
  void Particles(int count, float scaleFrom, float scaleTo, float radius, int renderMode,
                 bool oneSystemEach) {
    const iHandle blob = Texture(64, 64, true);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0, 1);
    engine::ParticleSystem* system = nullptr;
    for (int i = 0; i < count; ++i) {
      if (!system || oneSystemEach) {
        system = &world_.particleSystems[next_++];
        system->texture = blob;
        system->maxCount = count;
        system->renderMode = renderMode;
        system->colorStart = {0, 0.5f, 0};
        system->colorEnd = {0, 0, 0.5f};
        system->lifeTime = 3.5f;
        system->shown = true;
        system->order = world_.nextOrder++;
      }
      engine::Particle p;
      const float angle = unit(random) * 6.2832f, r = std::sqrt(unit(random)) * radius;
      p.x = std::cos(angle) * r;
      p.y = std::sin(angle) * r * 0.75f;
      p.width = p.height = scaleFrom + (scaleTo - scaleFrom) * unit(random);
      p.age = unit(random) * 3;
      system->particles.push_back(p);
    }
  }
  void Texts(int count) {
    const iHandle font = next_++;
    engine::Font& f = world_.fonts[font];
    f.atlas = Picture(16 * 16, 32 * 6, 255, 255, 255, false);
    for (int i = 0; i < 96; ++i) f.glyphs.push_back({i % 16 * 16, i / 16 * 32, 14, 30});
    for (int i = 0; i < count; ++i)
      world_.texts.push_back({"SCORE 0012345", {-8.0f + i * 4, 10.9f}, {0.8f, 0.8f}, {}, font});
  }

 private:
  World& world_;
  iHandle next_ = 1;
};

// The level frame: background, HUD panel, 13 platforms, 8 enemies, 10 bonuses,
// hero, raven and parcel, 3 clouds, 24 burst sprites, 1,000 particles, 4 texts.
void BuildLevel(World& world, bool particlesOneByOne) {
  SceneBuilder b(world);
  b.Sprite(b.Texture(1024, 1024), 0, 0, 25.6f, 25.6f, 2);
  b.Sprite(b.Texture(512, 64), 0, 11.8f, 20, 2.5f, 0);
  const iHandle platform = b.Texture(256, 128);
  for (int i = 0; i < 13; ++i) b.Sprite(platform, -12 + i % 5 * 6, -9 + i / 5 * 6, 4.5f, 2.5f, 2);
  const iHandle enemy = b.Texture(128, 128);
  for (int i = 0; i < 8; ++i) b.Sprite(enemy, -13 + i * 3.5f, -6 + i % 3 * 5, 3.2f, 3.2f, 2);
  const iHandle bonus = b.Texture(64, 64);
  for (int i = 0; i < 10; ++i) b.Sprite(bonus, -14 + i * 3, -2 + i % 4 * 3, 1.25f, 1.25f, 2);
  b.Sprite(b.Texture(128, 128), 0, -4, 3.2f, 3.2f, 0);  // hero
  b.Sprite(b.Texture(128, 128), 6, 9, 3.2f, 3.2f, 2);   // raven
  b.Sprite(b.Texture(64, 64), 6, 7, 1.6f, 1.6f, 2);     // parcel
  const iHandle cloud = b.Texture(512, 256);
  for (int i = 0; i < 3; ++i) b.Sprite(cloud, -10 + i * 9, 9.5f, 15, 5, 2);
  const iHandle burst = b.Texture(32, 32);
  for (int i = 0; i < 24; ++i)
    b.Sprite(burst, -4 + i % 12 * 0.7f, 2 + i / 12 * 2, 0.5f, 0.5f, 0, i * 0.26f);
  b.Particles(1000, 1, 3, 14, 1, particlesOneByOne);
  b.Texts(4);
}

void BuildIntro(World& world) {
  SceneBuilder b(world);
  b.Particles(2000, 6, 6, 9, 1, false);
}

// One window and window backend per renderer, kept for the whole run.
struct Window {
  platform::SdlEventRouter router;
  platform::SteadyClock clock;
  platform::SdlPlatform platform{router, clock};
  std::optional<engine::SdlBackend> backend;
  platform::WindowId window = 0;
};

Window* WindowFor(const std::string& driver) {
  static std::map<std::string, std::unique_ptr<Window>> windows;
  auto& w = windows[driver];
  if (w) return w->backend ? w.get() : nullptr;
  w = std::make_unique<Window>();
  if (!w->platform.Ready()) return nullptr;
  w->platform.RegisterWindowClass("Bench", {});
  w->window = w->platform.CreateGameWindow("Bench", "Zorbelline Quester", 0, 0, 800, 600);
  if (driver.empty())
    unsetenv("SDL_RENDER_DRIVER");
  else
    setenv("SDL_RENDER_DRIVER", driver.c_str(), 1);
  w->backend.emplace(w->router);
  if (!w->backend->Open(w->platform.EngineWindow(w->window), false)) w->backend.reset();
  return w->backend ? w.get() : nullptr;
}

enum class Scene { Level, Intro, Bare, LevelParticlesOneByOne, LevelParticlesOnly };

void DrawScene(benchmark::State& state, const std::string& driver, Scene scene) {
  Window* w = WindowFor(driver);
  if (!w) {
    state.SkipWithError("no display or no renderer (run under xvfb-run)");
    return;
  }
  World world;
  switch (scene) {
    case Scene::Level:
      BuildLevel(world, false);
      break;
    case Scene::Intro:
      BuildIntro(world);
      break;
    case Scene::Bare:
      break;
    case Scene::LevelParticlesOneByOne:
    case Scene::LevelParticlesOnly:
      SceneBuilder(world).Particles(1000, 1, 3, 14, 1, scene == Scene::LevelParticlesOneByOne);
      break;
  }
  w->backend->DrawFrame(world);  // textures uploaded before timing
  for (auto _ : state) w->backend->DrawFrame(world);
  state.SetLabel(w->backend->RendererName());
}

void Register() {
  const struct {
    const char* name;
    Scene scene;
  } scenes[] = {{"level", Scene::Level},
                {"intro_2000_particles", Scene::Intro},
                {"bare_clear_present", Scene::Bare},
                {"particles_1000_batched", Scene::LevelParticlesOnly},
                {"particles_1000_one_call_each", Scene::LevelParticlesOneByOne}};
  // "chosen": what the game picks (the software renderer where OpenGL would run
  // on the processor); then OpenGL and the software renderer by name.
  for (const char* driver : {"", "opengl", "software"}) {
    for (const auto& s : scenes) {
      const std::string name = std::string(driver[0] ? driver : "chosen") + "/" + s.name;
      benchmark::RegisterBenchmark(
          name.c_str(),
          [driver, scene = s.scene](benchmark::State& st) { DrawScene(st, driver, scene); })
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->MinTime(1.0)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
    }
  }
}

const int kRegistered = (Register(), 0);

}  // namespace
