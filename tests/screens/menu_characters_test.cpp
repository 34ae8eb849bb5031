// The menu scene's characters on their own: the hero's runs with one companion
// to the right and two different ones to the left, turning only off screen;
// the raven's flights; frame changes by the tick count; and a reload that
// keeps the image and the place.
#include "screens/menu_characters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/image.h"
#include "platform/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/pack/pack_writer.h"

namespace {

using screens::Companions;
using screens::kLeft;
using screens::kRight;
using screens::TMenuCompanion;
using screens::TMenuQuester;
using screens::TMenuRaven;

// Half the width of a 3.2-scale sprite, in screen units: beyond 16 + this a
// character is off screen.
constexpr long double kOffScreen = 16 + 2.56L;

// Tick count of run phase n at 75 per second.
std::uint32_t TickOf(int n) {
  return static_cast<std::uint32_t>(n * 1000LL / 75);
}

class MenuCharactersTest : public testing_support::EngineTest {
 protected:
  MenuCharactersTest() {
    // Every pack image is a 1 x 1 picture, so each makes a texture whose tag
    // tells which image a sprite shows.
    std::filesystem::create_directories("data");
    engine::Image pixel{1, 1, {255, 255, 255, 255}};
    const std::vector<std::uint8_t> png = engine::EncodePng(pixel);
    const struct {
      const char* file;
      int images;
    } kPacks[] = {{"data/Cosmonaut.dat", 16}, {"data/Cangoroo.dat", 12}, {"data/Mouse.dat", 8},
                  {"data/Blue.dat", 10},      {"data/Toothy.dat", 8},    {"data/Raven.dat", 12}};
    for (const auto& p : kPacks) {
      packs::WritePack(
          p.file, std::vector<std::vector<std::uint8_t>>(static_cast<std::size_t>(p.images), png));
    }
    platform::SeedRandom(3);
  }

  std::int32_t ShownTag(iHandle sprite) {
    return world().textures.at(world().sprites.at(sprite).texture).tag;
  }
  iVec2 Location(iHandle sprite) { return world().sprites.at(sprite).location; }

