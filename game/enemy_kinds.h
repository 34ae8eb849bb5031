// The four enemy kinds as rows of data: everything in which a TCangoroo, a
// TMouse, a TBlue and a TToothy differ. The behaviour is TEnemy's alone.
#pragma once

#include <cstdint>

namespace game {

enum class EnemyKind { Cangoroo, Mouse, Blue, Toothy };

// The four picture sets of a kind, in the order they follow one another in its
// pack. Inside a set: facing left frames 1..n, then facing right 1..n.
enum class EnemySet { Walk, Jump, Eat, KnockDown };

struct EnemyLook {
  const char* name;          // the kind as the simulator names it
  int firstSlot;             // image slot holding image 0 of the kind's pack
  int frames[4];             // per set, in EnemySet order
  std::int32_t textureBase;  // texture id of image i: textureBase + i
  float baseScale;           // sprite width and height
  long double drawOffset;    // the sprite is drawn at (x, y + drawOffset)
  int crouchEnd;             // the jump starts when the crouch reaches this frame
  float crouchScale;         // while crouching, kept through the jump and landing
  int eatShown;              // eat frames 1..eatShown are shown
  float eatScale;

  int Frames(EnemySet set) const { return frames[static_cast<int>(set)]; }
  // Pack image of frame (from 1) of a set for a direction (0 left, 1 right).
  int ImageIndex(EnemySet set, int direction, int frame) const;
  // Images the kind uses from its pack: both directions of all four sets.
  int ImageCount() const;
};

const EnemyLook& LookOf(EnemyKind kind);

}  // namespace game
