// Sound effects, keyboard and mouse.
#include "engine/engine.h"
#include "engine/operations_common.h"
#include "platform/paths.h"

using engine::Installed;

iHandle iSoundCreate(const char* file, int /*flags*/) {
  engine::Engine* e = Installed();
  if (!e || !file) return 0;
  const std::string path = platform::ResolvePath(file).string();
  const int id = e->backend().LoadSound(path);
  if (id == 0) return 0;
  const iHandle h = e->NewHandle();
  e->world().sounds[h] = {path, id};
  return h;
}

void iSoundPlay(iHandle sound, int /*flags*/) {
  if (auto* s = ZQ_ENGINE_FIND(sounds, sound))
    Installed()->backend().PlaySound(s->backendId, false);
}

void iSoundPlayNow(iHandle sound, int /*flags*/) {
  if (auto* s = ZQ_ENGINE_FIND(sounds, sound)) Installed()->backend().PlaySound(s->backendId, true);
}

bool iSoundPlaying(iHandle sound) {
  auto* s = ZQ_ENGINE_FIND(sounds, sound);
  return s && Installed()->backend().SoundPlaying(s->backendId);
}

void iSoundDestroy(iHandle sound) {
  engine::Engine* e = Installed();
  if (!e) return;
  if (auto* s = ZQ_ENGINE_FIND(sounds, sound)) {
    e->backend().FreeSound(s->backendId);
    e->world().sounds.erase(sound);
  }
}

bool iKeyDown(int code) {
  engine::Engine* e = Installed();
  return e && code >= 0 && code < 256 && e->world().input.down[code];
}

bool iKeyClick(int code) {
  engine::Engine* e = Installed();
  return e && code >= 0 && code < 256 && e->world().input.clicked[code];
}

float iMouseX() {
  engine::Engine* e = Installed();
  return e ? e->world().input.mouseX : 0.5f;
}

float iMouseY() {
  engine::Engine* e = Installed();
  return e ? e->world().input.mouseY : 0.5f;
}

bool iMouseButtonClick(int button) {
  engine::Engine* e = Installed();
  return e && button >= 0 && button < 3 && e->world().input.mouseClicked[button];
}

void iMouseReset(const iVec2& position) {
  engine::Engine* e = Installed();
  if (!e) return;
  e->world().input.mouseX = position.x;
  e->world().input.mouseY = position.y;
  e->backend().ResetMouse(position.x, position.y);
}
