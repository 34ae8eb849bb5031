// The engine's phases, input edges, sounds and handle lifetimes as the driver
// and the game rely on them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "engine/engine.h"
#include "engine/headless/headless_backend.h"
#include "engine/runtime.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

int g_window = 0;
constexpr std::int32_t kSettings[6] = {0, 0, 15360000, 0, 0, -1};

TEST(EnginePhases, OpenSettingsInitialiseThenRunPhases) {
  engine::Engine e(std::make_unique<engine::HeadlessBackend>());
  engine::ScopedInstall install(e);

  EXPECT_EQ(i3ImpactOpen(nullptr, 0), 0);
  ASSERT_EQ(i3ImpactOpen(&g_window, 0), 1);
  EXPECT_FALSE(i3ImpactIsRendering());
  ASSERT_EQ(i3ImpactSettings(kSettings), 1);
  EXPECT_TRUE(i3ImpactIsRendering());
  EXPECT_TRUE(i3ImpactIsReady());
  EXPECT_EQ(iDisplayMode(), 0);

  i3ImpactMain();
  EXPECT_TRUE(i3ImpactIsExecuting());
  EXPECT_TRUE(i3ImpactIsInitializing());
  i3ImpactInitBegin();
  i3ImpactInitEnd();
  EXPECT_FALSE(i3ImpactIsInitializing());

  // Headless: every later i3ImpactMain runs exactly one phase of 1/75 s.
  for (int phase = 1; phase <= 75; ++phase) {
    i3ImpactMain();
    ASSERT_TRUE(i3ImpactIsExecuting());
    ASSERT_FALSE(i3ImpactIsInitializing());
    ASSERT_FALSE(i3ImpactIsSkippingRunPhase());
    ASSERT_FALSE(i3ImpactIsSkippingRenderPhase());
  }
  EXPECT_FLOAT_EQ(iSystemTimer(), 1.0f);

  iExit();
  EXPECT_FALSE(i3ImpactIsRendering());
  i3ImpactClose();
  EXPECT_FALSE(i3ImpactIsReady());
}

TEST(EnginePhases, FullScreenWordSelectsTheDisplayMode) {
  engine::Engine e(std::make_unique<engine::HeadlessBackend>());
  engine::ScopedInstall install(e);
  const std::int32_t fullScreen[6] = {0, 0, 15360000, 0, -1, -1};
  i3ImpactOpen(&g_window, 0);
  i3ImpactSettings(fullScreen);
  EXPECT_GT(iDisplayMode(), 0);
}

TEST(EnginePhases, OperationsWithoutAnEngineDoNothing) {
  EXPECT_EQ(iSpriteCreate("data\\sprite.x", 0), 0u);
  EXPECT_FALSE(iKeyDown(1));
  EXPECT_FALSE(i3ImpactIsRendering());
  iSpriteShow(12345);
  iPrint("x", {0, 0}, {1, 1}, 0.1f, 0);
}

class EngineInput : public testing_support::EngineTest {};

TEST_F(EngineInput, KeyEdgesAreSeenOncePerRunPhase) {
  // A tap between two phases counts once and is not held.
  backend().KeyTap(28);
  RunPhase();
  EXPECT_TRUE(iKeyClick(28));
  EXPECT_FALSE(iKeyDown(28));
  RunPhase();
  EXPECT_FALSE(iKeyClick(28));

  // A held key clicks in its first phase only.
  backend().KeyDown(200);
  RunPhase();
  EXPECT_TRUE(iKeyClick(200));
  EXPECT_TRUE(iKeyDown(200));
  RunPhase();
  EXPECT_FALSE(iKeyClick(200));
  EXPECT_TRUE(iKeyDown(200));
  backend().KeyUp(200);
  RunPhase();
  EXPECT_FALSE(iKeyDown(200));

  // Out-of-range codes are never down.
  EXPECT_FALSE(iKeyDown(-1));
  EXPECT_FALSE(iKeyClick(256));
}

