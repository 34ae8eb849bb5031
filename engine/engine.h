// The operations of the 2D sprite engine, with the names the game calls.
//
// Every operation acts on the engine installed with engine::Install (see
// engine/runtime.h). Calls made while no engine is installed, or with a dead
// or zero handle, do nothing and return 0 / false.
#pragma once

#include <cstdint>

#include "engine/types.h"

// --- Lifecycle -------------------------------------------------------------
int i3ImpactOpen(engine::WindowHandle window, int flags);
// record: 0, 0, word3, word4, fullScreen (-1 true), word6.
int i3ImpactSettings(const std::int32_t (&record)[6]);
void i3ImpactMain();
bool i3ImpactIsRendering();
void i3ImpactIsRenderingSet(int rendering);
bool i3ImpactIsActive();
bool i3ImpactIsReady();
bool i3ImpactIsExecuting();
bool i3ImpactIsInitializing();
bool i3ImpactIsSkippingRunPhase();
bool i3ImpactIsSkippingRenderPhase();
void i3ImpactInitBegin();
void i3ImpactInitEnd();
void i3ImpactRunBegin();
void i3ImpactRunEnd();
void i3ImpactRender();
void i3ImpactExitBegin();
void i3ImpactExitEnd();
void i3ImpactClose();
void i3ImpactErrorFlagSet(int flag);
bool i3ImpactErrorFlag();
int iDisplayMode();  // > 0: full screen
void iEscEnable(int enable);
void iExit();
float iSystemTimer();  // seconds since the engine run opened
void iScreenWipe(float r, float g, float b);
void iSimulationFrqSet(float period);
void iFrqSet(float period);

// --- Camera ----------------------------------------------------------------
iHandle iCameraCreate(float x, float y, float width, float height);
void iCameraLocationSet(iHandle camera, const iVec3& location);
void iCameraFovSet(iHandle camera, float degrees);

// --- Textures --------------------------------------------------------------
iHandle iTextureCreate(const char* file);
iHandle iTextureCreateFromMemory(const void* bytes, std::int32_t size, std::int32_t tag);
void iTextureDestroy(iHandle texture);
void iTextureMipLevelsSet(int levels);

// --- Sprites ---------------------------------------------------------------
iHandle iSpriteCreate(const char* model, iHandle camera);
void iSpriteTextureSet(iHandle sprite, iHandle texture);
void iSpriteTextureSwap(iHandle sprite, iHandle texture);
void iSpriteLocationSet(iHandle sprite, const iVec2& centre);
void iSpriteLocation(iHandle sprite, iVec2& centre);
void iSpriteScaleSet(iHandle sprite, const iVec2& scale);
void iSpriteOrientationSet(iHandle sprite, float radians);
void iSpriteColorSet(iHandle sprite, float r, float g, float b, float a);
void iSpritePrioritySet(iHandle sprite, int layer);
void iSpriteShow(iHandle sprite);
void iSpriteHide(iHandle sprite);
void iSpriteDestroy(iHandle sprite);
void iSpriteRender(iHandle sprite, int flags);  // draws the frame now (loading picture)

// --- Text ------------------------------------------------------------------
iHandle iFontCreate(const char* file, iHandle camera);
void iPrintColorSet(float r, float g, float b, float a);
void iPrint(const char* text, const iVec2& position, const iVec2& scale, float spacing,
            iHandle font);
void iPrintsHide();

// --- Particles -------------------------------------------------------------
iHandle iParticleCreate(const char* textureFile, int maxCount);
void iParticleRenderModeSet(iHandle system, int mode);
void iParticleGravitySet(iHandle system, const iVec3& gravity);
void iParticleAirResistanceSet(iHandle system, float resistance);
void iParticleColorSet(iHandle system, const iVec3& start, const iVec3& end);
void iParticleLifeTimeSet(iHandle system, float seconds);
void iParticleShow(iHandle system);
void iParticleHide(iHandle system);
void iParticleDestroy(iHandle system);
iHandle iParticleEmitterCreate(iHandle system);
void iParticleEmitterLocationSet(iHandle emitter, const iVec3& location);
void iParticleEmitterDirectionSet(iHandle emitter, const iVec3& from, const iVec3& to);
void iParticleEmitterSpeedSet(iHandle emitter, float from, float to);
void iParticleEmitterScaleSet(iHandle emitter, const iVec2& from, const iVec2& to);
void iParticleEmitterEmit(iHandle emitter, int count, float seconds);
void iParticleEmitterDestroy(iHandle emitter);

// --- Sounds ----------------------------------------------------------------
iHandle iSoundCreate(const char* file, int flags);
void iSoundPlay(iHandle sound, int flags);     // starts unless already playing
void iSoundPlayNow(iHandle sound, int flags);  // restarts
bool iSoundPlaying(iHandle sound);
void iSoundDestroy(iHandle sound);

// --- Input -----------------------------------------------------------------
bool iKeyDown(int code);             // DirectInput scan code held now
bool iKeyClick(int code);            // went down since the previous run phase
float iMouseX();                     // 0..1 of the client area, left to right
float iMouseY();                     // 0..1, top to bottom
bool iMouseButtonClick(int button);  // went down since the previous run phase
void iMouseReset(const iVec2& position);
