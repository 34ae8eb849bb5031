// The soak's way through a level: it steers the hero to the diamonds so that
// random play also sees levels won. From the platform he stands on it finds
// the cheapest chain of moves (walk, jump up or across, walk off an edge) to
// the platform of the nearest diamond and gives the keys for the first one; it
// throws at an enemy that walks towards him on his platform. A move that lands
// him back where he started twice is given up for the level.
#pragma once

#include <limits>
#include <optional>
#include <set>
#include <utility>

#include "tools/sim/sight.h"

namespace sim {

// The keys for one run phase: arrows held, Up and Ctrl clicked.
struct Controls {
  bool left = false;
  bool right = false;
  bool jump = false;
  bool fire = false;
  bool operator==(const Controls&) const = default;
};

class Pilot {
 public:
  // A new level: no target, no move under way, nothing given up.
  void Reset();
  // The keys for the next run phase of a steerable level. `lost()` tells
  // afterwards whether no diamond could be reached from where he stands.
  Controls Steer(const LevelSight& level);
  bool lost() const { return lost_; }
  // The keys for a level he only stays alive in until its time is over: he
  // takes no diamond, but throws at and dodges the enemies as when steered.
  Controls Guard(const LevelSight& level);

  enum class MoveKind { Walk, Jump, Drop };
  struct Move {
    MoveKind kind = MoveKind::Walk;
    int from = -1;  // platform indices
    int to = -1;
    double startX = 0;    // where he stands to jump, or walks to beyond the edge
    int direction = 1;    // 0 left, 1 right
    double airX = 0;      // in the air he steers until he is over this x
    game::RectBox toBox;  // the platform he is bound for
  };

 private:
  Controls Fly(const LevelSight& level);
  Controls Press(const LevelSight& level, const Move& move);
  // Facing and throwing at an enemy on his platform, when there is one.
  std::optional<Controls> Defend(const LevelSight& level, int platform);
  // The first move towards the chosen diamond from platform `from` at x.
  std::optional<Move> Plan(const LevelSight& level, int from);
  Controls Follow(const LevelSight& level, const Move& move);
  Controls StandBack(const LevelSight& level, const Move& move) const;
  bool Impatient();
  void Arrived(int platform);

  std::optional<Spot> target_;
  std::optional<Move> underWay_;          // the jump or drop he is making
  bool airborne_ = false;                 // ... and he has left the ground for it
  std::set<std::pair<int, int>> failed_;  // moves that failed once
  std::set<std::pair<int, int>> givenUp_;
  int fireWait_ = 0;
  int defending_ = 0;     // phases spent on the enemy in front of him
  int defendPause_ = 0;   // phases left without defending
  int guardedFor_ = 0;    // phases stood back from moves an enemy guards
  int impatientFor_ = 0;  // phases left going regardless
  bool lost_ = false;
};

// The platform he stands on (his feet on its top, his box over it), or -1.
int PlatformUnder(const LevelSight& level);

// How far sideways he gets in a jump before his feet sink below a top `rise`
// above the one he took off from, pressing towards `direction` all the way;
// with `headRoom` above his head his rise ends there.
double JumpReach(double rise, int direction,
                 double headRoom = std::numeric_limits<double>::infinity());

}  // namespace sim