  testing_support::TempDir dir_;
  Companions companions_{TMenuCompanion(0), TMenuCompanion(1), TMenuCompanion(2),
                         TMenuCompanion(3)};
};

TEST_F(MenuCharactersTest, HeroRunsRightWithOneCompanionAndLeftWithTwo) {
  for (TMenuCompanion& c : companions_) c.Create();
  TMenuQuester hero;
  hero.Create(companions_);
  EXPECT_EQ(hero.direction(), kRight);
  EXPECT_EQ(ShownTag(hero.sprite()), 1001069 + 8 + 1);  // image 1 of the right row

  int runs[2] = {0, 0};
  screens::Direction last = hero.direction();
  long double lastX = hero.x();
  for (int n = 1; runs[0] + runs[1] < 30; ++n) {
    ASSERT_LT(n, 100000);
    hero.Update(TickOf(n), companions_);
    if (hero.direction() != last) {
      SCOPED_TRACE(testing::Message() << "run start at phase " << n);
      ++runs[hero.direction()];
      // He turns only once beyond the turning line, off screen.
      if (hero.direction() == kLeft) {
        EXPECT_GT(lastX + 0.12L, 32);
        EXPECT_GE(hero.x(), 23);
        EXPECT_LE(hero.x(), 24.4L + 1e-9L);
        ASSERT_GE(hero.firstCompanion(), 0);
        ASSERT_GE(hero.secondCompanion(), 0);
        EXPECT_NE(hero.firstCompanion(), hero.secondCompanion());
        const auto& first = companions_[static_cast<std::size_t>(hero.firstCompanion())];
        const auto& second = companions_[static_cast<std::size_t>(hero.secondCompanion())];
        EXPECT_EQ(first.x(), hero.x() + 5);
        EXPECT_EQ(second.x(), hero.x() + 8);
        EXPECT_EQ(first.direction(), kLeft);
        EXPECT_EQ(second.direction(), kLeft);
      } else {
        EXPECT_LT(lastX - 0.12L, -41);
        EXPECT_LE(hero.x(), -28);
        EXPECT_GE(hero.x(), -29.4L - 1e-9L);
        ASSERT_GE(hero.firstCompanion(), 0);
        EXPECT_EQ(hero.secondCompanion(), screens::kNoCompanion);
        const auto& first = companions_[static_cast<std::size_t>(hero.firstCompanion())];
        EXPECT_EQ(first.x(), hero.x() + 5);
        EXPECT_EQ(first.direction(), kRight);
      }
      EXPECT_EQ(hero.frame(), 1);
      EXPECT_GT(std::fabs(hero.x()), kOffScreen);
      for (const TMenuCompanion& c : companions_) EXPECT_GT(std::fabs(c.x()), kOffScreen);
      last = hero.direction();
    }
    lastX = hero.x();
    for (const int kind : {hero.firstCompanion(), hero.secondCompanion()}) {
      if (kind >= 0) companions_[static_cast<std::size_t>(kind)].Update(TickOf(n));
    }
  }
  EXPECT_EQ(runs[kLeft], 15);
  EXPECT_EQ(runs[kRight], 15);
}

TEST_F(MenuCharactersTest, FramesChangeAfterMoreThanTheirInterval) {
  for (TMenuCompanion& c : companions_) c.Create();
  TMenuQuester hero;
  hero.Create(companions_);
  TMenuRaven raven;
  raven.Create();
  const int ravenFirst = raven.frame();

  hero.Update(80, companions_);
  raven.Update(50);
  EXPECT_EQ(hero.frame(), 1);
  EXPECT_EQ(raven.frame(), ravenFirst);
  hero.Update(81, companions_);
  raven.Update(51);
  EXPECT_EQ(hero.frame(), 2);
  EXPECT_EQ(raven.frame(), ravenFirst + 1);
  EXPECT_EQ(ShownTag(hero.sprite()), 1001069 + 8 + 2);

  for (std::uint32_t t = 162; hero.frame() != 8; t += 81) hero.Update(t, companions_);
  hero.Update(10000, companions_);
  EXPECT_EQ(hero.frame(), 1);  // frame 9 is frame 1 again
}

TEST_F(MenuCharactersTest, RavenFliesAcrossTheSkyEitherWay) {
  TMenuRaven raven;
  raven.Create();
  int flights = 0;
  int repeats = 0;
  screens::Direction last = raven.direction();
  long double lastX = raven.x();
  for (int n = 1; flights < 400; ++n) {
    raven.Update(TickOf(n));
    const long double step = last == kLeft ? -0.1L : 0.1L;
    const bool newFlight =
        raven.direction() != last || std::fabs(raven.x() - (lastX + step)) > 1e-9L;
    if (newFlight) {
      ++flights;
      if (raven.direction() == last) ++repeats;
      EXPECT_GE(raven.y(), 9);
      EXPECT_LE(raven.y(), 10.9L + 1e-9L);
      EXPECT_EQ(raven.frame(), 1);
      const long double sign = raven.direction() == kLeft ? 1 : -1;
      EXPECT_GE(sign * raven.x(), 18);
      EXPECT_LE(sign * raven.x(), 20);
      EXPECT_LE(sign * raven.target(), -18);
      EXPECT_GE(sign * raven.target(), -20);
      EXPECT_EQ(raven.x(), std::round(raven.x()));
    }
    last = raven.direction();
    lastX = raven.x();
    const iVec2 at = Location(raven.sprite());
    ASSERT_FLOAT_EQ(at.x, static_cast<float>(raven.x()));
  }
  // Two flights the same way follow each other about half the time.
  EXPECT_GT(repeats, 400 * 0.4);
  EXPECT_LT(repeats, 400 * 0.6);
}

TEST_F(MenuCharactersTest, ReloadKeepsImageAndPlace) {
  for (TMenuCompanion& c : companions_) c.Create();
  TMenuQuester hero;
  hero.Create(companions_);
  for (int n = 1; n < 700; ++n) hero.Update(TickOf(n), companions_);
  const iHandle before = hero.sprite();
  const std::int32_t tag = ShownTag(before);
  ASSERT_NE(tag, 1001069 + 8 + 1);

  hero.Reload();
  EXPECT_NE(hero.sprite(), before);
  EXPECT_EQ(ShownTag(hero.sprite()), tag);
  EXPECT_EQ(Location(hero.sprite()).x, static_cast<float>(hero.x()));
  EXPECT_EQ(Location(hero.sprite()).y, -10.9f);
  EXPECT_EQ(world().sprites.at(hero.sprite()).scale.x, 3.2f);
  EXPECT_FALSE(world().sprites.at(hero.sprite()).shown);
  hero.Show();
  EXPECT_TRUE(world().sprites.at(hero.sprite()).shown);
}

}  // namespace
