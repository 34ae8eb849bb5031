// Owners of engine objects: each destroys its object exactly once, and never
// touches one that died with the engine.
#include "engine/owned.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/headless/headless_backend.h"
#include "engine/runtime.h"
#include "tests/support/engine_fixture.h"

namespace {

class OwnedTest : public testing_support::EngineTest {
 protected:
  std::size_t LiveObjects() {
    const engine::World& w = world();
    return w.textures.size() + w.sprites.size() + w.particleSystems.size() + w.emitters.size() +
           w.sounds.size();
  }
  std::uint64_t DeadCalls() { return engine::Installed()->deadHandleCalls(); }
};

TEST_F(OwnedTest, EachKindDestroysItsObjectWhenTheOwnerGoes) {
  const iHandle system = iParticleCreate("data\\none.dds", 10);
  const struct {
    const char* name;
    std::function<void()> makeAndDrop;
  } kinds[] = {
      {"texture", [&] { engine::OwnedTexture o(SolidTexture(1, 2, 3)); }},
      {"sprite", [&] { engine::OwnedSprite o(iSpriteCreate("data\\sprite.x", 0)); }},
      {"particles", [&] { engine::OwnedParticles o(iParticleCreate("data\\none.dds", 10)); }},
      {"emitter", [&] { engine::OwnedEmitter o(iParticleEmitterCreate(system)); }},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const std::size_t before = LiveObjects();
    kind.makeAndDrop();
    EXPECT_EQ(LiveObjects(), before);
  }
  EXPECT_EQ(DeadCalls(), 0u);
  iParticleDestroy(system);
}

TEST_F(OwnedTest, MovingHandsTheObjectOverAndAssigningDestroysTheOldOne) {
  engine::OwnedSprite first(iSpriteCreate("data\\sprite.x", 0));
  const iHandle handle = first;
  engine::OwnedSprite second(std::move(first));
  EXPECT_EQ(first.get(), 0u);  // NOLINT(bugprone-use-after-move): moved-from is empty
  EXPECT_EQ(second.get(), handle);
  EXPECT_EQ(world().sprites.count(handle), 1u);

  second = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
  EXPECT_EQ(world().sprites.count(handle), 0u);
  EXPECT_EQ(world().sprites.size(), 1u);
  second.reset();
  second.reset();
  EXPECT_TRUE(world().sprites.empty());
  EXPECT_EQ(DeadCalls(), 0u);
}

TEST_F(OwnedTest, ObjectsThatDiedWithTheEngineAreForgottenNotDestroyed) {
  engine::OwnedTexture texture(SolidTexture(1, 2, 3));
  engine::OwnedSprite sprite(iSpriteCreate("data\\sprite.x", 0));
  i3ImpactClose();
  texture.reset();
  sprite = engine::OwnedSprite(iSpriteCreate("data\\sprite.x", 0));
  EXPECT_EQ(DeadCalls(), 0u);
  EXPECT_EQ(world().sprites.size(), 1u);
}

TEST_F(OwnedTest, AnotherEnginesObjectWithTheSameNumberIsLeftAlone) {
  engine::OwnedSprite mine(iSpriteCreate("data\\sprite.x", 0));
  engine::Engine* const ours = engine::Installed();
  engine::Engine other(std::make_unique<engine::HeadlessBackend>());
  engine::Install(&other);
  iHandle theirs = 0;
  while (theirs < mine.get()) theirs = iSpriteCreate("data\\sprite.x", 0);
  ASSERT_EQ(theirs, mine.get());  // every engine numbers its objects from 1
  mine.reset();
  EXPECT_EQ(other.world().sprites.count(theirs), 1u);
  EXPECT_EQ(other.deadHandleCalls(), 0u);
  engine::Install(ours);
}

}  // namespace
