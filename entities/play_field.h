#pragma once

#include "render/texture.h"

// Positions on the play field: `angle` in degrees around the tunnel's axis (0 at the bottom
// centre of the view, positive to the right) and `depth` along the view axis (the camera at 0,
// negative into the screen).

// Where enemies and power-ups come in: the far end of the field.
constexpr float kEntryDepth = -20.0f;

// Degrees to radians, as every moving and drawn shape of the game converts them.
constexpr float kDegreesToRadians = 0.017453f;

// A fresh entry angle: a whole number of degrees from -31 to 30, one draw of the random source.
float randomEntryAngle();

// Sets the modelview matrix so that a flat shape drawn in the plane y = -1 (x across the field,
// z along the view axis, +z toward the camera) lies at `depth` and `angle` on the tunnel wall,
// three units out from the axis x = 0, y = 1.
void applyPlacement(float depth, float angle);

// A textured sprite standing on the floor at `depth` and `angle`, tilted up to face the viewer:
// a square of `halfSize` whose near edge lies on the floor and whose far edge is raised by `rise`
// toward the axis. The image's t = 0 edge is the near one.
void drawFloorSprite(TextureId image, float depth, float angle, float halfSize, float rise);
