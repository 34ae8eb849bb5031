// A game on the whole scene (headless engine, scripted platform), started from
// the main menu's New Game, with the game's sounds as short silent WAVs. A test
// runs frames, reads the game's state and sets fields directly through the
// game's context (objects, state, counters) to put a level where it wants it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "engine/runtime.h"
#include "game/bonus.h"
#include "game/diamond.h"
#include "game/game.h"
#include "screens/keys.h"
#include "tests/screens/menu_screen_fixture.h"

namespace testing_support {

// How many engine objects of each kind that can be freed are alive.
struct LiveObjects {
  std::size_t textures = 0;
  std::size_t sprites = 0;
  std::size_t particleSystems = 0;
  std::size_t emitters = 0;
  std::size_t sounds = 0;
  bool operator==(const LiveObjects&) const = default;
  friend void PrintTo(const LiveObjects& l, std::ostream* os) {
    *os << l.textures << " textures, " << l.sprites << " sprites, " << l.particleSystems
        << " particle systems, " << l.emitters << " emitters, " << l.sounds << " sounds";
  }
};

class GameTest : public MenuScreenTest {
 protected:
  GameTest() {
    for (const char* name :
         {"level_complete.wav", "game_over.wav", "UFO.wav", "out_time.wav", "money.wav"}) {
      WriteSilentWav(std::filesystem::path("sound") / name, 1100);
    }
    TinyXm{.orders = 2}.Write("sound/2.xm");
  }

  game::TGame& game() { return scene_.game(); }
  game::GameContext& context() { return game().context(); }
  game::LevelState& level() { return game().state(); }
  game::LevelObjects& objects() { return context().objects; }

  // New Game on the main menu: the same frame starts level 1.
  void NewGame() {
    Tap(screens::kKeyEnter);
    ASSERT_EQ(state(), core::ssPlaying);
    ASSERT_EQ(game().GetLevel(), 1);
  }
  // The next frame starts level n (the current level cleared first).
  void StartLevel(int n) {
    game().ClearLevel();
    game().SetLevel(n - 1);
    scene_.SetState(core::ssNewGame);
    Frame();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Runs frames while `still` holds (at most `limit`); returns how many ran.
  template <typename Predicate>
  int FramesWhile(Predicate still, int limit = 1000) {
    int frames = 0;
    while (still() && frames < limit) {
      Frame();
      ++frames;
    }
    return frames;
  }
  // Runs frames until the UFO has come down and the hero has walked out.
  void FinishEntry() {
    for (int i = 0; i < 400 && level().entryPhase; ++i) Frame();
    ASSERT_FALSE(level().entryPhase);
  }
  // A new game at level 1, played up to its first play frame.
  void PlayLevelOne() {
    NewGame();
    FinishEntry();
  }

  std::vector<game::TDiamond*> Diamonds() {
    std::vector<game::TDiamond*> diamonds;
    for (const auto& bonus : objects().bonuses) {
      if (bonus->kind() == game::BonusKind::Diamond) {
        diamonds.push_back(static_cast<game::TDiamond*>(bonus.get()));
      }
    }
    return diamonds;
  }
  // Every diamond taken and settled: the level is won at the next test.
  void TakeEveryDiamond() {
    for (game::TDiamond* d : Diamonds()) {
      d->taken = true;
      d->returnTimer = -1;
      d->returnCounter = 0;
    }
  }

  // Sounds started since the last call, by file name.
  int Started(const std::string& file) {
    int count = 0;
    for (const std::string& name : backend().TakeStartedSounds()) count += name == file;
    return count;
  }
  bool Printed(const std::string& text) { return FindText(text) != nullptr; }
  std::uint64_t DeadHandleCalls() const { return engine::Installed()->deadHandleCalls(); }
  LiveObjects Live() {
    const engine::World& w = world();
    return {w.textures.size(), w.sprites.size(), w.particleSystems.size(), w.emitters.size(),
            w.sounds.size()};
  }
  // Every engine object dies with the engine; the driver's next
  // initialisation makes them again.
  void RestartEngine() {
    world().Clear();
    scene_.InitialiseAll();
  }

  // The generated runtime pictures, linked into the test's data/ directory
  // (made once per build tree with zq-assets). False when there is no
  // generator to make them with.
  static bool LinkGameArt() {
    namespace fs = std::filesystem;
    const fs::path art = fs::path(ZQ_BINARY_DIR) / "test-art";
    if (!fs::exists(art / "data")) {
      const fs::path tool = fs::path(ZQ_BINARY_DIR) / "tools" / "assets" / "zq-assets";
      if (!fs::exists(tool)) return false;
      // Made under a name of its own, then moved into place in one step, so
      // test programs running side by side never see half a tree.
      const fs::path fresh = art.string() + "." + std::to_string(::getpid());
      if (std::system((tool.string() + " " + fresh.string() + " >/dev/null").c_str()) != 0) {
        return false;
      }
      std::error_code ignored;
      fs::rename(fresh, art, ignored);
      fs::remove_all(fresh, ignored);
    }
    for (const auto& entry : fs::directory_iterator(art / "data")) {
      const fs::path link = fs::path("data") / entry.path().filename();
      if (!fs::exists(link)) fs::create_symlink(entry.path(), link);
    }
    return true;
  }
};

}  // namespace testing_support
