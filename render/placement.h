#pragma once

#include "render/texture.h"

// Drawing at a position of the play field (see base/play_field.h).

// Sets the modelview matrix so that a flat shape drawn in the plane y = -1 (x across the field,
// z along the view axis, +z toward the camera) lies at `depth` and `angle` on the tunnel wall,
// three units out from the axis x = 0, y = 1.
void applyPlacement(float depth, float angle);

// A textured sprite standing on the floor at `depth` and `angle`, tilted up to face the viewer:
// a square of `halfSize` whose near edge lies on the floor and whose far edge is raised by `rise`
// toward the axis. The image's t = 0 edge is the near one.
void drawFloorSprite(TextureId image, float depth, float angle, float halfSize, float rise);
