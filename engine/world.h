// Everything the engine holds: textures, sprites, fonts, printed texts,
// particles, sounds, the camera and the input snapshot. The operations in
// engine/engine.h read and write it; a backend presents it.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"
#include "engine/shared_images.h"
#include "engine/types.h"

namespace engine {

struct Texture {
  std::shared_ptr<const Image> image;  // null: the texture draws nothing
  std::int32_t tag = 0;
};

struct Sprite {
  iHandle texture = 0;
  iVec2 location;
  iVec2 scale{1, 1};
  float orientation = 0;  // radians, counter-clockwise
  iColor color;
  int layer = 0;
  bool shown = false;
  std::uint64_t order = 0;  // inside a layer, higher is in front
};

struct FontGlyphRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// A loaded .wid font; an empty glyph list (missing or corrupt file) prints nothing.
struct Font {
  int firstChar = 32;
  std::vector<FontGlyphRect> glyphs;
  std::shared_ptr<const Image> atlas;
};

struct PrintedText {
  std::string text;
  iVec2 position;  // left end, vertical middle
  iVec2 scale;     // advance per character, half the cell height
  iColor color;
  iHandle font = 0;
};

struct Particle {
  float x = 0, y = 0;    // world units
  float vx = 0, vy = 0;  // world units per second
  float width = 0, height = 0;
  float age = 0;  // seconds
};

struct ParticleSystem {
  iHandle texture = 0;  // owned by the system
  int maxCount = 0;
  int renderMode = 0;  // 0 alpha blend, 1 and 3 additive, 4 additive and shrinking
  iVec3 gravity;
  float airResistance = 0;  // acceleration per unit of velocity, per second
  iVec3 colorStart{1, 1, 1};
  iVec3 colorEnd{1, 1, 1};
  float lifeTime = 1;
  bool shown = false;
  std::uint64_t order = 0;
  std::vector<Particle> particles;
};

struct Emitter {
  iHandle system = 0;
  iVec3 location;
  iVec3 directionFrom, directionTo;
  float speedFrom = 0, speedTo = 0;
  iVec2 scaleFrom{1, 1}, scaleTo{1, 1};
};

struct Sound {
  std::string path;  // resolved file
  int backendId = 0;
};

struct Camera {
  iVec3 location;
  float fov = 45;
};

// Keys and mouse as the game sees them during one run phase.
struct InputSnapshot {
  std::bitset<256> down;
  std::bitset<256> clicked;  // went down since the previous run phase
  float mouseX = 0.5f;
  float mouseY = 0.5f;
  bool mouseClicked[3] = {false, false, false};
};

struct World {
  std::map<iHandle, Texture> textures;
  std::map<iHandle, Sprite> sprites;
  std::map<iHandle, Font> fonts;
  std::map<iHandle, ParticleSystem> particleSystems;
  std::map<iHandle, Emitter> emitters;
  std::map<iHandle, Sound> sounds;
  std::map<iHandle, Camera> cameras;
  SharedImages decodedImages;  // the pictures behind textures and font atlases
  std::vector<PrintedText> texts;
  iColor printColor;
  InputSnapshot input;
  int mipLevels = 1;
  std::uint64_t nextOrder = 1;  // draw-order stamp for sprites and particle systems
  // Names the current life of the objects: unique in the process, and new at
  // every Clear, so an owner never mistakes another life's object for its own.
  std::uint64_t generation = NewGeneration();

  static std::uint64_t NewGeneration();

  // Removes every object (handles are never reused: the engine numbers them)
  // and starts a new generation.
  void Clear();
};

}  // namespace engine
