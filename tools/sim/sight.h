// What the soak's monkey sees of the program before each run phase: the
// screen, the menus' selections, and in a level the ground, the hero, the
// diamonds he can take and the enemies. Plain figures, so the steering can be
// tried on made-up levels.
#pragma once

#include <cstdint>
#include <vector>

#include "game/rect_box.h"

namespace sim {

class Session;

struct Spot {
  double x = 0;
  double y = 0;
};

struct EnemySight {
  game::RectBox box;
  bool dangerous = false;  // walking or jumping: it can catch him
  bool hittable = false;   // a missile can knock it down
  bool waking = false;     // knocked down, and up again soon
};

struct LevelSight {
  // The hero is the player's to move: a level is in play (not its entry, end,
  // time over or game over, nor a respawn) and he is not dying.
  bool steerable = false;
  // The UFO is still coming down: a level has just begun (a respawn only
  // replays the walk-out).
  bool entering = false;
  bool bonusLevel = false;
  // The hero: centre, half-sizes, direction (0 left, 1 right) and what he is
  // doing.
  double heroX = 0;
  double heroY = 0;
  double heroHalfWidth = 0.8;
  double heroHalfHeight = 1.6;
  int heroDirection = 1;
  bool heroInAir = false;  // rising or falling
  bool heroBusy = false;   // in the air, taking off, landing or rejoicing
  std::vector<game::RectBox> platforms;
  // Diamonds lying on the ground, not taken and not away; and those an enemy
  // sent into the ground, where they will rise again.
  std::vector<Spot> diamonds;
  std::vector<Spot> sunkDiamonds;
  std::vector<EnemySight> enemies;
};

struct Sight {
  std::uint8_t screen = 0;
  bool intro = false;  // the intro plays and reads no input
  int mainMenuSelection = 0;
  int level = 0;
  LevelSight play;
};

Sight LookAt(Session& session);

// A game on the screen (its lives on show), maybe paused or asking whether to
// leave it.
bool InGame(std::uint8_t screen);

}  // namespace sim
