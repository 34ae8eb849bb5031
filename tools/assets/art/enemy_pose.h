// What one enemy frame looks like, as numbers: the pose tables of enemies.cpp
// fill it and the body drawings of enemy_bodies.cpp read it. Every body is drawn
// facing right standing on its kind's standing line.
#pragma once

#include <cairo.h>

#include "tools/assets/art/creature.h"

namespace assets::art {

struct CreaturePose {
  double up = 0;      // body raised above its standing height (px)
  double feetUp = 0;  // feet raised off the standing line (px)
  double squash = 0;  // > 0 flattened, < 0 stretched (about the feet)
  double lean = 0;    // body tilt toward the facing side (radians)
  double step = 0;    // walk phase (radians)
  double stride = 0;  // how far the legs swing (0..1)
  double reach = 0;   // legs stretched back (+) or tucked forward (-) in the air
  double toe = 0;     // toes pointing down (+)
  double mouth = 0;   // 0 closed .. 1 wide open
  double tail = 0;    // tail swing -1..1
  double tuck = 0;    // tail turned toward the belly side (radians), so it stays
                      // off the ground when the body tips over
  double ears = 0;    // ears swept back (+)
  double head = 0;    // head tilt, nose up (+)
  double arms = 0;    // arms raised (+)
  double fall = 0;    // knock-down: turned over backward by this angle
  double kick = 0;    // legs kicking while lying (-1..1)
  double bounce = 0;  // whole figure raised while tumbling (px)
  EyeLook eyes = EyeLook::kOpen;
  bool stars = false;
  double starPhase = 0;
};

void DrawKangaroo(cairo_t* cr, const CreaturePose& pose);
void DrawMouse(cairo_t* cr, const CreaturePose& pose);
void DrawBlue(cairo_t* cr, const CreaturePose& pose);
void DrawToothy(cairo_t* cr, const CreaturePose& pose);

}  // namespace assets::art
