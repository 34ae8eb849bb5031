#include "tools/sim/pilot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "game/hero.h"

namespace sim {
namespace {

using game::RectBox;

// The hero's ways of moving, per run phase.
constexpr double kRiseSide = 0.12;       // sideways while rising (and walking)
constexpr double kFallRight = 0.09;      // drifting right while falling
constexpr double kFallLeft = 0.15;       // drifting left while falling
constexpr double kWalkOffFall = 0.2;     // falling after walking off an edge
constexpr double kLandingGap = 0.05;     // his feet above the top he landed on
constexpr double kStandingSlack = 0.12;  // feet this close to a top: standing on it
// Part of his box kept over a platform he means to stand on.
constexpr double kEdgeMargin = 0.3;
// Close enough to a start point, given a walk of 0.12 a phase.
constexpr double kStartSlack = 0.07;
// Ahead of him on his platform, an enemy this close is thrown at.
constexpr double kThreatRange = 7;
constexpr int kFireEvery = 12;
// An enemy behind him this close is walked away from before he turns to it.
constexpr double kTooCloseToTurn = 2;
// An enemy in the air or landing this close, up to this far above his feet,
// is dodged.
constexpr double kDodgeRange = 3;
constexpr double kDodgeHeight = 4;
// A knocked-down enemy about to get up is kept this far away.
constexpr double kWakingRange = 2.5;
// Phases he stands and throws at an enemy before he goes his way regardless.
constexpr int kLongestStandOff = 120;
// Costs besides the walk: a jump takes longer than walking off an edge.
constexpr double kJumpCost = 4;
constexpr double kDropCost = 2;
// An enemy this close to where he would land makes a move wait, and costs a
// route this much more.
constexpr double kLandingRoom = 3.5;
constexpr double kGuardedCost = 10;
constexpr double kStandBack = 4;
constexpr int kLongestWait = 300;
constexpr int kImpatience = 200;

double StandLeft(const RectBox& p, double halfWidth) {
  return p.left - halfWidth + kEdgeMargin;
}
double StandRight(const RectBox& p, double halfWidth) {
  return p.right + halfWidth - kEdgeMargin;
}

// Room above his head at x on a platform whose top is `top`, up to the lowest
// other platform over him.
double HeadRoom(const LevelSight& level, double top, double x) {
  const double head = top + kLandingGap + 2 * level.heroHalfHeight;
  double room = std::numeric_limits<double>::infinity();
  for (const RectBox& c : level.platforms) {
    if (c.bottom < head || c.right < x - level.heroHalfWidth || c.left > x + level.heroHalfWidth)
      continue;
    room = std::min(room, c.bottom - head);
  }
  return room;
}

void AddJumps(const LevelSight& level, int a, int b, std::vector<Pilot::Move>& out) {
  const RectBox& from = level.platforms[static_cast<std::size_t>(a)];
  const RectBox& to = level.platforms[static_cast<std::size_t>(b)];
  const double w = level.heroHalfWidth;
  const double rise = to.top - from.top;
  for (int direction : {1, 0}) {
    double start = direction == 1 ? to.left - w - 0.06 : to.right + w + 0.06;
    start = std::clamp(start, StandLeft(from, w), StandRight(from, w));
    const double gap = direction == 1 ? to.left - (start + w) : (start - w) - to.right;
    if (gap <= 0) continue;  // he would be under it, or past it
    const double room = HeadRoom(level, from.top, start);
    if (rise > 0 && room < rise + 0.1) continue;
    if (gap > JumpReach(rise, direction, room) - 0.1) continue;
    const double airX = direction == 1 ? to.left + w + 0.1 : to.right - w - 0.1;
    out.push_back({Pilot::MoveKind::Jump, a, b, start, direction, airX, to});
  }
}

void AddDrops(const LevelSight& level, int a, int b, std::vector<Pilot::Move>& out) {
  const RectBox& from = level.platforms[static_cast<std::size_t>(a)];
  const RectBox& to = level.platforms[static_cast<std::size_t>(b)];
  const double w = level.heroHalfWidth;
  const double fall = from.top - to.top;
  if (fall < 0.3) return;
  const double low = StandLeft(to, w);
  const double high = StandRight(to, w);
  for (int direction : {1, 0}) {
    // He falls once his box has left the edge.
    const double off = direction == 1 ? from.right + w + 0.03 : from.left - w - 0.03;
    const double drift = fall / kWalkOffFall * (direction == 1 ? kFallRight : kFallLeft);
    double airX = 0;
    if (direction == 1) {
      if (high < off || low > off + drift) continue;
      airX = std::max(off, low + 0.1);
    } else {
      if (low > off || high < off - drift) continue;
      airX = std::min(off, high - 0.1);
    }
    out.push_back({Pilot::MoveKind::Drop, a, b, off, direction, airX, to});
  }
}

// An enemy awake on `platform` near x, where he would land: it would catch him
// before he could throw.
bool Guarded(const LevelSight& level, const RectBox& platform, double x) {
  for (const EnemySight& enemy : level.enemies) {
    if (!enemy.dangerous) continue;
    const double ex = (enemy.box.left + enemy.box.right) / 2;
    if (std::abs(enemy.box.bottom - platform.top) > 0.5 || ex < platform.left - 1 ||
        ex > platform.right + 1) {
      continue;
    }
    if (std::abs(ex - x) < kLandingRoom) return true;
  }
  return false;
}

int PlatformOf(const LevelSight& level, const Spot& diamond) {
  for (std::size_t p = 0; p < level.platforms.size(); ++p) {
    const RectBox& box = level.platforms[p];
    if (diamond.x >= box.left && diamond.x <= box.right && diamond.y > box.top &&
        diamond.y < box.top + 1.5) {
      return static_cast<int>(p);
    }
  }
  return -1;
}

// A step from x towards `direction` (0 left, 1 right) while his platform goes
// on that way; at its edge he stands.
Controls StepAway(const RectBox& ground, double halfWidth, double x, int direction) {
  const double next = direction == 1 ? x + kRiseSide : x - kRiseSide;
  Controls c;
  if (next >= StandLeft(ground, halfWidth) && next <= StandRight(ground, halfWidth)) {
    c.right = direction == 1;
    c.left = direction == 0;
  }
  return c;
}

Controls Toward(double x, double goal, double slack) {
  Controls c;
  c.right = x < goal - slack;
  c.left = x > goal + slack;
  return c;
}

}  // namespace

double JumpReach(double rise, int direction, double headRoom) {
  double feet = 0;
  double side = 0;
  double reach = 0;
  std::int32_t step = 0;
  for (; step < game::THero::kRiseSteps; ++step) {
    const double dy = static_cast<double>(game::JumpArc(step));
    if (feet + dy > headRoom) break;  // his head meets a platform: he falls from here
    feet += dy;
    side += kRiseSide;
    if (feet > rise) reach = side;
  }
  const double fallSide = direction == 1 ? kFallRight : kFallLeft;
  while (feet > rise) {
    --step;
    side += fallSide;
    reach = side;
    feet -= static_cast<double>(game::JumpArc(step));
  }
  return reach;
}

int PlatformUnder(const LevelSight& level) {
  const double feet = level.heroY - level.heroHalfHeight;
  for (std::size_t p = 0; p < level.platforms.size(); ++p) {
    const RectBox& box = level.platforms[p];
    if (std::abs(feet - (box.top + kLandingGap)) > kStandingSlack) continue;
    if (level.heroX + level.heroHalfWidth < box.left ||
        level.heroX - level.heroHalfWidth > box.right)
      continue;
    return static_cast<int>(p);
  }
  return -1;
}

void Pilot::Reset() {
  target_.reset();
  underWay_.reset();
  airborne_ = false;
  failed_.clear();
  givenUp_.clear();
  fireWait_ = 0;
  defending_ = 0;
  defendPause_ = 0;
  guardedFor_ = 0;
  impatientFor_ = 0;
  lost_ = false;
}

Controls Pilot::Guard(const LevelSight& level) {
  lost_ = false;
  if (fireWait_ > 0) --fireWait_;
  underWay_.reset();
  if (!level.steerable || level.heroBusy) return {};
  const int platform = PlatformUnder(level);
  if (platform < 0) return {};
  return Defend(level, platform).value_or(Controls{});
}

Controls Pilot::Steer(const LevelSight& level) {
  lost_ = false;
  if (fireWait_ > 0) --fireWait_;
  if (!level.steerable) {
    underWay_.reset();
    airborne_ = false;
    return {};
  }
  if (level.heroInAir) return Fly(level);
  const int platform = PlatformUnder(level);
  if (level.heroBusy) {
    // Taking off: the rise may begin in the next phase.
    if (underWay_ && underWay_->kind == MoveKind::Jump && !airborne_) {
      return Press(level, *underWay_);
    }
    return {};
  }
  if (platform < 0) return {};
  Arrived(platform);
  underWay_.reset();
  if (const std::optional<Controls> c = Defend(level, platform)) return *c;
  const std::optional<Move> move = Plan(level, platform);
  if (!move) {
    // The diamonds left are in the ground under him: he waits for them. With
    // none left at all the level is won.
    if (level.diamonds.empty() && (!level.sunkDiamonds.empty() || !level.bonusLevel)) return {};
    lost_ = true;
    // Maybe only the moves given up lead on: try them again next time.
    failed_.clear();
    givenUp_.clear();
    return {};
  }
  return Follow(level, *move);
}

// A move ends when he stands again: on its platform, or back where he began
// (twice, and it is given up), or elsewhere.
void Pilot::Arrived(int platform) {
  if (underWay_ && airborne_ && platform == underWay_->from) {
    const std::pair<int, int> edge{underWay_->from, underWay_->to};
    if (!failed_.insert(edge).second) givenUp_.insert(edge);
  }
  airborne_ = false;
}

Controls Pilot::Fly(const LevelSight& level) {
  if (!underWay_) return {};
  airborne_ = true;
  return Press(level, *underWay_);
}

// In the air (or taking off) towards the move's platform.
Controls Pilot::Press(const LevelSight& level, const Move& m) {
  const double x = level.heroX;
  if (m.kind == MoveKind::Jump) {
    // Below its top he keeps out from under it, or his head would end the rise.
    const RectBox& to = m.toBox;
    const double w = level.heroHalfWidth;
    const double next = m.direction == 1 ? x + kRiseSide : x - kRiseSide;
    const bool under = next + w >= to.left && next - w <= to.right;
    const bool belowTop = level.heroY - level.heroHalfHeight <= to.top;
    const bool besideIt = level.heroY + level.heroHalfHeight >= to.bottom;
    if (under && belowTop && !besideIt) return {};
  }
  Controls c;
  if (m.direction == 1) {
    c.right = x < m.airX;
  } else {
    c.left = x > m.airX;
  }
  return c;
}

std::optional<Controls> Pilot::Defend(const LevelSight& level, int platform) {
  // A stand-off that lasts is broken off for a while: the plan goes on.
  if (defendPause_ > 0) {
    --defendPause_;
    return std::nullopt;
  }
  const RectBox& ground = level.platforms[static_cast<std::size_t>(platform)];
  const double x = level.heroX;
  const double w = level.heroHalfWidth;
  // One that jumps or lands near him cannot be hit, and one about to get up
  // beside him would catch him before he could turn: he gets out of its way.
  for (const EnemySight& enemy : level.enemies) {
    const bool jumping = enemy.dangerous && !enemy.hittable;
    if (!jumping && !enemy.waking) continue;
    const double ex = (enemy.box.left + enemy.box.right) / 2;
    const double above = enemy.box.bottom - ground.top;
    const double range = jumping ? kDodgeRange : kWakingRange;
    if (std::abs(ex - x) > range || above < -0.5 || above > kDodgeHeight) continue;
    return StepAway(ground, w, x, ex > x ? 0 : 1);
  }
  for (const EnemySight& enemy : level.enemies) {
    if (!enemy.dangerous || !enemy.hittable) continue;
    const double ex = (enemy.box.left + enemy.box.right) / 2;
    if (std::abs(enemy.box.bottom - ground.top) > 0.5 || ex < ground.left - 1 ||
        ex > ground.right + 1 || std::abs(ex - x) > kThreatRange) {
      continue;
    }
    if (++defending_ > kLongestStandOff) {
      defending_ = 0;
      defendPause_ = kLongestStandOff;
      return std::nullopt;
    }
    const int side = ex > x ? 1 : 0;
    Controls c;
    if (side != level.heroDirection && std::abs(ex - x) < kTooCloseToTurn) {
      // Turning would take him a step into it: away first.
      return StepAway(ground, w, x, 1 - side);
    }
    if (side != level.heroDirection) {
      // Turn to face it (one step towards it).
      c.right = side == 1;
      c.left = side == 0;
    } else if (fireWait_ == 0) {
      c.fire = true;
      fireWait_ = kFireEvery;
    }
    return c;  // facing it, he waits for the next throw
  }
  defending_ = 0;
  return std::nullopt;
}

std::optional<Pilot::Move> Pilot::Plan(const LevelSight& level, int from) {
  const std::size_t n = level.platforms.size();
  constexpr double kNone = std::numeric_limits<double>::infinity();
  std::vector<double> cost(n, kNone);
  std::vector<double> arriveX(n, 0);
  std::vector<std::optional<Move>> first(n);
  std::vector<bool> settled(n, false);
  cost[static_cast<std::size_t>(from)] = 0;
  arriveX[static_cast<std::size_t>(from)] = level.heroX;
  std::vector<Move> moves;
  for (;;) {
    int u = -1;
    for (std::size_t p = 0; p < n; ++p) {
      if (!settled[p] && cost[p] < kNone && (u < 0 || cost[p] < cost[static_cast<std::size_t>(u)]))
        u = static_cast<int>(p);
    }
    if (u < 0) break;
    const auto uu = static_cast<std::size_t>(u);
    settled[uu] = true;
    for (std::size_t v = 0; v < n; ++v) {
      if (v == uu) continue;
      const int vi = static_cast<int>(v);
      if (givenUp_.count({u, vi})) continue;
      moves.clear();
      AddJumps(level, u, vi, moves);
      AddDrops(level, u, vi, moves);
      for (const Move& m : moves) {
        const double c = cost[uu] + std::abs(arriveX[uu] - m.startX) +
                         (m.kind == MoveKind::Jump ? kJumpCost : kDropCost) +
                         (Guarded(level, m.toBox, m.airX) ? kGuardedCost : 0);
        if (c >= cost[v]) continue;
        cost[v] = c;
        arriveX[v] = m.airX;
        first[v] = first[uu] ? first[uu] : m;
      }
    }
  }

  // The target: the diamond chosen before while it lies there and can be
  // reached, else the cheapest.
  const auto costTo = [&](const Spot& d) {
    const int p = PlatformOf(level, d);
    if (p < 0 || cost[static_cast<std::size_t>(p)] == kNone) return kNone;
    return cost[static_cast<std::size_t>(p)] + std::abs(arriveX[static_cast<std::size_t>(p)] - d.x);
  };
  // With none lying, he goes to where one will rise again.
  const std::vector<Spot>& diamonds = level.diamonds.empty() ? level.sunkDiamonds : level.diamonds;
  std::optional<Spot> chosen;
  if (target_) {
    for (const Spot& d : diamonds) {
      if (std::abs(d.x - target_->x) < 0.05 && std::abs(d.y - target_->y) < 0.05 &&
          costTo(d) < kNone) {
        chosen = d;
      }
    }
  }
  if (!chosen) {
    double best = kNone;
    for (const Spot& d : diamonds) {
      if (const double c = costTo(d); c < best) {
        best = c;
        chosen = d;
      }
    }
  }
  target_ = chosen;
  if (!chosen) return std::nullopt;
  const int p = PlatformOf(level, *chosen);
  if (p == from) {
    Move walk;
    walk.kind = MoveKind::Walk;
    walk.from = walk.to = from;
    walk.startX = chosen->x;
    walk.direction = chosen->x > level.heroX ? 1 : 0;
    walk.airX = chosen->x;
    return walk;
  }
  return first[static_cast<std::size_t>(p)];
}

// After standing back for long he goes whatever waits there, for a while.
bool Pilot::Impatient() {
  if (impatientFor_ > 0) {
    --impatientFor_;
    return true;
  }
  if (++guardedFor_ <= kLongestWait) return false;
  guardedFor_ = 0;
  impatientFor_ = kImpatience;
  return true;
}

// An enemy waits where the move would land him: he stands back from where it
// starts (an enemy that comes down after him lands out of reach and is thrown
// at) until it has gone.
Controls Pilot::StandBack(const LevelSight& level, const Move& move) const {
  const RectBox& ground = level.platforms[static_cast<std::size_t>(move.from)];
  const double w = level.heroHalfWidth;
  const double away = move.direction == 1 ? move.startX - kStandBack : move.startX + kStandBack;
  return Toward(level.heroX, std::clamp(away, StandLeft(ground, w), StandRight(ground, w)), 0.3);
}

Controls Pilot::Follow(const LevelSight& level, const Move& move) {
  const double x = level.heroX;
  switch (move.kind) {
    case MoveKind::Walk:
      // He takes it as soon as his box touches it.
      return Toward(x, move.startX, 0.3);
    case MoveKind::Jump: {
      if (Guarded(level, move.toBox, move.airX) && !Impatient()) return StandBack(level, move);
      if (std::abs(x - move.startX) > kStartSlack) return Toward(x, move.startX, kStartSlack);
      underWay_ = move;
      airborne_ = false;
      Controls c;
      c.jump = true;
      return c;
    }
    case MoveKind::Drop: {
      if (Guarded(level, move.toBox, move.airX) && !Impatient()) return StandBack(level, move);
      underWay_ = move;
      airborne_ = false;
      Controls c;
      c.right = move.direction == 1;
      c.left = move.direction == 0;
      return c;
    }
  }
  return {};
}

}  // namespace sim