TEST_F(EngineInput, MouseClicksAndPositionAreFractionsOfTheWindow) {
  backend().MouseMove(0.25f, 0.75f);
  backend().MouseClick(0);
  RunPhase();
  EXPECT_FLOAT_EQ(iMouseX(), 0.25f);
  EXPECT_FLOAT_EQ(iMouseY(), 0.75f);
  EXPECT_TRUE(iMouseButtonClick(0));
  RunPhase();
  EXPECT_FALSE(iMouseButtonClick(0));
  iMouseReset({0.5f, 0.5f});
  EXPECT_FLOAT_EQ(iMouseX(), 0.5f);
  RunPhase();
  EXPECT_FLOAT_EQ(iMouseY(), 0.5f);
}

class EngineSound : public testing_support::EngineTest {
 protected:
  testing_support::TempDir dir_;
};

TEST_F(EngineSound, PlayStartsOnlyWhenSilentAndPlayNowRestarts) {
  testing_support::WriteSilentWav("beep.wav", 100, 1000);  // 0.1 s: about 7.5 run phases
  const iHandle sound = iSoundCreate("BEEP.WAV", 0);       // found whatever the case
  ASSERT_NE(sound, 0u);
  EXPECT_FALSE(iSoundPlaying(sound));
  iSoundPlay(sound, 0);
  EXPECT_TRUE(iSoundPlaying(sound));
  RunPhase();
  iSoundPlay(sound, 0);  // still playing: not restarted
  iSoundPlayNow(sound, 0);
  EXPECT_EQ(backend().TakeStartedSounds(), (std::vector<std::string>{"beep.wav", "beep.wav"}));
  for (int i = 0; i < 8; ++i) RunPhase();
  EXPECT_FALSE(iSoundPlaying(sound));

  EXPECT_EQ(iSoundCreate("missing.wav", 0), 0u);
}

TEST_F(EngineSound, CloseKillsEveryHandleAndHandlesAreNeverReused) {
  const iHandle sprite = iSpriteCreate("data\\sprite.x", 0);
  iSpriteLocationSet(sprite, {3, 4});
  i3ImpactClose();
  EXPECT_TRUE(world().sprites.empty());

  iVec2 where{-1, -1};
  iSpriteLocation(sprite, where);  // dead: leaves the output alone
  EXPECT_EQ(where.x, -1);
  const iHandle next = iSpriteCreate("data\\sprite.x", 0);
  EXPECT_NE(next, sprite);
}

}  // namespace

namespace {

class EngineParticles : public testing_support::EngineTest {};

TEST_F(EngineParticles, FullSystemGivesUpItsOldestParticles) {
  const iHandle system = iParticleCreate(nullptr, 5);
  iParticleLifeTimeSet(system, 10);
  const iHandle emitter = iParticleEmitterCreate(system);
  iParticleEmitterLocationSet(emitter, {1, 0, 0});
  iParticleEmitterEmit(emitter, 3, 1);
  iParticleEmitterLocationSet(emitter, {2, 0, 0});
  iParticleEmitterEmit(emitter, 4, 1);
  const auto& particles = world().particleSystems.at(system).particles;
  ASSERT_EQ(particles.size(), 5u);
  EXPECT_EQ(particles.front().x, 1);  // one survivor of the first burst
  EXPECT_EQ(particles.back().x, 2);
  iParticleEmitterEmit(emitter, 50, 1);
  EXPECT_EQ(particles.size(), 5u);
}

TEST_F(EngineParticles, ParticlesMoveDampAndExpire) {
  const iHandle system = iParticleCreate(nullptr, 10);
  iParticleLifeTimeSet(system, 0.1f);  // 7.5 run phases
  iParticleGravitySet(system, {0, -3, 0});
  iParticleAirResistanceSet(system, -10);
  const iHandle emitter = iParticleEmitterCreate(system);
  iParticleEmitterDirectionSet(emitter, {1, 0, 0}, {1, 0, 0});
  iParticleEmitterSpeedSet(emitter, 2, 2);
  iParticleEmitterEmit(emitter, 1, 1);
  RunPhase();
  const auto& particles = world().particleSystems.at(system).particles;
  ASSERT_EQ(particles.size(), 1u);
  EXPECT_GT(particles[0].x, 0);
  EXPECT_LT(particles[0].vx, 2);  // damped
  EXPECT_LT(particles[0].vy, 0);  // falling
  for (int i = 0; i < 7; ++i) RunPhase();
  EXPECT_TRUE(particles.empty());
}

}  // namespace
