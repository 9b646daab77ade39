#pragma once

// Positions on the play field: `angle` in degrees around the tunnel's axis (0 at the bottom
// centre of the view, positive to the right) and `depth` along the view axis (the camera at 0,
// negative into the screen).

// The ends of the field: what moves on it is gone once it reaches either.
constexpr float kFieldFar = -20.0f;
constexpr float kFieldNear = 0.0f;

// Where enemies and power-ups come in: the far end of the field.
constexpr float kEntryDepth = kFieldFar;

// The ship never leaves this depth; everything that can touch it is tested against it.
constexpr float kShipDepth = -6.5f;
// The closed range of depths the ship occupies: only what lies in it can touch the ship.
constexpr float kShipBandFar = kShipDepth - 1.0f;
constexpr float kShipBandNear = kShipDepth + 1.0f;

// The enemies that stop on their way in (the square and the boss) come in by this step each
// frame until they reach this depth, and hold there.
constexpr float kHoldDepth = -12.0f;
constexpr float kApproachStep = 0.14f;

// Degrees to radians, as every moving and drawn shape of the game converts them.
constexpr float kDegreesToRadians = 0.017453f;

// A fresh entry angle: a whole number of degrees from -31 to 30, one draw of the random source.
float randomEntryAngle();
